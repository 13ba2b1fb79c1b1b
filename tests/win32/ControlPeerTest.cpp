// Single controls on a small window of their own: the rules of the Win32 mapping that the
// main window's tests do not reach (list box events, the change guard, DPI scaling).

#include <vector>

#include "tests/win32/ViewFixture.h"

namespace morvane::test {
namespace {

class ControlPeerTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.clientWidth = 6000;
        window.clientHeight = 3000;
        window.add(page, "page", {0, 0, 6000, 3000});
        page.add(list, "list", {120, 120, 2400, 900}); // room for about four rows
        page.add(box, "box", {3000, 120, 1500, 315});
        page.add(label, "label", {3000, 600, 1500, 255});
        for (int i = 0; i < 20; ++i)
            list.addItem("row " + std::to_string(i));
        view = &windows.realise(window);
        ASSERT_NE(view->handle(), nullptr) << "no window: the view tests need a display (Xvfb)";
        window.setVisible(true);
        windows.doEvents();
    }

    void TearDown() override { windows.releaseAll(); }

    HWND h(const ui::Control& control) { return view->handleOf(control); }

    POINT rowPoint(int row) {
        RECT item{};
        SendMessageA(h(list), LB_GETITEMRECT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
        return {item.left + 3, (item.top + item.bottom) / 2};
    }

    ui::Window window;
    ui::Frame page;
    ui::ListBox list;
    ui::TextBox box;
    ui::Label label;
    Win32WindowManager windows{GetModuleHandleA(nullptr), 96, [] {}};
    Win32View* view = nullptr;
};

TEST_F(ControlPeerTest, ModelItemsSelectionAndTopRowAreMirrored) {
    HWND real = h(list);
    EXPECT_EQ(SendMessageA(real, LB_GETCOUNT, 0, 0), 20);
    list.removeItem(0);
    list.setItem(0, "first");
    list.addItem("last");
    ASSERT_EQ(SendMessageA(real, LB_GETCOUNT, 0, 0), 20);
    for (int i = 0; i < list.count(); ++i) {
        char text[64] = {};
        SendMessageA(real, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(text, list.item(i)) << "row " << i;
    }
    list.setListIndex(5);
    EXPECT_EQ(SendMessageA(real, LB_GETCURSEL, 0, 0), 5);
    list.setTopIndex(7);
    EXPECT_EQ(SendMessageA(real, LB_GETTOPINDEX, 0, 0), 7);
    list.clear();
    EXPECT_EQ(SendMessageA(real, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(real, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ControlPeerTest, LeftPressSelectsBeforeMouseDownIsRaised) {
    std::vector<std::string> events;
    list.Click = [&] { events.push_back("Click " + std::to_string(list.listIndex())); };
    list.MouseDown = [&](int button, int, float x, float y) {
        events.push_back("MouseDown " + std::to_string(button) + " row " +
                         std::to_string(list.listIndex()));
        EXPECT_GT(x, 0.0f); // twips, relative to the list
        EXPECT_GT(y, 0.0f);
    };
    POINT at = rowPoint(2);
    clickAt(h(list), at.x, at.y);
    EXPECT_EQ(events, (std::vector<std::string>{"Click 2", "MouseDown 1 row 2"}));
}

TEST_F(ControlPeerTest, RightPressKeepsTheSelection) {
    list.setListIndex(1);
    int clicks = 0;
    std::vector<int> buttons;
    list.Click = [&] { ++clicks; };
    list.MouseDown = [&](int button, int, float, float) { buttons.push_back(button); };
    POINT at = rowPoint(3);
    SendMessageA(h(list), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageA(h(list), WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(buttons, std::vector<int>{ui::kRightButton});
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(list.listIndex(), 1);
}

TEST_F(ControlPeerTest, ScrollIsRaisedOnlyWhenTheUserMovesTheTopRow) {
    int scrolls = 0;
    list.Scroll = [&] { ++scrolls; };
    SendMessageA(h(list), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(scrolls, 1);
    EXPECT_EQ(list.topIndex(), 1);
    // The model moving the top row, as a list that follows another does: no event back.
    list.setTopIndex(4);
    EXPECT_EQ(scrolls, 1);
    EXPECT_EQ(SendMessageA(h(list), LB_GETTOPINDEX, 0, 0), 4);
    // A scroll that cannot move (already at the top) raises nothing.
    list.setTopIndex(0);
    SendMessageA(h(list), WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0), 0);
    EXPECT_EQ(scrolls, 1);
}

TEST_F(ControlPeerTest, TextSetByTheModelIsNotReportedBackAsAnEdit) {
    int changes = 0;
    box.Change = [&] { ++changes; };
    box.setText("from code");
    EXPECT_EQ(changes, 1); // the setter's own Change, once
    EXPECT_EQ(windowText(h(box)), "from code");

    typeInto(h(box), "!");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(box.text(), "from code!");
}

TEST_F(ControlPeerTest, KeyPressMayReplaceTheTypedCharacter) {
    box.KeyPress = [](int& key) {
        if (key >= 'a' && key <= 'z')
            key -= 'a' - 'A';
    };
    typeInto(h(box), "ab1");
    EXPECT_EQ(windowText(h(box)), "AB1");
    EXPECT_EQ(box.text(), "AB1");
}

TEST_F(ControlPeerTest, MaxLengthAndReadOnlyReachTheEdit) {
    ui::Window other;
    ui::TextBox limited;
    ui::TextBox locked;
    other.clientWidth = 3000;
    other.clientHeight = 1000;
    other.add(limited, "limited", {0, 0, 1500, 315});
    other.add(locked, "locked", {0, 400, 1500, 315});
    limited.maxLength = 3;
    locked.readOnly = true;
    Win32View& second = windows.realise(other);
    typeInto(second.handleOf(limited), "12345");
    EXPECT_EQ(limited.text(), "123");
    typeInto(second.handleOf(locked), "x");
    EXPECT_EQ(locked.text(), "");
    EXPECT_TRUE(GetWindowLongA(second.handleOf(locked), GWL_STYLE) & ES_READONLY);
    windows.release(other);
}

TEST_F(ControlPeerTest, TabFollowsTheControlOrderAndSkipsHiddenOnes) {
    ui::Window other;
    ui::TextBox first, second, third;
    ui::Button last;
    other.clientWidth = 3000;
    other.clientHeight = 2000;
    other.add(first, "first", {0, 0, 1500, 315});
    other.add(second, "second", {0, 400, 1500, 315});
    other.add(third, "third", {0, 800, 1500, 315});
    other.add(last, "last", {0, 1200, 1500, 315});
    Win32View& view = windows.realise(other);
    other.setVisible(true);
    // The first control takes the focus when the window is first shown.
    EXPECT_EQ(GetFocus(), view.handleOf(first));
    auto tab = [&] {
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0); // through the window manager's loop
        windows.doEvents();
    };
    tab();
    EXPECT_EQ(GetFocus(), view.handleOf(second));
    second.setVisible(false);
    third.setEnabled(false);
    SetFocus(view.handleOf(first));
    tab();
    EXPECT_EQ(GetFocus(), view.handleOf(last));
    tab();
    EXPECT_EQ(GetFocus(), view.handleOf(first)); // round again
    windows.release(other);
}

TEST_F(ControlPeerTest, LabelClickAndDisabledControls) {
    int clicks = 0;
    label.Click = [&] { ++clicks; };
    clickAt(h(label), 2, 2);
    EXPECT_EQ(clicks, 1);
    box.setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(h(box)));
    page.setVisible(false);
    EXPECT_FALSE(IsWindowVisible(h(list)));
}

// Bounded by a safety limit, not timed: the test waits for the ticks to arrive at all.
TEST_F(ControlPeerTest, EnabledTimerTicksThroughTheMessageLoop) {
    // As the filter's timer: its interval set and disabled at start, enabled later.
    ui::Timer timer;
    page.add(timer, "timer", {});
    timer.interval = 10;
    timer.setEnabled(false);
    windows.release(window);
    view = &windows.realise(window);
    int ticks = 0;
    timer.Tick = [&] { ++ticks; };
    timer.setEnabled(true);
    DWORD started = GetTickCount();
    MSG message;
    while (ticks < 2 && GetTickCount() - started < 10000 &&
           MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT) != WAIT_FAILED) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    EXPECT_GE(ticks, 2);
    timer.setEnabled(false);
    windows.release(window);
}

TEST_F(ControlPeerTest, BusyWindowsAnswerWithTheWaitPointer) {
    bool busy = true;
    windows.setBusyQuery([&] { return busy; });
    HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    EXPECT_TRUE(SendMessageA(h(box), WM_SETCURSOR, reinterpret_cast<WPARAM>(h(box)),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), wait);
    busy = false;
    SendMessageA(h(page), WM_SETCURSOR, reinterpret_cast<WPARAM>(h(page)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), wait);
}

TEST_F(ControlPeerTest, WindowShownBeforeItHadAViewIsShownWhenRealised) {
    ui::Window shown;
    shown.clientWidth = 1500;
    shown.clientHeight = 750;
    shown.setVisible(true);
    Win32View& second = windows.realise(shown);
    EXPECT_TRUE(IsWindowVisible(second.handle()));
    windows.release(shown);
}

TEST(ControlPeerScaleTest, At150PercentSizesAndFontsScale) {
    ui::Window window;
    ui::TextBox box;
    window.clientWidth = 9840;
    window.clientHeight = 5085;
    window.add(box, "box", {1860, 225, 3075, 315});
    Win32WindowManager windows{GetModuleHandleA(nullptr), 144, [] {}};
    Win32View& view = windows.realise(window);
    ASSERT_NE(view.handle(), nullptr);
    RECT client;
    GetClientRect(view.handle(), &client);
    EXPECT_EQ(client.right, 984);
    EXPECT_EQ(client.bottom, 509); // 508.5 rounds up
    RECT place;
    GetWindowRect(view.handleOf(box), &place);
    MapWindowPoints(nullptr, view.handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 186);
    EXPECT_EQ(place.right - place.left, 308); // 1860..4935 twips: 186..494 pixels
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(view.handleOf(box), WM_GETFONT, 0, 0));
    LOGFONTA logFont{};
    ASSERT_TRUE(GetObjectA(font, sizeof logFont, &logFont));
    EXPECT_EQ(logFont.lfHeight, -17); // 8.25 pt at 144 dpi
}

} // namespace
} // namespace morvane::test
