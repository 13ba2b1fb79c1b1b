// The main window on real Win32 controls: clicks, typing and pointer moves sent as window
// messages reach the program's handlers, and what the handlers change shows in the windows.

#include "tests/win32/ViewFixture.h"

namespace morvane::test {
namespace {

TEST_F(MainWindowTest, ClickOnSectionItemSwitchesThePageInModelAndWindows) {
    clickAt(h(form->Label2[1]), 5, 5); // "SHARED FOLDERS"

    EXPECT_TRUE(form->frame_shared.visible());
    EXPECT_FALSE(form->frame_general.visible());
    EXPECT_FALSE(form->frame_downloads.visible());
    EXPECT_FALSE(form->frame_filter.visible());
    EXPECT_TRUE(IsWindowVisible(h(form->frame_shared)));
    EXPECT_FALSE(IsWindowVisible(h(form->frame_general)));
    EXPECT_FALSE(IsWindowVisible(h(form->frame_downloads)));
    EXPECT_FALSE(IsWindowVisible(h(form->frame_filter)));

    clickAt(h(form->Label2[0]), 5, 5); // "GENERAL"
    EXPECT_TRUE(IsWindowVisible(h(form->frame_general)));
    EXPECT_FALSE(IsWindowVisible(h(form->frame_shared)));
}

TEST_F(MainWindowTest, ClickOnMenuItemLeavesTheFocusInTheTextBox) {
    // A pending lost-focus save must not run because a menu item was clicked.
    SetFocus(h(form->txt_Uploads));
    clickAt(h(form->Label2[3]), 5, 5); // "DOWNLOAD FILTER"
    EXPECT_TRUE(form->frame_filter.visible());
    EXPECT_EQ(GetFocus(), h(form->txt_Uploads));
}

TEST_F(MainWindowTest, AtStartTheGeneralPageIsOnTopOfTheStackedPages) {
    // All four pages are shown at start; the one on top is the first child in z-order.
    HWND top = GetWindow(h(form->frame_general), GW_HWNDFIRST);
    for (HWND w = top; w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == h(form->frame_general) || w == h(form->frame_shared) ||
            w == h(form->frame_downloads) || w == h(form->frame_filter)) {
            EXPECT_EQ(w, h(form->frame_general));
            break;
        }
    }
}

TEST_F(MainWindowTest, DigitFieldDiscardsALetterTypedIntoIt) {
    HWND downloads = h(form->txt_Downloads);
    SetWindowTextA(downloads, ""); // the user emptied it
    EXPECT_EQ(form->txt_Downloads.text(), "");
    typeInto(downloads, "4x7");
    EXPECT_EQ(windowText(downloads), "47");
    EXPECT_EQ(form->txt_Downloads.text(), "47");
    typeInto(downloads, "9"); // at most two characters
    EXPECT_EQ(windowText(downloads), "47");
    EXPECT_EQ(form->txt_Downloads.text(), "47");
}

TEST_F(MainWindowTest, CapitalTypedIntoTheNameBoxShowsLowerCaseAndRenamesTheProfile) {
    HWND name = h(form->txt_profilename);
    ASSERT_EQ(windowText(name), "alice");
    typeInto(name, "B");
    EXPECT_EQ(windowText(name), "aliceb");
    EXPECT_EQ(form->txt_profilename.text(), "aliceb");
    EXPECT_EQ(form->str_currentprofilename, "aliceb");
    typeInto(name, " "); // a space is refused before it reaches the box
    EXPECT_EQ(windowText(name), "aliceb");
}

TEST_F(MainWindowTest, LeavingANumberFieldEmptyRunsItsLostFocusHandling) {
    HWND uploads = h(form->txt_Uploads);
    SetFocus(uploads);
    SetWindowTextA(uploads, "");
    SetFocus(h(form->txt_Searchresults));
    // The handler fills an emptied field with a value of its own; either way the box and
    // the model agree, and the field is no longer empty.
    EXPECT_FALSE(form->txt_Uploads.text().empty());
    EXPECT_EQ(windowText(uploads), form->txt_Uploads.text());
}

TEST_F(MainWindowTest, ModelChangesShowInTheWindows) {
    form->lab_currentprofile.setCaption("someone");
    EXPECT_EQ(windowText(h(form->lab_currentprofile)), "someone");

    form->txt_Searchresults.setText("250");
    EXPECT_EQ(windowText(h(form->txt_Searchresults)), "250");

    EXPECT_FALSE(styleVisible(h(form->button_rename)));
    form->button_rename.setVisible(true);
    EXPECT_TRUE(styleVisible(h(form->button_rename)));

    form->list_Profiles.addItem("bob");
    HWND list = h(form->list_Profiles);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), form->list_Profiles.count());
    char row[64] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(form->list_Profiles.count() - 1),
                 reinterpret_cast<LPARAM>(row));
    EXPECT_STREQ(row, "bob");
}

