// The process's entry point: the Win32 host (the services, the one program per session, the
// message loop) on which the program runs.

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "platform/ProgramHost.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SingleInstance.h"
#include "platform/win32/Win32WindowManager.h"

namespace morvane {

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

class Win32Host final : public ProgramHost {
public:
    explicit Win32Host(HINSTANCE instance) : instance_(instance) {}

    Claim claim(const std::string& request, int& answer) override {
        return single_.claim(request, answer);
    }

    Services& start() override {
        // Aware of the screen's scale before the window manager reads it.
        becomeDpiAware();
        InitCommonControls();
        system_ = std::make_unique<System>(instance_);
        Win32Clock& clock = system_->clock;
        system_->windows.setBusyQuery([&clock] { return clock.waiting(); });
        return system_->services;
    }

    void listen(std::function<int(const std::string&)> carryOut) override {
        single_.listen(instance_, std::move(carryOut));
    }

    void tell(const std::string& text, MessageIcon icon) override {
        MessageBoxA(nullptr, text.c_str(), kProgramTitle,
                    MB_OK | MB_TASKMODAL | MB_SETFOREGROUND |
                        (icon == MessageIcon::Information ? MB_ICONINFORMATION : MB_ICONSTOP));
    }

    void setMainWindow(ui::Window& window) override { system_->windows.setMainWindow(window); }

    bool mainWindowFree(const ui::Window& window) override {
        HWND main = reinterpret_cast<HWND>(system_->windows.windowHandle(window));
        return !main || IsWindowEnabled(main);
    }

    void bringToFront(const ui::Window& window) override {
        HWND main = reinterpret_cast<HWND>(system_->windows.windowHandle(window));
        HWND waiting = system_->windows.dialogOwner();
        // A message box owned by the main window is its last active pop-up.
        HWND front = waiting == main && main ? GetLastActivePopup(main) : waiting;
        if (!front)
            return;
        SetForegroundWindow(front);
        BringWindowToTop(front);
    }

    int run() override { return system_->windows.run(); }
    void releaseAll() override { system_->windows.releaseAll(); }

private:
    struct System {
        explicit System(HINSTANCE instance) : windows(instance) {}
        Win32Registry registry;
        Win32FileSystem files;
        Win32Shell shell;
        Win32Clock clock;
        Win32WindowManager windows;
        Win32Dialogs dialogs{windows};
        Services services{registry, files, shell, dialogs, clock, windows};
    };

    HINSTANCE instance_;
    Win32SingleInstance single_;
    std::unique_ptr<System> system_; // made by start()
};

} // namespace

} // namespace morvane

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    morvane::Win32Host host(instance);
    return morvane::ProgramMain(host, commandLine ? commandLine : "");
}
