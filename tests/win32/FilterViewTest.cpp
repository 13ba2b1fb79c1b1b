// The running filter on the real main window: START FILTER brings the running-filter page up
// with its report in the real list box, long reports stay in step with the model, and GO TO
// TRAY hides the window behind its icon.
#include "tests/win32/ViewFixture.h"

namespace morvane::view {
namespace {

class FilterView : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        if (HasFatalFailure())
            return;
        std::error_code ec;
        std::filesystem::create_directories(files.root() / "c" / "Downloads", ec);
        std::filesystem::create_directories(files.root() / "c" / "Music", ec);
        files.writeLines("C:\\Downloads\\song.mp3", {"la"});
        form.str_currentprofilename = "ann";
        form.txt_Downloadfolder.setText("C:\\Downloads");
        for (ui::TextBox& folder : form.txt_filterfolder)
            folder.setText("C:\\Downloads");
        form.txt_filterext[0].setText("mp3;");
        form.txt_filterfolder[0].setText("C:\\Music");
        show();
    }
};

TEST_F(FilterView, StartShowsTheRunningPageWithItsReportAndGoToTrayHidesTheWindow) {
    SetFocus(h(form.button_selfilterfolder[0]));
    click(form.Label2[5]); // START FILTER
    // The running page covers the rest: only its own lists take the focus and the keys.
    waitFor("the focus on the running-filter page",
            [&] { return IsChild(h(form.frame_runningfilter), GetFocus()); });
    EXPECT_EQ(tabCycle(), (std::vector<std::string>{"list_filterreport", "list_filtererrors"}));
    script({}, [&] { press(VK_SPACE); }); // a folder picker opened here would fail the script
    EXPECT_TRUE(IsWindowVisible(h(form.frame_runningfilter)));
    HWND report = h(form.list_filterreport);
    ASSERT_EQ(SendMessageA(report, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(listText(report, 1), "song.mp3 moved to C:\\Music");

    // Appended one by one, or changed in place: the real list follows the model.
    for (int i = 0; i < 50; ++i)
        form.list_filterreport.addItem("line " + std::to_string(i));
    form.list_filterreport.setItem(1, "changed");
    ASSERT_EQ(SendMessageA(report, LB_GETCOUNT, 0, 0), 52);
    EXPECT_EQ(listText(report, 1), "changed");
    EXPECT_EQ(listText(report, 51), "line 49");

    click(form.filterlabel[1]); // GO TO TRAY
    waitFor("the window hidden behind its icon", [&] { return !IsWindowVisible(h(form.window)); });
    EXPECT_TRUE(shell.iconPresent);
    EXPECT_TRUE(form.timer_filter.enabled()) << "the filter keeps running";
}

} // namespace
} // namespace morvane::view
