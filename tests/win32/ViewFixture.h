#pragma once
// What every test of the real window shares: the form on real Win32 windows with the services
// a test asks for, user actions sent as window messages, readers of the real lists, and waits
// that pump messages until a condition holds or a deadline passes. Nothing waits on a fixed
// tick: each scripted step waits for its own condition, and a step that never becomes possible
// fails with what was on screen, after which every modal window is closed so the test ends.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/FolderPickerDialog.h"
#include "app/MainWindow.h"
#include "platform/emulated/EmulatedPlatform.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32WindowManager.h"

namespace morvane::view {

// How long one step may wait for its condition; a message box without a window manager can
// take about 2 s to appear.
constexpr DWORD kDeadlineMs = 10000;

// Which services are the real ones; the rest (and always the registry and files) are the
// emulation's.
struct Real {
    bool dialogs = false, shell = false;
};

// The real window manager, but the end of the program is noted instead of ending the test.
class TestWindowManager : public Win32WindowManager {
public:
    using Win32WindowManager::Win32WindowManager;
    void endProgram() override { ended_ = true; }
    bool ended() const override { return ended_; }

private:
    bool ended_ = false;
};

// One action of the user while the program runs a modal loop: it acts once ready() holds.
struct Step {
    std::string name;
    std::function<bool()> ready;
    std::function<void()> act;
};

std::string listText(HWND list, int row);
std::string windowText(HWND hwnd);
// A left click in the middle of a row, as the mouse sends it.
void clickRow(HWND list, int row);
// A control's name, or the class and text of another window ("none" for none).
std::string nameOf(HWND hwnd);
// The thread's visible windows and the focus, for failure messages.
std::string onScreen();

class ViewTest : public ::testing::Test {
protected:
    explicit ViewTest(Real real = {});
    // The main window exists (hidden); tests seed what they need, then show().
    void SetUp() override;
    void TearDown() override;
    void show();

    // A control's window in the main window, or in another of the form's windows.
    HWND h(const ui::Control& control, const ui::Window* window = nullptr) const;
    HWND picker(const ui::Control& control);
    // A click on a label: the two messages the mouse sends.
    void click(const ui::Control& label);
    // A key pressed where the focus is, through the program's own message loop, while the
    // held keys (Shift, Ctrl) are down.
    void press(WPARAM key, std::initializer_list<BYTE> held = {});
    // The controls Tab visits from the focus until it comes round again, by name.
    std::vector<std::string> tabCycle();
    // Whether the main window is active and in front, with the focus on this control.
    bool backOn(const ui::Control& control);

    // Pumps messages until done() holds; false, with a failure naming what and what was on
    // screen, once the deadline passes.
    bool waitFor(const std::string& what, const std::function<bool()>& done);
    // Runs action, whose modal loops the steps act in, in order. A step not ready by its
    // deadline, a modal window left open after the last step, or a step that never ran fails
    // the test; the modal windows are then closed until action returns.
    void script(std::vector<Step> steps, const std::function<void()>& action);
    Step inPicker(std::string name, std::function<void()> act);
    // Answers the next message box with a button, noting "caption|text|YesNo or Ok|icon".
    Step answer(int button);

    std::vector<std::string> boxes; // the message boxes answered, as answer() notes them

    EmulatedPlatform emulated{"view"}; // the C: drive on a fresh temporary folder
    EmulatedRegistry& registry = emulated.registry;
    EmulatedFileSystem& files = *emulated.files;
    HeadlessDialogs& dialogs = emulated.dialogs;
    Win32Shell winShell;
    TestWindowManager windows{GetModuleHandleA(nullptr), 96};
    Win32Dialogs winDialogs{windows};
    Services services;
    MainWindow form{services};
};

} // namespace morvane::view
