// Modal shows, message boxes and pop-up menus on real windows. A thread timer acts as the
// user while the modal loop or the box runs.

#include <vector>

#include "platform/win32/Win32Dialogs.h"
#include "tests/win32/ViewFixture.h"

namespace morvane::test {
namespace {

// The user, for one timer callback: what to do once the modal thing is up.
std::function<void()> g_user;

void CALLBACK actAsUser(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_user)
        g_user();
}

class WindowManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        main.clientWidth = 3000;
        main.clientHeight = 1500;
        main.setCaption("Main");
        windows.setMainWindow(main);
        ASSERT_NE(windows.viewOf(main)->handle(), nullptr)
            << "no window: the view tests need a display (Xvfb)";
        main.setVisible(true);

        dialog.clientWidth = 2000;
        dialog.clientHeight = 1000;
        dialog.setCaption("Dialog");
        dialog.add(choose, "choose", {100, 100, 1000, 400});
        choose.setCaption("Choose");
        choose.Click = [this] { dialog.setVisible(false); };
    }

    void TearDown() override {
        g_user = nullptr;
        windows.releaseAll();
    }

    void actSoon(std::function<void()> user) {
        g_user = std::move(user);
        SetTimer(nullptr, 0, 20, actAsUser);
    }

    ui::Window main;
    ui::Window dialog;
    ui::Button choose;
    bool exited = false;
    Win32WindowManager windows{GetModuleHandleA(nullptr), 96, [this] { exited = true; }};
    Win32Dialogs dialogs{windows};
};

TEST_F(WindowManagerTest, ShowModalDisablesTheMainWindowUntilTheDialogIsHidden) {
    HWND mainWindow = windows.viewOf(main)->handle();
    bool mainEnabledDuring = true;
    bool dialogShownDuring = false;
    actSoon([&] {
        Win32View* view = windows.viewOf(dialog);
        ASSERT_NE(view, nullptr);
        mainEnabledDuring = IsWindowEnabled(mainWindow);
        dialogShownDuring = IsWindowVisible(view->handle());
        SendMessageA(view->handleOf(choose), BM_CLICK, 0, 0);
    });
    windows.showModal(dialog);
    EXPECT_FALSE(mainEnabledDuring);
    EXPECT_TRUE(dialogShownDuring);
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(windows.viewOf(dialog), nullptr); // made afresh next time
    EXPECT_FALSE(exited);
}

TEST_F(WindowManagerTest, DialogCloseBoxEndsTheModalShowButNotTheProgram) {
    int unloads = 0;
    dialog.Unload = [&] { ++unloads; };
    actSoon([&] { PostMessageA(windows.viewOf(dialog)->handle(), WM_CLOSE, 0, 0); });
    windows.showModal(dialog);
    EXPECT_EQ(unloads, 1);
    EXPECT_FALSE(dialog.visible());
    EXPECT_FALSE(exited);

    // Shown again: a new window.
    actSoon([&] { SendMessageA(windows.viewOf(dialog)->handleOf(choose), BM_CLICK, 0, 0); });
    windows.showModal(dialog);
    EXPECT_FALSE(dialog.visible());
}

TEST_F(WindowManagerTest, MainWindowCloseBoxRunsUnloadThenEndsTheProgram) {
    std::vector<std::string> steps;
    main.Unload = [&] { steps.push_back("Unload"); };
    SendMessageA(windows.viewOf(main)->handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(steps, std::vector<std::string>{"Unload"});
    EXPECT_TRUE(exited);
}

TEST_F(WindowManagerTest, MessageBoxCarriesCaptionAndReturnsTheAnswer) {
    std::string caption;
    HWND owner = nullptr;
    actSoon([&] {
        HWND box = FindWindowA("#32770", nullptr);
        ASSERT_NE(box, nullptr);
        caption = windowText(box);
        owner = GetWindow(box, GW_OWNER);
        PostMessageA(box, WM_COMMAND, IDYES, 0);
    });
    MessageAnswer answer =
        dialogs.messageBox("Delete it?", "", MessageButtons::YesNo, MessageIcon::None);
    EXPECT_EQ(answer, MessageAnswer::Yes);
    EXPECT_EQ(caption, "Morvane");
    EXPECT_EQ(owner, windows.viewOf(main)->handle());
}

TEST_F(WindowManagerTest, PopupMenuReturnsTheChosenItemOrMinusOne) {
    ui::Menu menu{"M", "M", {{"a", "First", true, {}}, {"b", "Second", true, {}}}};
    HWND owner = windows.viewOf(main)->handle();
    PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(owner, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(owner, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(dialogs.popupMenu(menu), 1);

    PostMessageA(owner, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(dialogs.popupMenu(menu), -1);
}

TEST_F(WindowManagerTest, DoEventsRunsWhatIsWaiting) {
    int clicks = 0;
    ui::Window other;
    ui::Button button;
    other.clientWidth = 2000;
    other.clientHeight = 1000;
    other.add(button, "button", {0, 0, 1000, 400});
    button.Click = [&] { ++clicks; };
    Win32View& view = windows.realise(other);
    PostMessageA(view.handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(view.handleOf(button)));
    EXPECT_EQ(clicks, 0);
    windows.doEvents();
    EXPECT_EQ(clicks, 1);
    windows.release(other);
}

} // namespace
} // namespace morvane::test
