// The running filter on the real main window: START FILTER brings the running-filter page up
// with its report in the real list box, long reports stay in step with the model, and GO TO
// TRAY hides the window behind its icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/Form1.h"
#include "platform/emulated/EmulatedFileSystem.h"
#include "platform/emulated/EmulatedRegistry.h"
#include "platform/emulated/Headless.h"
#include "platform/win32/Win32WindowManager.h"

namespace morvane {
namespace {

std::string row(HWND list, int index) {
    char text[256] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

// What one list box is asked while a pass runs: repaints off and on, rows added (folded).
HWND g_report = nullptr;
std::string g_asked;
LRESULT CALLBACK recordReport(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == g_report) {
        const char* what = sent->message == WM_SETREDRAW   ? (sent->wParam ? "on " : "off ")
                           : sent->message == LB_ADDSTRING ? "add "
                                                           : "";
        if (*what && !g_asked.ends_with(what))
            g_asked += what;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class FilterView : public ::testing::Test {
protected:
    void SetUp() override {
        std::error_code ec;
        std::filesystem::create_directories(files.root() / "c" / "Downloads", ec);
        std::filesystem::create_directories(files.root() / "c" / "Music", ec);
        files.writeLines("C:\\Downloads\\song.mp3", {"la"});
        windows.setMainWindow(form.window);
        ASSERT_NE(h(form.window), nullptr) << "no window: the view tests need a display (Xvfb)";
        form.str_currentprofilename = "ann";
        form.txt_Downloadfolder.setText("C:\\Downloads");
        for (ui::TextBox& folder : form.txt_filterfolder)
            folder.setText("C:\\Downloads");
        form.txt_filterext[0].setText("mp3;");
        form.txt_filterfolder[0].setText("C:\\Music");
        form.window.setVisible(true);
        windows.doEvents();
    }
    void TearDown() override {
        windows.releaseAll();
        std::error_code ec;
        std::filesystem::remove_all(files.root(), ec);
    }
    HWND h(const ui::Control& control) { return windows.viewOf(form.window)->handleOf(control); }

    EmulatedRegistry registry;
    EmulatedFileSystem files{std::filesystem::temp_directory_path() /
                             ("morvane-filterview-" + std::to_string(GetCurrentProcessId()))};
    RecordingShell shell;
    HeadlessDialogs dialogs;
    HeadlessClock clock;
    Win32WindowManager windows{GetModuleHandleA(nullptr), 96, [] {}};
    Services services{registry, files, shell, dialogs, clock, windows};
    Form1 form{services};
};

TEST_F(FilterView, StartShowsTheRunningPageWithItsReportAndGoToTrayHidesTheWindow) {
    SendMessageA(h(form.Label2[5]), WM_LBUTTONDOWN, MK_LBUTTON, 0); // START FILTER
    SendMessageA(h(form.Label2[5]), WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(IsWindowVisible(h(form.frame_runningfilter)));
    HWND report = h(form.list_filterreport);
    ASSERT_EQ(SendMessageA(report, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(row(report, 1), "song.mp3 moved to C:\\Music");

    // Appended one by one, or changed in place: the real list follows the model.
    for (int i = 0; i < 50; ++i)
        form.list_filterreport.addItem("line " + std::to_string(i));
    form.list_filterreport.setItem(1, "changed");
    ASSERT_EQ(SendMessageA(report, LB_GETCOUNT, 0, 0), 52);
    EXPECT_EQ(row(report, 1), "changed");
    EXPECT_EQ(row(report, 51), "line 49");

    SendMessageA(h(form.filterlabel[1]), WM_LBUTTONDOWN, MK_LBUTTON, 0); // GO TO TRAY
    SendMessageA(h(form.filterlabel[1]), WM_LBUTTONUP, 0, 0);
    windows.doEvents();
    EXPECT_FALSE(IsWindowVisible(h(form.window)));
    EXPECT_TRUE(shell.iconPresent);
    EXPECT_TRUE(form.timer_filter.enabled()) << "the filter keeps running";
}

TEST_F(FilterView, APassAddsItsReportLinesWithoutARepaintEach) {
    for (int i = 0; i < 20; ++i)
        files.writeLines("C:\\Downloads\\song" + std::to_string(i) + ".mp3", {"la"});
    form.frame_runningfilter.setVisible(true);
    g_report = h(form.list_filterreport);
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, recordReport, nullptr, GetCurrentThreadId());
    form.FilterPass();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_asked, "off add on ");
    EXPECT_EQ(SendMessageA(g_report, LB_GETCOUNT, 0, 0), 21);
}

} // namespace
} // namespace morvane
