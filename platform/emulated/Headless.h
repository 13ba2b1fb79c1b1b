#pragma once
// The headless view's services: nothing on screen. Tests answer message boxes and pick
// pop-up menu items in advance, and see what was shown.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace morvane {

namespace ui {
class Control;
class Label;
class ListBox;
class TextBox;
} // namespace ui

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    MessageIcon icon;
};

struct ShownMenu {
    std::string name;
    std::vector<std::string> captions;
    std::vector<bool> enabled;
};

class HeadlessDialogs : public Dialogs {
public:
    MessageAnswer messageBox(const std::string& text, const std::string& caption,
                             MessageButtons buttons, MessageIcon icon) override;
    int popupMenu(const ui::Menu& menu) override;

    std::vector<ShownMessage> messages;
    std::deque<MessageAnswer> answers; // next answers; Ok or No when none is queued
    // Runs while each message shows, as what its taking of the focus sets off.
    std::function<void()> whileShowing;
    std::vector<ShownMenu> menus;
    std::deque<int> menuChoices; // next chosen items; -1 (dismissed) when none is queued
};

class HeadlessClock : public Clock {
public:
    std::string timeOfDay() override { return time; }
    void setWaitPointer(bool wait) override { waitPointer = wait; }
    int twipsPerPixelX() override { return 15; }
    int twipsPerPixelY() override { return 15; }

    std::string time = "12:00:00";
    bool waitPointer = false;
};

class HeadlessWindowManager : public WindowManager {
public:
    // The test acts as the user while the window is shown modally; a window still shown
    // when the action returns counts as closed by its close box.
    void showModal(ui::Window& window) override;
    void doEvents() override {
        if (onDoEvents)
            onDoEvents();
    }
    void endProgram() override { ended_ = true; }
    bool ended() const override { return ended_; }
    void leaveFocusedControl(ui::Window& window) override;
    // The user moves the keyboard focus to a control (nullptr: away from every window): the
    // text box that had it hears LostFocus, as in a real window.
    void focus(ui::Control* control);
    std::uintptr_t windowHandle(const ui::Window&) const override { return handle; }
    std::uintptr_t windowIcon(const ui::Window&) const override { return icon; }

    std::function<void(ui::Window&)> onModal;
    std::function<void()> onDoEvents;
    std::vector<std::string> modalShows; // captions of the windows shown modally
    std::uintptr_t handle = 0x1230;      // what a window's and its icon's handles read as
    std::uintptr_t icon = 0x4560;

private:
    bool ended_ = false;
    ui::Control* focused_ = nullptr;
};

class RecordingShell : public Shell {
public:
    bool notifyIcon(std::uint32_t message, const NotifyIconRecord& record) override;
    void runHidden(const std::string& commandLine) override { commands.push_back(commandLine); }

    std::vector<std::string> commands;
    std::vector<std::pair<std::uint32_t, NotifyIconRecord>> notifyCalls;
    bool iconPresent = false;
    bool refuseAdd = false; // the shell has no notification area
};

// The view's side of the emulation in one piece, to put in front of any registry and file
// system: the emulated ones, or the real ones under Wine.
struct HeadlessView {
    RecordingShell shell;
    HeadlessDialogs dialogs;
    HeadlessClock clock;
    HeadlessWindowManager windows;

    Services servicesOver(Registry& registry, FileSystem& files) {
        return Services{registry, files, shell, dialogs, clock, windows};
    }
};

// What a user does to a control, through the same calls a view makes.

// Types at the end of the text: the key press, then the edit and Change. A string is typed one
// character (one UTF-8 sequence) at a time; Backspace takes a whole one. A read-only or
// disabled box takes nothing, and the key handler may change or discard each key.
void Type(ui::TextBox& box, const std::string& characters);
// A press on a row (-1: below the rows): the left button selects first and raises Click, even
// on the row already selected; a press below the rows is no click. Then MouseDown.
void Press(ui::ListBox& list, int button, int row, int shift = 0);
// The pointer moves over the label.
void MoveMouse(ui::Label& label);
// A key pressed in the window: the window hears it before any control; true when it took it.
bool PressKey(ui::Window& window, int keyCode, int shift = 0);

} // namespace morvane
