// The notification icon with the real main window and the real shell: the system's minimise
// command hides the window behind an icon, the icon's right-button report opens the menu whose
// first item brings the window back and removes the icon, and a re-created task bar gets the
// icon again.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/Form1.h"
#include "platform/emulated/EmulatedFileSystem.h"
#include "platform/emulated/EmulatedRegistry.h"
#include "platform/emulated/Headless.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32WindowManager.h"

namespace morvane {
namespace {

// Whether the shell holds our icon: changing nothing about it succeeds only then.
bool iconShown(HWND window) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

class TrayView : public ::testing::Test {
protected:
    void SetUp() override {
        windows.setMainWindow(form.window);
        hwnd = windows.viewOf(form.window)->handle();
        ASSERT_NE(hwnd, nullptr) << "no window: the view tests need a display (Xvfb)";
        form.window.setVisible(true);
        windows.doEvents();
    }
    void TearDown() override {
        if (hwnd && iconShown(hwnd))
            shell.notifyIcon(kNotifyDelete, form.TrayIcon);
        windows.releaseAll();
    }

    EmulatedRegistry registry;
    EmulatedFileSystem files{std::filesystem::temp_directory_path() /
                             ("morvane-tray-" + std::to_string(GetCurrentProcessId()))};
    Win32Shell shell;
    HeadlessDialogs dialogs;
    HeadlessClock clock;
    Win32WindowManager windows{GetModuleHandleA(nullptr), 96, [] {}};
    Services services{registry, files, shell, dialogs, clock, windows};
    Form1 form{services};
    HWND hwnd = nullptr;
};

TEST_F(TrayView, MinimisingHidesBehindTheIconAndRestoringRemovesIt) {
    ASSERT_FALSE(iconShown(hwnd));
    ShowWindow(hwnd, SW_MINIMIZE); // the system's command, as from the task bar
    windows.doEvents();
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_TRUE(iconShown(hwnd));
    EXPECT_EQ(form.TrayIcon.hWnd, reinterpret_cast<std::uintptr_t>(hwnd));
    EXPECT_NE(form.TrayIcon.hIcon, 0u) << "the window's own icon";

    // The shell reports a left click, then the right button: only the latter opens the menu.
    dialogs.menuChoices = {0};
    SendMessageA(hwnd, WM_MOUSEMOVE, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(dialogs.menus.empty());
    SendMessageA(hwnd, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN);
    ASSERT_EQ(dialogs.menus.size(), 1u);
    windows.doEvents();
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_FALSE(IsIconic(hwnd));
    EXPECT_FALSE(iconShown(hwnd));
}

TEST_F(TrayView, ANewTaskBarGetsTheIconAgain) {
    ShowWindow(hwnd, SW_MINIMIZE);
    windows.doEvents();
    ASSERT_TRUE(iconShown(hwnd));
    shell.notifyIcon(kNotifyDelete, form.TrayIcon); // as a restarting shell forgets it
    SendMessageA(hwnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(iconShown(hwnd));
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

} // namespace
} // namespace morvane
