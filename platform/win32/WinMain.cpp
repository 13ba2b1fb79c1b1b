// The program: the Win32 services behind the main window, start-up, then the message loop.

#include <windows.h>

#include <commctrl.h>

#include "app/Form1.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
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

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    becomeDpiAware();
    InitCommonControls();

    morvane::Win32Registry registry;
    morvane::Win32FileSystem files;
    morvane::Win32Shell shell;
    morvane::Win32Clock clock;
    morvane::Win32WindowManager windows(instance);
    morvane::Win32Dialogs dialogs(windows);
    morvane::Services services{registry, files, shell, dialogs, clock, windows};
    windows.setBusyQuery([&clock] { return clock.waiting(); });

    int exitCode = 0;
    {
        morvane::Form1 form(services);
        windows.setMainWindow(form.window);
        if (form.Form_Load()) {
            form.window.setState(morvane::ui::WindowState::Normal);
            form.window.setVisible(true);
            exitCode = windows.run();
        }
        // The windows go before the controls they show.
        windows.releaseAll();
    }
    return exitCode;
}