TEST_F(MainWindowTest, PointerOverAnItemPaintsItBlueUntilTheSectionAreaClearsIt) {
    const COLORREF blue = RGB(0, 0, 255);
    HWND item = h(form->Label2[2]);
    EXPECT_EQ(pixelsOf(item, blue), 0);

    SendMessageA(item, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(form->Label2[2].foreColour(), ui::kBlue);
    EXPECT_GT(pixelsOf(item, blue), 0);

    // A page does not clear it; the section area's own background does.
    SendMessageA(h(form->frame_general), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(form->Label2[2].foreColour(), ui::kBlue);
    SendMessageA(h(form->frm_Details), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(form->Label2[2].foreColour(), ui::kBlack);
    EXPECT_EQ(pixelsOf(item, blue), 0);
}

TEST_F(MainWindowTest, TitleLogoLetsPointerMovesThroughToTheTitleArea) {
    form->Label2[0].setForeColour(ui::kBlue);
    RECT logo;
    GetWindowRect(h(form->Image1), &logo);
    POINT middle{(logo.left + logo.right) / 2, logo.top + 10};
    HWND hit = WindowFromPoint(middle);
    EXPECT_EQ(hit, h(form->Picture1));
}

TEST_F(MainWindowTest, ClientAreaIsTheDesignedSizeAt96Dpi) {
    RECT client;
    GetClientRect(h(form->window), &client);
    EXPECT_EQ(client.right, 656);
    EXPECT_EQ(client.bottom, 339);
    // A control inside two containers: frame_general at (60, 540) in frm_Details at (2025, 615).
    RECT page;
    GetWindowRect(h(form->frame_general), &page);
    MapWindowPoints(nullptr, h(form->window), reinterpret_cast<POINT*>(&page), 2);
    EXPECT_EQ(page.left, 135 + 4);
    EXPECT_EQ(page.top, 41 + 36);
    EXPECT_EQ(page.right - page.left, 513);
    EXPECT_EQ(page.bottom - page.top, 199);
}

TEST_F(MainWindowTest, WindowIsAFixedToolWindowWithTheProgramsCaption) {
    HWND window = h(form->window);
    EXPECT_EQ(windowText(window), "Morvane");
    LONG style = GetWindowLongA(window, GWL_STYLE);
    LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
}

TEST_F(MainWindowTest, ShownWindowIsActiveWithTheFocusOnItsFirstControl) {
    EXPECT_EQ(GetActiveWindow(), h(form->window));
    EXPECT_EQ(GetForegroundWindow(), h(form->window));
    EXPECT_EQ(GetFocus(), h(form->list_Profiles)); // first in the control table's order
}

TEST_F(MainWindowTest, CloseBoxEndsTheProgram) {
    SendMessageA(h(form->window), WM_CLOSE, 0, 0);
    EXPECT_TRUE(exited);
    EXPECT_TRUE(windows.ended());
}

TEST_F(MainWindowTest, MinimisingTheWindowSetsTheModelStateAndRaisesResize) {
    int resized = 0;
    form->window.Resize = [&] { ++resized; };
    ShowWindow(h(form->window), SW_MINIMIZE);
    EXPECT_EQ(form->window.state(), ui::WindowState::Minimised);
    EXPECT_EQ(resized, 1);

    form->window.setState(ui::WindowState::Normal);
    EXPECT_FALSE(IsIconic(h(form->window)));
    EXPECT_EQ(resized, 2);
}

TEST_F(MainWindowTest, RightButtonOnTheProfileListShowsItsMenu) {
    form->list_Profiles.addItem("bob");
    HWND list = h(form->list_Profiles);
    dialogs.menuChoices.push_back(-1);
    SendMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    ASSERT_EQ(dialogs.menus.size(), 1u);
    EXPECT_EQ(dialogs.menus[0].name, "ProfileMenu");
}

} // namespace
} // namespace morvane::test
