// The program: the Win32 services behind the main window, start-up, then the message loop.

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "app/Form1.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32View.h"
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

// Test hook only, for the demo's screenshot: when MORVANE_SCREENSHOT_READY names a file, the
// file is written once the main window is on screen and painted. Besides MORVANE_DEMO_FILTER
// below, nothing else reads the environment.
void signalShown(morvane::Win32View& view) {
    const char* path = std::getenv("MORVANE_SCREENSHOT_READY");
    if (!path || !*path)
        return;
    view.paintNow();
    GdiFlush();
    if (std::FILE* file = std::fopen(path, "w"))
        std::fclose(file);
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
        morvane::Win32View& view = windows.realise(form.window);
        windows.setMainWindow(form.window);
        if (form.Form_Load()) {
            form.window.setState(morvane::ui::WindowState::Normal);
            form.window.setVisible(true);
            // Test hook only, for the demo: START FILTER as soon as the window is shown, so
            // the screenshot shows the running filter after its first pass.
            if (const char* demo = std::getenv("MORVANE_DEMO_FILTER"); demo && *demo == '1')
                form.Label2_Click(5);
            signalShown(view);
            exitCode = windows.run();
        }
        // The windows go before the controls they show.
        windows.releaseAll();
    }
    return exitCode;
}
