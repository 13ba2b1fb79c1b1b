// The section menu, the command bar and the hover highlighting, acted out on the headless view.

#include <gtest/gtest.h>

#include "support/Harness.h"

namespace morvane::test {
namespace {

class SectionMenuTest : public ::testing::Test {
protected:
    Harness h;
    Form1& form = h.form();

    std::string visiblePages() {
        std::string shown;
        for (const ui::Frame* page :
             {&form.frame_general, &form.frame_shared, &form.frame_downloads, &form.frame_filter})
            if (page->visible())
                shown += (shown.empty() ? "" : ",") + page->name;
        return shown;
    }
    std::string colours(const auto& labels) {
        std::string out;
        for (const ui::Label& label : labels)
            out += label.foreColour() == ui::kBlue ? 'B'
                                                   : (label.foreColour() == ui::kBlack ? 'k' : '?');
        return out;
    }
};

TEST_F(SectionMenuTest, EachSectionItemShowsExactlyItsPage) {
    EXPECT_EQ(visiblePages(), "frame_general,frame_shared,frame_downloads,frame_filter");
    const std::pair<int, const char*> clicks[] = {{1, "frame_shared"},  {2, "frame_downloads"},
                                                  {3, "frame_filter"},  {0, "frame_general"},
                                                  {0, "frame_general"}, {2, "frame_downloads"}};
    for (auto [index, page] : clicks) {
        form.Label2[static_cast<std::size_t>(index)].click();
        EXPECT_EQ(visiblePages(), page) << "after Label2(" << index << ")";
    }
}

TEST_F(SectionMenuTest, RenameButtonIsHiddenByEveryPageButDownloadFolder) {
    form.Label2[2].click();
    form.button_rename.setVisible(true);
    form.Label2[2].click();
    EXPECT_TRUE(form.button_rename.visible()) << "DOWNLOAD FOLDER leaves it";
    for (int index : {0, 1, 3}) {
        form.button_rename.setVisible(true);
        form.Label2[static_cast<std::size_t>(index)].click();
        EXPECT_FALSE(form.button_rename.visible()) << "Label2(" << index << ")";
    }
}

TEST_F(SectionMenuTest, ItemsAreToldApartByCaptionNotIndex) {
    form.Label2[8].setCaption("GENERAL");
    form.Label2[1].click();
    form.Label2[8].click();
    EXPECT_EQ(visiblePages(), "frame_general");
    EXPECT_TRUE(h.shell.commands.empty());
    form.Label2[3].setCaption("no such item");
    form.Label2[3].click();
    EXPECT_EQ(visiblePages(), "frame_general");
}

TEST_F(SectionMenuTest, WebItemsStartTheBrowserHiddenWithoutWaiting) {
    EXPECT_EQ(form.Label2[8].caption(), kWebPageHost);
    EXPECT_NE(std::string(kWebPageAddress).find(form.Label2[8].caption()), std::string::npos);
    form.Label2[8].click();
    form.Label2[7].click();
    ASSERT_EQ(h.shell.commands.size(), 2u);
    EXPECT_EQ(h.shell.commands[0], std::string("start ") + kWebPageAddress);
    EXPECT_EQ(h.shell.commands[1], std::string("start ") + kUpdatePageAddress);
    EXPECT_FALSE(h.windows.ended());
}

TEST_F(SectionMenuTest, ExitEndsAtOnceWithoutSavingAPendingField) {
    form.txt_Downloads.type("7");
    bool saved = false;
    form.txt_Downloads.LostFocus = [&] { saved = true; };
    form.Label2[6].click();
    EXPECT_TRUE(h.windows.ended());
    EXPECT_FALSE(saved);
}

TEST_F(SectionMenuTest, HighlightStaysUntilAClearingAreaIsCrossed) {
    form.window.setVisible(true);
    form.Label2[0].moveMouse();
    form.Label2[5].moveMouse();
    EXPECT_EQ(colours(form.Label2), "BkkkkBkkk");
    // Pages, lists, boxes and the profile column have no clearing handler.
    for (const ui::Container* area : {static_cast<const ui::Container*>(&form.frame_general),
                                      static_cast<const ui::Container*>(&form.Frame1),
                                      static_cast<const ui::Container*>(&form.Picture2)})
        EXPECT_FALSE(area->MouseMove) << area->name;
    form.Picture1.MouseMove(0, 0, 10, 10);
    EXPECT_EQ(colours(form.Label2), "kkkkkkkkk");

    form.Label2[8].moveMouse();
    form.frm_Details.MouseMove(0, 0, 10, 10);
    EXPECT_EQ(colours(form.Label2), "kkkkkkkkk");

    form.Label2[3].moveMouse();
    form.window.MouseMove(0, 0, 10, 10);
    EXPECT_EQ(colours(form.Label2), "kkkkkkkkk");
}

TEST_F(SectionMenuTest, HiddenWindowBackgroundDoesNotClear) {
    form.Label2[1].moveMouse();
    form.window.setVisible(false);
    form.window.MouseMove(0, 0, 10, 10);
    EXPECT_EQ(colours(form.Label2), "kBkkkkkkk");
}

TEST_F(SectionMenuTest, FilterItemsHighlightAndClearOnTheirPageOnly) {
    form.filterlabel[1].moveMouse();
    form.Picture1.MouseMove(0, 0, 1, 1);
    EXPECT_EQ(colours(form.filterlabel), "kB");
    form.filterlabel[0].moveMouse();
    EXPECT_EQ(colours(form.filterlabel), "BB");
    form.frame_runningfilter.MouseMove(0, 0, 1, 1);
    EXPECT_EQ(colours(form.filterlabel), "kk");
}

} // namespace
} // namespace morvane::test
