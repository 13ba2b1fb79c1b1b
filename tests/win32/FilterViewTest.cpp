// The running filter and the notification icon on the real main window and the real shell:
// START FILTER bringing the running-filter page up, its lists following their newest rows,
// minimising behind the icon; a press on a list, and RENAME FILE shown again by a click on the
// row still selected.
#include <windows.h>

#include <shellapi.h>

#include <optional>
#include <string>

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

// On the real shell, which has a notification area under Wine too.
class FilterView : public ViewTest {
protected:
    FilterView() : ViewTest({.shell = true}) {}
    void TearDown() override {
        if (iconShown(h(form.window)))
            winShell.notifyIcon(kNotifyDelete, form.TrayIcon);
        ViewTest::TearDown();
    }
    void SetUp() override {
        ViewTest::SetUp();
        if (HasFatalFailure())
            return;
        files.makeDirectory("C:\\Downloads");
        form.profiles.setCurrentName("ann");
        form.downloadFolderBox.setText("C:\\Downloads");
        for (FilterRow& row : form.filterRows)
            row.folder.setText("C:\\Downloads");
        show();
    }
};

// The running page covers the rest: only its own lists and commands take the focus and the keys.
TEST_F(FilterView, TheRunningPageAloneTakesTheFocusAndTheKeys) {
    SetFocus(h(form.filterRows[0].chooseFolder));
    click(form.commandBar[StartFilterItem]); // START FILTER
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text;
    waitFor("the focus on the running-filter page",
            [&] { return IsChild(h(form.runningFilterPage), GetFocus()); });
    EXPECT_EQ(tabCycle(), (std::vector<std::string>{"filterReportList", "filterFailureList",
                                                    "stopFilterCommand", "goToTrayCommand"}));
    script({}, [&] { press(VK_SPACE); }); // a folder picker opened here would fail the script
}

// A press raises Click with the new selection (the other list following), then MouseDown.
TEST_F(FilterView, APressRaisesClickThenMouseDownAndAgainOnTheRowStillSelected) {
    files.writeLines("C:\\Downloads\\a1b2.dat", {"C:\\Downloads\\one.mp3"});
    files.writeLines("C:\\Downloads\\c3d4.dat", {"C:\\Downloads\\two.mp3"});
    click(form.sectionMenu[DownloadFolderItem]); // DOWNLOAD FOLDER lists them
    ASSERT_EQ(SendMessageA(h(form.datFileList), LB_GETCOUNT, 0, 0), 2);
    std::string events;
    for (ui::ListBox* list : {&form.downloadNameList, &form.datFileList}) {
        list->Click = [&events, list, handler = list->Click] {
            events += list->name + " Click " + std::to_string(list->listIndex()) + ", ";
            handler();
        };
        list->MouseDown = [&events, list](int button, int, float, float) {
            events += list->name + " MouseDown " + std::to_string(button);
        };
    }
    clickRow(h(form.downloadNameList), 1);
    EXPECT_EQ(events,
              "downloadNameList Click 1, datFileList Click 1, downloadNameList MouseDown 1");
    for (ui::ListBox* list : {&form.downloadNameList, &form.datFileList}) {
        // START then STOP FILTER hides the button and keeps the selection.
        click(form.commandBar[StartFilterItem]);
        click(form.stopFilterCommand);
        ASSERT_FALSE(IsWindowVisible(h(form.renameButton)));
        ASSERT_EQ(SendMessageA(h(*list), LB_GETCURSEL, 0, 0), 1);
        events.clear();
        clickRow(h(*list), 1);
        EXPECT_TRUE(IsWindowVisible(h(form.renameButton)));
        EXPECT_EQ(events, list->name + " Click 1, " + list->name + " MouseDown 1")
            << "one press, one Click";
    }
}

// The running page's lists keep their newest row in sight as rows come, one by one or in a
// pass's batch, unless the user has scrolled up to read: then their place is kept.
TEST_F(FilterView, TheFilterListsKeepTheirNewestRowInSightUnlessScrolledUp) {
    click(form.commandBar[StartFilterItem]); // START FILTER
    for (ui::ListBox* list : {&form.filterReportList, &form.filterFailureList}) {
        HWND hwnd = h(*list);
        const auto top = [&] { return SendMessageA(hwnd, LB_GETTOPINDEX, 0, 0); };
        const auto add = [&](bool batched) {
            std::optional<ui::ListUpdate> update;
            if (batched)
                update.emplace(*list);
            for (int i = 0; i < 30; ++i)
                list->addItem("line " + std::to_string(list->count()));
            return list->name + (batched ? " in a batch" : " one by one");
        };
        for (bool batched : {false, true, false}) {
            std::string how = add(batched);
            RECT row{}, client{};
            SendMessageA(hwnd, LB_GETITEMRECT, list->count() - 1, reinterpret_cast<LPARAM>(&row));
            GetClientRect(hwnd, &client);
            EXPECT_TRUE(row.top >= 0 && row.bottom <= client.bottom) << how;
            EXPECT_EQ(list->topIndex(), top()) << how;
            if (!batched)
                continue;
            SendMessageA(hwnd, WM_VSCROLL, SB_LINEUP, 0); // the user scrolls up to read
            const LRESULT reading = top();
            for (bool again : {false, true})
                EXPECT_EQ((how = add(again), top()), reading) << "the place is kept, " << how;
            SendMessageA(hwnd, WM_VSCROLL, SB_BOTTOM, 0); // and back to the end
        }
    }
}

// The system's minimise command hides the window behind an icon, a re-created task bar gets the
// icon again, and the menu's first item brings the window back and removes the icon.
TEST_F(FilterView, MinimisingHidesBehindTheIconWhichANewTaskBarGetsAgainAndTheMenuRemoves) {
    HWND hwnd = h(form.window);
    ASSERT_FALSE(iconShown(hwnd));
    ShowWindow(hwnd, SW_MINIMIZE); // the system's command, as from the task bar
    waitFor("the minimised window hidden behind its icon",
            [&] { return !IsWindowVisible(hwnd) && iconShown(hwnd); });
    EXPECT_NE(form.TrayIcon.hIcon, 0u) << "the window's own icon";

    winShell.notifyIcon(kNotifyDelete, form.TrayIcon); // as a restarting shell forgets it
    SendMessageA(hwnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(iconShown(hwnd));
    EXPECT_FALSE(IsWindowVisible(hwnd));

    dialogs.menuChoices = {0}; // the first item of the icon's menu
    SendMessageA(hwnd, WM_MOUSEMOVE, 1, WM_RBUTTONDOWN);
    ASSERT_EQ(dialogs.menus.size(), 1u);
    waitFor("the window back from the tray",
            [&] { return IsWindowVisible(hwnd) && !IsIconic(hwnd); });
    EXPECT_FALSE(iconShown(hwnd));
}

} // namespace
} // namespace morvane::view
