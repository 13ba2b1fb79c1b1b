// The list model's updates. The controls' events are every form test's (the name box's rename
// step sets its text from its own Change); how a press reaches them is the Wine view test's.

#include <gtest/gtest.h>

#include "platform/ui/Controls.h"

namespace morvane::ui {
namespace {

// Rows replaced in one go leave nothing selected; a view hears of an update's start and end
// once however deeply the updates nest (thousands of rows repainted one by one froze the
// window).
TEST(ListBoxTest, RowsReplacedInOneGoAndUpdatesThatNest) {
    ListBox list;
    list.setItems({"a", "b", "c"});
    list.setListIndex(2);
    std::vector<Aspect> synced;
    list.onViewSync = [&](Aspect aspect) { synced.push_back(aspect); };
    {
        ListUpdate outer(list), inner(list);
        list.setItems({"x", "y"});
        EXPECT_TRUE(list.updating());
    }
    EXPECT_FALSE(list.updating());
    EXPECT_EQ(synced, (std::vector<Aspect>{Aspect::Updating, Aspect::Items, Aspect::Updating}));
    EXPECT_EQ(list.items(), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(list.listIndex(), -1);
}

} // namespace
} // namespace morvane::ui
