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
    template <std::size_t N> std::string colours(const std::array<ui::Label, N>& labels) {
        std::string out;
        for (const ui::Label& label : labels)
            out += label.foreColour() == ui::kBlue ? 'B' : 'k';
        return out;
    }
};

TEST_F(SectionMenuTest, EachSectionItemShowsOnlyItsPageAndHidesTheRenameButtonButOne) {
    EXPECT_EQ(visiblePages(), "frame_general,frame_shared,frame_downloads,frame_filter");
    const struct {
        int index;
        const char* page;
        bool renameStays;
    } clicks[] = {{1, "frame_shared", false},   {2, "frame_downloads", true},
                  {2, "frame_downloads", true}, {3, "frame_filter", false},
                  {0, "frame_general", false},  {0, "frame_general", false}};
    for (const auto& click : clicks) {
        form.button_rename.setVisible(true);
        form.Label2[static_cast<std::size_t>(click.index)].click();
        EXPECT_EQ(visiblePages(), click.page) << "Label2(" << click.index << ")";
        EXPECT_EQ(form.button_rename.visible(), click.renameStays)
            << "Label2(" << click.index << ")";
    }
}

TEST_F(SectionMenuTest, ItemsAreToldApartByCaptionNotByIndex) {
    form.Label2[8].setCaption("GENERAL");
    form.Label2[1].click();
    form.Label2[8].click();
    EXPECT_EQ(visiblePages(), "frame_general");
    form.Label2[3].setCaption("no such item");
    form.Label2[3].click();
    EXPECT_EQ(visiblePages(), "frame_general");
    EXPECT_TRUE(h.shell.commands.empty());
}

TEST_F(SectionMenuTest, WebItemsStartTheBrowserAndExitEndsWithoutSavingAPendingField) {
    EXPECT_NE(std::string(kWebPageAddress).find(form.Label2[8].caption()), std::string::npos)
        << "the item shows the web page's host name";
    form.Label2[8].click();
    form.Label2[7].click();
    EXPECT_EQ(h.shell.commands,
              (std::vector<std::string>{std::string("start ") + kWebPageAddress,
                                        std::string("start ") + kUpdatePageAddress}));
    EXPECT_FALSE(h.windows.ended());

    bool saved = false;
    form.txt_Downloads.LostFocus = [&] { saved = true; };
    form.Label2[6].click();
    EXPECT_TRUE(h.windows.ended());
    EXPECT_FALSE(saved);
}

TEST_F(SectionMenuTest, HighlightStaysUntilAClearingAreaIsCrossed) {
    form.window.setVisible(true);
    // Pages, lists, boxes and the profile column have no clearing handler.
    for (const ui::Container* area : {static_cast<const ui::Container*>(&form.frame_general),
                                      static_cast<const ui::Container*>(&form.Frame1),
                                      static_cast<const ui::Container*>(&form.Picture2)})
        EXPECT_FALSE(area->MouseMove) << area->name;
    for (ui::Container* clearing : {static_cast<ui::Container*>(&form.Picture1),
                                    static_cast<ui::Container*>(&form.frm_Details),
                                    static_cast<ui::Container*>(&form.window)}) {
        form.Label2[0].moveMouse();
        form.Label2[5].moveMouse();
        EXPECT_EQ(colours(form.Label2), "BkkkkBkkk");
        clearing->MouseMove(0, 0, 10, 10);
        EXPECT_EQ(colours(form.Label2), "kkkkkkkkk") << clearing->name;
    }
    // A hidden window hears only its notification icon.
    form.Label2[1].moveMouse();
    form.window.setVisible(false);
    form.window.MouseMove(0, 0, 10, 10);
    EXPECT_EQ(colours(form.Label2), "kBkkkkkkk");
}

TEST_F(SectionMenuTest, FilterItemsClearOnlyOnTheirOwnPage) {
    form.filterlabel[1].moveMouse();
    form.Picture1.MouseMove(0, 0, 1, 1);
    form.filterlabel[0].moveMouse();
    EXPECT_EQ(colours(form.filterlabel), "BB");
    form.frame_runningfilter.MouseMove(0, 0, 1, 1);
    EXPECT_EQ(colours(form.filterlabel), "kk");
}

} // namespace
} // namespace morvane::test
