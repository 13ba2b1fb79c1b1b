// The list model: selections kept in step with their items, and updates that nest. A text
// box's events are every form test's (the name box's rename step sets its text from its own
// Change); how a press reaches the events is the Wine view test's, on real list messages.

#include <gtest/gtest.h>

#include "platform/ui/Controls.h"

namespace morvane::ui {
namespace {

using Log = std::vector<std::string>;

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
