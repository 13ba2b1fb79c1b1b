// The control model: what views and behaviour rely on (events raised at the right moment,
// selections kept in step, the view told of every change made by code and of no other). How
// a press reaches the events is the Wine view test's, on real list messages.

#include <gtest/gtest.h>

#include "platform/ui/Controls.h"

namespace morvane::ui {
namespace {

using Log = std::vector<std::string>;

TEST(TextBoxTest, CodeRaisesChangeNestedInTheSetterAndAUsersEditIsNotMirrored) {
    TextBox box;
    Log log;
    box.onViewSync = [&](Aspect) { log.push_back("view:" + box.text()); };
    box.Change = [&] {
        log.push_back("change:" + box.text());
        if (box.text() == "ABC")
            box.setText("abc"); // a handler may set the text again
    };
    box.setText("ABC");
    log.push_back("after");
    box.setText("abc"); // unchanged: no event
    box.userEdited("ty");
    EXPECT_EQ(log, (Log{"view:ABC", "change:ABC", "view:abc", "change:abc", "after", "change:ty"}))
        << "a user's edit is not mirrored back to the view";
}

TEST(ListBoxTest, SelectionFollowsItsItemAndUpdatesNest) {
    ListBox list;
    for (const char* s : {"a", "b", "c", "d"})
        list.addItem(s);
    int clicks = 0;
    list.Click = [&] { ++clicks; };
    list.setListIndex(2);
    list.setListIndex(2);
    list.removeItem(0);
    EXPECT_EQ(list.item(list.listIndex()), "c");
    list.removeItem(1);
    EXPECT_EQ(list.listIndex(), -1);
    EXPECT_EQ(clicks, 1) << "a selection set again raises no Click";

    // Rows replaced in one go leave nothing selected; a view hears of an update's start and
    // end once however deeply the updates nest.
    std::vector<Aspect> synced;
    list.onViewSync = [&](Aspect aspect) { synced.push_back(aspect); };
    {
        ListUpdate outer(list), inner(list);
        list.setItems({"x", "y"});
        EXPECT_TRUE(list.updating());
    }
    EXPECT_FALSE(list.updating());
    EXPECT_EQ(synced, (std::vector<Aspect>{Aspect::Updating, Aspect::Items, Aspect::Updating}));
    EXPECT_EQ(list.items(), (Log{"x", "y"}));
    EXPECT_EQ(list.listIndex(), -1);
}

} // namespace
} // namespace morvane::ui
