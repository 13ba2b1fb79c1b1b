// The notification-area icon on the headless view: the record, the icon's reports, restoring,
// and the end of the program.
#include <gtest/gtest.h>

#include <cstring>

#include "support/Harness.h"

namespace morvane::test {
namespace {

class TrayTest : public ::testing::Test {
protected:
    void SetUp() override { form.window.setVisible(true); }
    void goToTray() { form.filterlabel[1].click(); }
    // The icon reports a mouse message as a move over the window whose X, in twips, is it.
    void iconReports(int message) { form.window.MouseMove(1, 0, message * 15.0f, 0); }
    std::vector<std::uint32_t> calls() {
        std::vector<std::uint32_t> messages;
        for (const auto& call : h.shell.notifyCalls)
            messages.push_back(call.first);
        return messages;
    }

    Harness h;
    Form1& form = h.form();
};

TEST_F(TrayTest, FirstShowingDeletesWithAZeroRecordAndGoToTrayAddsTheFilledOne) {
    form.window.Resize(); // the view's first showing
    ASSERT_EQ(calls(), std::vector<std::uint32_t>{kNotifyDelete});
    const NotifyIconRecord& zero = h.shell.notifyCalls[0].second;
    EXPECT_EQ(zero.cbSize + zero.hWnd + zero.uID + zero.uFlags + zero.uCallbackMessage + zero.hIcon,
              0u);
    EXPECT_EQ(std::string(zero.szTip, 64), std::string(64, '\0'));

    form.filterlabel[1].moveMouse();
    goToTray();
    EXPECT_EQ(form.filterlabel[1].foreColour(), ui::kBlack);
    EXPECT_FALSE(form.window.visible());
    ASSERT_EQ(calls(), (std::vector<std::uint32_t>{kNotifyDelete, kNotifyAdd}));
    const NotifyIconRecord& added = h.shell.notifyCalls[1].second;
    EXPECT_EQ(added.cbSize, sizeof(void*) == 4 ? 88u : 104u);
    EXPECT_EQ(added.hWnd, 0x1230u);
    EXPECT_EQ(added.uID, 1u);
    EXPECT_EQ(added.uFlags, 7u);
    EXPECT_EQ(added.uCallbackMessage, 0x0200u);
    EXPECT_EQ(added.hIcon, 0x4560u);
    EXPECT_EQ(std::string(added.szTip, 64),
              "Morvane" + std::string(1, '\0') + std::string(56, ' '));
    EXPECT_EQ(form.TrayIcon.uID, 1u) << "the window keeps the record";
}

TEST_F(TrayTest, OnlyTheRightButtonPressOnTheIconOpensTheMenu) {
    iconReports(0x0204);
    EXPECT_TRUE(h.dialogs.menus.empty()) << "a visible window never shows it";
    goToTray();
    for (int message : {0x0200, 0x0201, 0x0202, 0x0203, 0x0205, 0x0206})
        iconReports(message);
    EXPECT_TRUE(h.dialogs.menus.empty());
    iconReports(0x0204);
    ASSERT_EQ(h.dialogs.menus.size(), 1u);
    EXPECT_EQ(h.dialogs.menus[0].captions,
              (std::vector<std::string>{"Restore Main Window", "Stop Filters And Exit"}));
}

TEST_F(TrayTest, RestoreDeletesTheIconBeforeShowingAndTheTrayCanBeUsedAgain) {
    goToTray();
    bool iconWhenShown = true;
    form.window.onViewSync = [&](ui::Aspect aspect) {
        if (aspect == ui::Aspect::Visible && form.window.visible())
            iconWhenShown = h.shell.iconPresent;
    };
    h.dialogs.menuChoices = {0};
    iconReports(0x0204);
    EXPECT_TRUE(form.window.visible());
    EXPECT_EQ(form.window.state(), ui::WindowState::Normal);
    EXPECT_FALSE(iconWhenShown);
    goToTray();
    EXPECT_TRUE(h.shell.iconPresent);
    EXPECT_EQ(h.shell.notifyCalls.back().second.uID, 1u);
}

TEST_F(TrayTest, AWindowWhoseIconCannotBeShownComesBackAndTheIconReturnsWithTheTaskBar) {
    h.shell.refuseAdd = true;
    goToTray();
    EXPECT_TRUE(form.window.visible());
    EXPECT_EQ(form.window.state(), ui::WindowState::Normal);

    h.shell.refuseAdd = false;
    form.window.TaskbarCreated(); // shown: nothing to add
    EXPECT_FALSE(h.shell.iconPresent);
    goToTray();
    h.shell.iconPresent = false; // the shell restarted
    form.window.TaskbarCreated();
    EXPECT_TRUE(h.shell.iconPresent);
    EXPECT_FALSE(form.window.visible());
}

TEST_F(TrayTest, ExitFromTheTrayDuringARunEndsWithoutAStopLine) {
    form.str_currentprofilename = "alice";
    form.Label2[5].click();
    ASSERT_TRUE(form.timer_filter.enabled());
    goToTray();
    h.dialogs.menuChoices = {1};
    iconReports(0x0204);
    EXPECT_TRUE(h.windows.ended());
    EXPECT_FALSE(h.shell.iconPresent);
    EXPECT_EQ(form.list_filterreport.items(),
              std::vector<std::string>{"Filter started at 12:00:00"});
}

} // namespace
} // namespace morvane::test
