// The main window on the headless view: a start-up case that needs the emulation's eyes
// (registry calls counted), the section menu, the command bar, the hover highlighting and the
// notification-area icon. The pages stacked at start are the Wine view test's.

#include <gtest/gtest.h>

#include <functional>

#include "support/Harness.h"

namespace morvane::test {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    Harness h;
    MainWindow& form = h.form();

    std::string visiblePages() {
        std::string shown;
        for (const ui::Frame* page : {&form.generalPage, &form.sharedFoldersPage,
                                      &form.downloadFolderPage, &form.downloadFilterPage})
            if (page->visible())
                shown += (shown.empty() ? "" : ",") + page->name;
        return shown;
    }
    static char colour(const ui::Label& label) {
        return label.foreColour() == ui::kBlue ? 'B' : 'k';
    }
    // The section menu's items, then the command bar's.
    std::string menuColours() const {
        std::string out;
        for (const ui::Label& label : form.sectionMenu)
            out += colour(label);
        for (const ui::Label& label : form.commandBar)
            out += colour(label);
        return out;
    }
    std::string runningPageColours() const {
        return {colour(form.stopFilterCommand), colour(form.goToTrayCommand)};
    }
    void goToTray() { form.goToTrayCommand.click(); }
    // The icon reports a mouse message as a move over the window whose X, in twips, is it.
    void iconReports(int message) { form.window.MouseMove(1, 0, message * 15.0f, 0); }
};

// Start-up -----------------------------------------------------------------------------------

