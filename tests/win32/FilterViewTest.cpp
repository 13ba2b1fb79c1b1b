// The running filter on the real main window: START FILTER brings the running-filter page up
// with its report in the real list box, long reports stay in step with the model, GO TO TRAY
// hides the window behind its icon; a destination picked on a download folder's drive spelt
// in small letters; RENAME FILE shown again by a click on the row still selected.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/Form1.h"
#include "app/Form2.h"
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

void press(HWND control, LPARAM at = 0) {
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(control, WM_LBUTTONUP, 0, at);
}

LPARAM rowPoint(HWND list, int index) {
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return MAKELPARAM(r.left + 10, (r.top + r.bottom) / 2);
}

// What a modal dialog's user does, from a thread timer that its loop serves: true when done.
std::function<bool()> g_whileModal;
void CALLBACK modalStep(HWND, UINT, UINT_PTR, DWORD) {
    if (g_whileModal && g_whileModal())
        g_whileModal = nullptr;
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
    // Clicks "..." of category index and, once the picker is up, the folder of that caption
    // and Select (Cancel when there is none). What the picker showed, or why it did nothing.
    std::string pickFilterFolder(int index, const std::string& caption) {
        std::string seen = "the picker never came up";
        const DWORD deadline = GetTickCount() + 10000;
        g_whileModal = [&] {
            Win32View* view = windows.viewOf(form.picker().window);
            HWND dialog = view ? view->handleOf(form.picker().window) : nullptr;
            if (!dialog || !IsWindowVisible(dialog))
                return GetTickCount() > deadline;
            HWND dir = view->handleOf(form.picker().Dir1);
            seen = IsWindowEnabled(view->handleOf(form.picker().Drive1)) ? "drive free:" : "";
            ui::Button* button = &form.picker().button_Cancel;
            for (int i = 0; i < SendMessageA(dir, LB_GETCOUNT, 0, 0); ++i) {
                seen += " " + row(dir, i);
                if (row(dir, i) == caption) {
                    press(dir, rowPoint(dir, i));
                    button = &form.picker().button_Select;
                }
            }
            SendMessageA(view->handleOf(*button), BM_CLICK, 0, 0);
            return true;
        };
        UINT_PTR timer = SetTimer(nullptr, 0, 10, modalStep);
        SendMessageA(h(form.button_selfilterfolder[static_cast<std::size_t>(index)]), BM_CLICK, 0,
                     0);
        KillTimer(nullptr, timer);
        g_whileModal = nullptr;
        return seen;
    }

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

TEST_F(FilterView, AFolderPickedOnTheDriveOfASmallLetterDownloadFolderTakesTheFiles) {
    form.txt_Downloadfolder.setText("c:\\downloads");
    form.txt_filterfolder[0].setText("c:\\downloads");
    EXPECT_EQ(pickFilterFolder(0, "Music"), " C:\\ Downloads Music") << "locked to C:";
    ASSERT_EQ(form.txt_filterfolder[0].text(), "C:\\Music");
    press(h(form.Label2[5])); // START FILTER
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text;
    HWND report = h(form.list_filterreport);
    ASSERT_EQ(SendMessageA(report, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(row(report, 1), "song.mp3 moved to C:\\Music");
}

TEST_F(FilterView, AClickOnTheRowStillSelectedShowsRenameFileAgain) {
    files.writeLines("C:\\Downloads\\a1b2.dat", {"C:\\Downloads\\one.mp3"});
    files.writeLines("C:\\Downloads\\c3d4.dat", {"C:\\Downloads\\two.mp3"});
    press(h(form.Label2[2])); // DOWNLOAD FOLDER lists them
    HWND left = h(form.List_Downloads), right = h(form.list_downloads2);
    ASSERT_EQ(SendMessageA(right, LB_GETCOUNT, 0, 0), 2);
    int clicks = 0;
    for (ui::ListBox* list : {&form.List_Downloads, &form.list_downloads2})
        list->Click = [&clicks, list, handler = list->Click] {
            ++clicks;
            handler();
        };
    press(left, rowPoint(left, 1));
    EXPECT_EQ(clicks, 2) << "one click, and the other list following it";
    for (HWND list : {left, right}) {
        // START then STOP FILTER hides the button and keeps the selection.
        press(h(form.Label2[5]));
        press(h(form.filterlabel[0]));
        ASSERT_FALSE(IsWindowVisible(h(form.button_rename)));
        ASSERT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
        clicks = 0;
        press(list, rowPoint(list, 1));
        EXPECT_TRUE(IsWindowVisible(h(form.button_rename)));
        EXPECT_EQ(clicks, 1) << "one click raises one Click";
    }
    SendMessageA(right, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(form.List_Downloads.listIndex(), 0) << "the keyboard still selects";
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
