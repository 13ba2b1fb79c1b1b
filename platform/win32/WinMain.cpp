// The program: one per session (a later start hands its request to the running one), the
// Win32 services behind the main window, start-up, then the message loop.

#include <windows.h>

#include <commctrl.h>

#include "app/CommandLine.h"
#include "app/MainWindow.h"
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
    switch (single.claim(request, code)) {
    case morvane::Win32SingleInstance::Claim::First:
        break;
    case morvane::Win32SingleInstance::Claim::Answered:
        return answer(request, code);
    case morvane::Win32SingleInstance::Claim::NoAnswer:
        if (!request.quiet)
            MessageBoxA(nullptr, "Morvane is running already but does not answer.",
                        morvane::kProgramTitle,
                        MB_OK | MB_TASKMODAL | MB_SETFOREGROUND | MB_ICONSTOP);
        return morvane::kExitNoClient;
    }

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
        morvane::MainWindow form(services);
        windows.setMainWindow(form.window);
        // Later starts' requests. While start-up runs (its chooser may be open), or a dialog
        // or message box of ours waits for the user, the request would act under it: that
        // window comes to the front instead, and a request other than Show is asked again
        // once it has closed. A /register without the window takes none: they wait for its
        // end, and the next start is the first again.
        bool started = false;
        single.listen(instance, [&](const morvane::Request& later) -> int {
            if (request.action == morvane::RequestAction::Register)
                return morvane::Win32SingleInstance::kBusy;
            HWND main = reinterpret_cast<HWND>(windows.windowHandle(form.window));
            if (!started || (main && !IsWindowEnabled(main))) {
                HWND waiting = windows.dialogOwner();
                bringToFront(waiting == main && main ? GetLastActivePopup(main) : waiting);
                return later.action == morvane::RequestAction::Show
                           ? static_cast<int>(morvane::kExitDone)
                           : morvane::Win32SingleInstance::kBusy;
            }
            if (later.action != morvane::RequestAction::Show)
                return morvane::CarryOut(form, dialogs, later);
            if (!form.window.visible())
                form.RestoreWindow_Click();
            bringToFront(windows.dialogOwner());
            return morvane::kExitDone;
        });

        if (request.action == morvane::RequestAction::Register) {
            // Done without the window, and without the chooser: no marked client, no request.
            dialogs.quiet = request.quiet;
            exitCode = morvane::StartWithoutWindow(form) ? morvane::CarryOut(form, dialogs, request)
                                                         : morvane::kExitNoClient;
            windows.releaseAll();
            return answer(request, exitCode);
        }

        if (form.Form_Load()) {
            form.window.setState(morvane::ui::WindowState::Normal);
            form.window.setVisible(true);
            started = true;
            if (request.action == morvane::RequestAction::Filter)
                morvane::CarryOut(form, dialogs, request);
            exitCode = windows.run();
        }
        // The windows go before the controls they show.
        windows.releaseAll();
    }
    return exitCode;
}
