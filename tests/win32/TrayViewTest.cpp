// The notification icon with the real main window and the real shell: the system's minimise
// command hides the window behind an icon, the icon's right-button report opens the menu whose
// first item brings the window back and removes the icon, and a re-created task bar gets the
// icon again.
#include <windows.h>

#include <shellapi.h>

#include "tests/win32/ViewFixture.h"

namespace morvane::view {
namespace {

// Whether the shell holds our icon: changing nothing about it succeeds only then.
bool iconShown(HWND window) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

class TrayView : public ViewTest {
protected:
    TrayView() : ViewTest({.shell = true}) {}
    void SetUp() override {
        ViewTest::SetUp();
        if (HasFatalFailure())
            return;
        hwnd = h(form.window);
        show();
    }
    void TearDown() override {
        if (hwnd && iconShown(hwnd))
            winShell.notifyIcon(kNotifyDelete, form.TrayIcon);
        ViewTest::TearDown();
    }
    // The system's minimise command, as from the task bar.
    void minimise() {
        ShowWindow(hwnd, SW_MINIMIZE);
        waitFor("the minimised window hidden behind its icon",
                [&] { return !IsWindowVisible(hwnd) && iconShown(hwnd); });
    }
    HWND hwnd = nullptr;
};

TEST_F(TrayView, MinimisingHidesBehindTheIconAndRestoringRemovesIt) {
    ASSERT_FALSE(iconShown(hwnd));
    minimise();
    EXPECT_EQ(form.TrayIcon.hWnd, reinterpret_cast<std::uintptr_t>(hwnd));
    EXPECT_NE(form.TrayIcon.hIcon, 0u) << "the window's own icon";

    // The shell reports a left click, then the right button: only the latter opens the menu.
    dialogs.menuChoices = {0};
    SendMessageA(hwnd, WM_MOUSEMOVE, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(dialogs.menus.empty());
    SendMessageA(hwnd, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN);
    ASSERT_EQ(dialogs.menus.size(), 1u);
    waitFor("the window back from the tray",
            [&] { return IsWindowVisible(hwnd) && !IsIconic(hwnd); });
    EXPECT_FALSE(iconShown(hwnd));
}

TEST_F(TrayView, ANewTaskBarGetsTheIconAgain) {
    minimise();
    winShell.notifyIcon(kNotifyDelete, form.TrayIcon); // as a restarting shell forgets it
    SendMessageA(hwnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(iconShown(hwnd));
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

} // namespace
} // namespace morvane::view
