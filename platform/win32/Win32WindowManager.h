#pragma once
// Owns the views of the model windows and runs the message loops: the program's main loop,
// modal shows, and yielding in the middle of a long handler.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "platform/Services.h"
#include "platform/win32/Win32View.h"

namespace morvane {

class Win32WindowManager : public WindowManager {
public:
    explicit Win32WindowManager(HINSTANCE instance = GetModuleHandleA(nullptr), int dpi = 0);
    ~Win32WindowManager() override;
    Win32WindowManager(const Win32WindowManager&) = delete;
    Win32WindowManager& operator=(const Win32WindowManager&) = delete;

    // The view of a model window, made (hidden) on first use.
    Win32View& realise(ui::Window& window);
    Win32View* viewOf(const ui::Window& window) const;
    // Destroys a window's view; the next realise makes it afresh.
    void release(ui::Window& window);
    void releaseAll();

    // The program's main window: its close box, and the end of the user's session, run
    // Unload if set, and then end the program.
    void setMainWindow(ui::Window& window);
    // While this returns true the windows show the wait pointer.
    void setBusyQuery(std::function<bool()> busy) { busy_ = std::move(busy); }

    // The main message loop; returns the exit code of WM_QUIT.
    int run();
    // The window a message box belongs to: the innermost visible window of ours, if any.
    HWND dialogOwner() const;
    // The window a pop-up menu is tracked on: as dialogOwner, else the main window even
    // while it is hidden in the tray.
    HWND menuOwner() const;
    // Where a pop-up menu asked for from the keyboard goes (a view's menuPlace), once; none
    // for a menu at the pointer.
    std::optional<POINT> takeMenuPlace();
    // Brings a window of ours that was active before a dialog back to the front (its focus
    // comes back with its activation).
    void activate(HWND window);

    void showModal(ui::Window& window) override;
    void doEvents() override;
    void doEventsInLoop() override;
    void endProgram() override;
    bool ended() const override { return ended_; }
    void leaveFocusedControl(ui::Window& window) override;
    std::uintptr_t windowHandle(const ui::Window& window) const override;
    std::uintptr_t windowIcon(const ui::Window& window) const override;

private:
    // One message, with Tab moving the focus between the controls of a window.
    void dispatch(MSG& message);
    Win32View* viewOfHandle(HWND top) const;

    HINSTANCE instance_;
    int dpi_;
    std::function<bool()> busy_;
    std::map<const ui::Window*, std::unique_ptr<Win32View>> views_;
    std::vector<ui::Window*> modal_; // innermost last
    ui::Window* main_ = nullptr;
    bool ended_ = false;
    DWORD lastLook_ = 0; // tick count of the last look at the queue from a loop
};

} // namespace morvane
