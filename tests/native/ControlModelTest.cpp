// The control model: what views and behaviour rely on (events raised at the right moment,
// selections kept in step, the view told of every change).

#include <gtest/gtest.h>

#include "platform/ui/Controls.h"

namespace morvane::ui {
namespace {

TEST(TextBoxTest, SettingTextFromCodeRaisesChangeNestedInTheSetter) {
    TextBox box;
    std::vector<std::string> log;
    box.onViewSync = [&](Aspect a) {
        log.push_back(a == Aspect::Text ? "view:" + box.text() : "?");
    };
    box.Change = [&] {
        log.push_back("change:" + box.text());
        if (box.text() == "ABC")
            box.setText("abc"); // a handler may set the text again
    };
    box.setText("ABC");
    log.push_back("after");
    box.setText("abc"); // unchanged: no event
    EXPECT_EQ(log, (std::vector<std::string>{"view:ABC", "change:ABC", "view:abc", "change:abc",
                                             "after"}));
}

TEST(TextBoxTest, TypingPassesThroughKeyPressAndHonoursTheLimits) {
    TextBox box;
    box.maxLength = 3;
    int changes = 0;
    box.Change = [&] { ++changes; };
    box.KeyPress = [](int& key) {
        if (key == 'x')
            key = 0; // discarded
        else if (key == 'u')
            key = 'U'; // replaced
    };
    box.type("axbuc");
    EXPECT_EQ(box.text(), "abU");
    EXPECT_EQ(changes, 3);
    box.type('\b');
    EXPECT_EQ(box.text(), "ab");
    box.readOnly = true;
    box.type('z');
    EXPECT_EQ(box.text(), "ab");
    EXPECT_EQ(changes, 4);
}

TEST(TextBoxTest, UserEditsAreNotMirroredBackIntoTheView) {
    TextBox box;
    int syncs = 0, changes = 0;
    box.onViewSync = [&](Aspect) { ++syncs; };
    box.Change = [&] { ++changes; };
    box.userEdited("typed");
    EXPECT_EQ(box.text(), "typed");
    EXPECT_EQ(syncs, 0);
    EXPECT_EQ(changes, 1);
}

TEST(ListBoxTest, RemovingItemsKeepsTheSelectionOnTheSameItem) {
    ListBox list;
    for (const char* s : {"a", "b", "c", "d"})
        list.addItem(s);
    list.setListIndex(2);
    list.removeItem(0);
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(list.item(list.listIndex()), "c");
    list.removeItem(1);
    EXPECT_EQ(list.listIndex(), -1);
    list.removeItem(7); // out of range: nothing
    EXPECT_EQ(list.count(), 2);
    list.setListIndex(5);
    EXPECT_EQ(list.listIndex(), -1);
}

TEST(ListBoxTest, SelectingRaisesClickOnlyOnAChangeAndAPressSelectsBeforeMouseDown) {
    ListBox list;
    list.addItem("a");
    list.addItem("b");
    std::vector<std::string> log;
    list.Click = [&] { log.push_back("click" + std::to_string(list.listIndex())); };
    list.MouseDown = [&](int button, int, float, float) {
        log.push_back("down" + std::to_string(button) + ":" + std::to_string(list.listIndex()));
    };
    list.setListIndex(0);
    list.setListIndex(0);
    list.press(kLeftButton, 1);
    list.press(kRightButton, 0); // the right button selects nothing
    list.press(kLeftButton, -1); // below the rows
    EXPECT_EQ(log, (std::vector<std::string>{"click0", "click1", "down1:1", "down2:1", "down1:1"}));
}

TEST(WindowTest, StateChangesRaiseResizeAndContainersStackInCallOrder) {
    Window window;
    EXPECT_FALSE(window.visible());
    int resizes = 0;
    window.Resize = [&] { ++resizes; };
    window.setState(WindowState::Minimised);
    window.setState(WindowState::Minimised);
    window.setState(WindowState::Normal);
    EXPECT_EQ(resizes, 2);

    Frame a, b;
    window.add(a, "a", {});
    window.add(b, "b", {});
    b.bringToFront();
    a.bringToFront();
    EXPECT_GT(a.z(), b.z());
    a.setVisible(false);
    Label inside;
    a.add(inside, "inside", {});
    EXPECT_TRUE(inside.visible());
    window.setVisible(true);
    EXPECT_FALSE(inside.shownOnScreen());
}

} // namespace
} // namespace morvane::ui
