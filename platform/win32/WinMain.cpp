// The program: one per session (a later start hands its request to the running one), the
// Win32 services behind the main window, start-up, then the message loop.

#include <windows.h>

#include <commctrl.h>

#include "app/CommandLine.h"
#include "app/Form1.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SingleInstance.h"
#include "platform/win32/Win32WindowManager.h"

namespace {

// The manifest declares DPI awareness too; Windows before Vista has neither that nor this
// call, hence the run-time look-up.
void becomeDpiAware() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (!user32)
        return;
    using SetAware = BOOL(WINAPI*)();
    auto setAware = reinterpret_cast<SetAware>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware")));
    if (setAware)
        setAware();
}

// A failed request's one sentence (the usage for bad arguments), unless /quiet; then its code.
int answer(const morvane::Request& request, int code) {
    if (code != morvane::kExitDone && !request.quiet)
        MessageBoxA(nullptr, morvane::FailureText(request, code).c_str(), morvane::kProgramTitle,
                    MB_OK | MB_TASKMODAL | MB_SETFOREGROUND |
                        (code == morvane::kExitBadArguments ? MB_ICONINFORMATION : MB_ICONSTOP));
    return code;
}

void bringToFront(HWND window) {
    if (!window)
        return;
    SetForegroundWindow(window);
    BringWindowToTop(window);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const morvane::Request request =
        morvane::ParseArguments(morvane::SplitCommandLine(commandLine ? commandLine : ""));
    if (request.action == morvane::RequestAction::Usage)
        return answer(request, morvane::kExitBadArguments);
    morvane::Win32SingleInstance single;
    int code = morvane::kExitDone;
    if (!single.claim(request, code))
        return answer(request, code);

    becomeDpiAware();
    InitCommonControls();

    morvane::Win32Registry registry;
    morvane::Win32FileSystem files;
    morvane::Win32Shell shell;
    morvane::Win32Clock clock;
    morvane::Win32WindowManager windows(instance);
    morvane::Win32Dialogs shownDialogs(windows);
    morvane::RequestDialogs dialogs(shownDialogs);
    morvane::Services services{registry, files, shell, dialogs, clock, windows};
    windows.setBusyQuery([&clock] { return clock.waiting(); });

    int exitCode = 0;
    {
        morvane::Form1 form(services);
        windows.setMainWindow(form.window);
        if (request.action == morvane::RequestAction::Register) {
            // Done without the window, and without the chooser: no marked client, no request.
            dialogs.quiet = request.quiet;
            exitCode = morvane::StartWithoutWindow(form) ? morvane::CarryOut(form, dialogs, request)
                                                         : morvane::kExitNoClient;
            windows.releaseAll();
            return answer(request, exitCode);
        }

        // Later starts' requests. Until start-up is done only its chooser can come forward; a
        // /filter then waits for the end of start-up, and a /register finds no client yet.
        bool started = false;
        bool filterAsked = request.action == morvane::RequestAction::Filter;
        single.listen(instance, [&](const morvane::Request& later) -> int {
            if (!started) {
                bringToFront(windows.dialogOwner());
                filterAsked = filterAsked || later.action == morvane::RequestAction::Filter;
                return later.action == morvane::RequestAction::Register ? morvane::kExitNoClient
                                                                        : morvane::kExitDone;
            }
            if (later.action != morvane::RequestAction::Show)
                return morvane::CarryOut(form, dialogs, later);
            if (!form.window.visible())
                form.mnuRestore_Click();
            bringToFront(windows.dialogOwner());
            return morvane::kExitDone;
        });

        if (form.Form_Load()) {
            form.window.setState(morvane::ui::WindowState::Normal);
            form.window.setVisible(true);
            started = true;
            if (filterAsked)
                morvane::CarryOut(form, dialogs, {morvane::RequestAction::Filter, {}, false});
            exitCode = windows.run();
        }
        // The windows go before the controls they show.
        windows.releaseAll();
    }
    return exitCode;
}