TEST_F(MainWindowTest, ChooserClosedWithoutAChoiceEndsWithoutTouchingTheClientsKeys) {
    h.installKazaa();
    int callsWhileShown = 0;
    h.windows.onModal = [&](ui::Window&) { callsWhileShown = h.registry.calls(); };
    EXPECT_FALSE(form.Form_Load());
    EXPECT_TRUE(h.windows.ended());
    EXPECT_EQ(h.registry.calls(), callsWhileShown);
    EXPECT_FALSE(h.exists("C:\\FastTrackProfiles"));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

// The section menu and the command bar ------------------------------------------------------

TEST_F(MainWindowTest, EachSectionItemShowsOnlyItsPageAndHidesTheRenameButtonButOne) {
    EXPECT_EQ(visiblePages(),
              "generalPage,sharedFoldersPage,downloadFolderPage,downloadFilterPage");
    // The item clicked, the page it shows, whether RENAME FILE stays.
    const std::tuple<std::size_t, const char*, bool> clicks[] = {
        {1, "sharedFoldersPage", false}, {2, "downloadFolderPage", true},
        {2, "downloadFolderPage", true}, {3, "downloadFilterPage", false},
        {0, "generalPage", false},       {0, "generalPage", false}};
    for (const auto& [index, page, renameStays] : clicks) {
        SCOPED_TRACE(page);
        form.renameButton.setVisible(true);
        form.sectionMenu[index].click();
        EXPECT_EQ(visiblePages(), page);
        EXPECT_EQ(form.renameButton.visible(), renameStays);
    }
}

// Ctrl+Tab and Ctrl+PgDn go round the sections, Ctrl+Shift+Tab and Ctrl+PgUp back, each as its
// item's click; other keys are the controls' own, and the running page holds the sections back.
TEST_F(MainWindowTest, CtrlTabAndCtrlPageKeysGoRoundTheSectionsAsTheirItemsDo) {
    using ui::kCtrlKey, ui::kShiftKey, ui::kKeyTab, ui::kKeyPageDown, ui::kKeyPageUp;
    form.sectionMenu[GeneralItem].click();
    // The key, its shift state, whether the window takes it, the page in front after it.
    const std::tuple<int, int, bool, const char*> keys[] = {
        {kKeyTab, kCtrlKey, true, "sharedFoldersPage"},
        {kKeyPageDown, kCtrlKey, true, "downloadFolderPage"},
        {kKeyTab, kCtrlKey, true, "downloadFilterPage"},
        {kKeyTab, kCtrlKey, true, "generalPage"},
        {kKeyPageUp, kCtrlKey, true, "downloadFilterPage"},
        {kKeyTab, kCtrlKey | kShiftKey, true, "downloadFolderPage"},
        {kKeyTab, 0, false, "downloadFolderPage"},
        {kKeyPageDown, 0, false, "downloadFolderPage"},
        {kKeyTab, kCtrlKey | ui::kAltKey, false, "downloadFolderPage"},
    };
    for (const auto& [key, shift, taken, page] : keys) {
        SCOPED_TRACE(std::to_string(key) + " " + std::to_string(shift));
        EXPECT_EQ(PressKey(form.window, key, shift), taken);
        EXPECT_EQ(visiblePages(), page);
        std::string selected, expected;
        for (const ui::Label& item : form.sectionMenu)
            selected += item.selected() ? '1' : '0';
        for (const char* inOrder :
             {"generalPage", "sharedFoldersPage", "downloadFolderPage", "downloadFilterPage"})
            expected += std::string(inOrder) == page ? '1' : '0';
        EXPECT_EQ(selected, expected) << "the item in front stands selected";
    }
    form.runningFilterPage.setVisible(true);
    EXPECT_TRUE(PressKey(form.window, kKeyTab, kCtrlKey));
    EXPECT_EQ(visiblePages(), "downloadFolderPage");
}

// A highlight stays until an area that clears it is crossed; the filter items clear only on
// their own page; a hidden window hears only its notification icon.
TEST_F(MainWindowTest, HighlightStaysUntilAClearingAreaIsCrossed) {
    form.window.setVisible(true);
    MoveMouse(form.sectionMenu[GeneralItem]);
    MoveMouse(form.commandBar[StartFilterItem]);
    EXPECT_EQ(menuColours(), "BkkkkBkkk");
    form.sectionArea.MouseMove(0, 0, 10, 10);
    EXPECT_EQ(menuColours(), "kkkkkkkkk");
    MoveMouse(form.goToTrayCommand);
    form.titleArea.MouseMove(0, 0, 1, 1);
    MoveMouse(form.stopFilterCommand);
    EXPECT_EQ(runningPageColours(), "BB");
    form.runningFilterPage.MouseMove(0, 0, 1, 1);
    EXPECT_EQ(runningPageColours(), "kk");

    MoveMouse(form.sectionMenu[SharedFoldersItem]);
    form.window.setVisible(false);
    form.window.MouseMove(0, 0, 10, 10);
    EXPECT_EQ(menuColours(), "kBkkkkkkk");
}

// The notification-area icon ----------------------------------------------------------------

// The Wine view test minimises to the icon, re-adds it for a new task bar and restores by
// the menu; here what the real shell cannot be made to do: refuse the icon, or report to a
// window still shown.
TEST_F(MainWindowTest, AWindowWhoseIconCannotBeShownComesBackAndTheIconReturnsWithTheTaskBar) {
    form.window.setVisible(true);
    form.window.Resize(); // the view's first showing clears an icon left behind
    ASSERT_EQ(h.shell.notifyCalls.size(), 1u);
    EXPECT_EQ(h.shell.notifyCalls[0].first, kNotifyDelete);
    iconReports(0x0204);
    EXPECT_TRUE(h.dialogs.menus.empty()) << "a visible window never shows the menu";
    h.shell.refuseAdd = true;
    goToTray();
    EXPECT_TRUE(form.window.visible());
    EXPECT_EQ(form.window.state(), ui::WindowState::Normal);

    h.shell.refuseAdd = false;
    form.window.TaskbarCreated(); // shown: nothing to add
    EXPECT_FALSE(h.shell.iconPresent);
    MoveMouse(form.goToTrayCommand);
    goToTray();
    EXPECT_EQ(form.goToTrayCommand.foreColour(), ui::kBlack);
    EXPECT_EQ(std::string(h.shell.notifyCalls.back().second.szTip), "Morvane");
    h.shell.iconPresent = false; // the shell restarted
    form.window.TaskbarCreated();
    EXPECT_TRUE(h.shell.iconPresent);
    EXPECT_FALSE(form.window.visible());
}

// Restore deletes the icon before the window shows; exit from the tray during a run ends the
// program without a stop line.
TEST_F(MainWindowTest, RestoreDeletesTheIconBeforeShowingAndExitDuringARunEndsAtOnce) {
    form.window.setVisible(true);
    form.profiles.setCurrentName("alice");
    form.commandBar[StartFilterItem].click();
    ASSERT_TRUE(form.filterTimer.enabled());
    goToTray();
    bool iconWhenShown = true;
    form.window.onViewSync = [&](ui::Aspect aspect) {
        if (aspect == ui::Aspect::Visible && form.window.visible())
            iconWhenShown = h.shell.iconPresent;
    };
    h.dialogs.menuChoices = {0, 1};
    iconReports(0x0204);
    EXPECT_EQ(h.dialogs.menus[0].captions,
              (std::vector<std::string>{"Restore Main Window", "Stop Filters And Exit"}));
    EXPECT_TRUE(form.window.visible());
    EXPECT_EQ(form.window.state(), ui::WindowState::Normal);
    EXPECT_FALSE(iconWhenShown);
    goToTray();
    EXPECT_TRUE(h.shell.iconPresent);
    iconReports(0x0204);
    EXPECT_TRUE(h.windows.ended());
    EXPECT_FALSE(h.shell.iconPresent);
    EXPECT_EQ(form.filterReportList.items(),
              std::vector<std::string>{"Filter started at 12:00:00"});
}

// No end of the program moves the focus: each first does what leaving the focused field does
// (a typed number stored, an emptied one's fallback, an extension list stored); EXIT alone
// skips the rest of the unload.
TEST(ProgramEndTest, EveryEndStoresTheValueBeingTypedFirst) {
    // EXIT, the close box (and the session's end), the tray's exit; what is typed, and stored.
    const std::tuple<int, const char*, const char*> ends[] = {
        {0, "9", "9"}, {1, "\b", "50"}, {2, "bmp;", "bmp;"}};
    for (const auto& [end, typed, stored] : ends) {
        SCOPED_TRACE(stored);
        Harness h;
        MainWindow& form = h.form();
        ui::TextBox* field[] = {&form.uploadsBox, &form.searchResultsBox,
                                &form.filterRows[2].extensions};
        form.profiles.setCurrentName("alice");
        form.profileNameBox.setText("alice");
        h.windows.focus(field[end]);
        Type(*field[end], typed);
        const std::function<void()> ending[] = {
            [&] { form.commandBar[ExitItem].click(); }, form.window.Unload,
            form.trayMenu.items[MainWindow::StopFiltersAndExit].Click};
        ending[end]();
        EXPECT_TRUE(h.windows.ended());
        EXPECT_NE(h.readFile(profileFile("alice")).find(std::string("\r\n") + stored + "\r\n"),
                  std::string::npos);
        EXPECT_EQ(h.shell.notifyCalls.size(), end == 0 ? 0u : 1u);
    }
}

} // namespace
} // namespace morvane::test
