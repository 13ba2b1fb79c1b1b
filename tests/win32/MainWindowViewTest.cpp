// The main window on real Win32 controls: clicks and typing sent as window messages reach the
// program's handlers, and what the handlers change shows in the windows. It is built on the
// emulated registry and C: drive, so no test touches the Wine prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "platform/emulated/EmulatedFileSystem.h"
#include "platform/emulated/EmulatedRegistry.h"
#include "platform/emulated/Headless.h"
#include "platform/win32/Win32WindowManager.h"

namespace morvane {
namespace {

std::filesystem::path freshRoot() {
    std::filesystem::path root = std::filesystem::temp_directory_path() /
                                 ("morvane-view-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "c");
    return root;
}

std::string windowText(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// Typing as the keyboard does it: a WM_CHAR per character at the end of the text.
void typeInto(HWND edit, const std::string& characters) {
    int end = GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
    for (char c : characters)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void clickAt(HWND hwnd, int x, int y) {
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Pixels of one colour that a control shows on the screen once its pending paints are done.
int pixelsOf(HWND hwnd, COLORREF colour) {
    UpdateWindow(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    HDC dc = GetDC(hwnd);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            count += GetPixel(dc, x, y) == colour;
    ReleaseDC(hwnd, dc);
    return count;
}

// Hides a window from inside the modal loop showing it, noting whether the owner was enabled.
ui::Window* g_modal = nullptr;
HWND g_owner = nullptr;
bool g_ownerEnabled = true;
void CALLBACK hideModal(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_ownerEnabled = IsWindowEnabled(g_owner) != FALSE;
    g_modal->setVisible(false);
}

class MainWindowView : public ::testing::Test {
protected:
    void SetUp() override {
        RegKey key = 0;
        registry.createKey(kHkeyCurrentUser, "Software\\Kazaa\\UserDetails", key);
        registry.setValue(key, "UserName", kRegSz, reinterpret_cast<const std::uint8_t*>("alice"),
                          6);
        registry.closeKey(key);
        files.makeDirectory("C:\\FastTrackProfiles");
        files.writeLines("C:\\FastTrackProfiles\\kazaa.id", {});
        windows.setMainWindow(form.window);
        ASSERT_NE(h(form.window), nullptr) << "no window: the view tests need a display (Xvfb)";
        ASSERT_TRUE(form.Form_Load());
        form.window.setVisible(true);
        windows.doEvents();
    }
    void TearDown() override {
        windows.releaseAll();
        std::error_code ignored;
        std::filesystem::remove_all(files.root(), ignored);
    }
    HWND h(const ui::Control& control) { return windows.viewOf(form.window)->handleOf(control); }

    EmulatedRegistry registry;
    EmulatedFileSystem files{freshRoot()};
    RecordingShell shell;
    HeadlessDialogs dialogs;
    HeadlessClock clock;
    Win32WindowManager windows{GetModuleHandleA(nullptr), 96, [] {}};
    Services services{registry, files, shell, dialogs, clock, windows};
    Form1 form{services};
};

TEST_F(MainWindowView, ClickOnASectionItemSwitchesThePageAndLeavesTheFocus) {
    SetFocus(h(form.txt_Uploads));    // a pending lost-focus save must not run on a menu click
    clickAt(h(form.Label2[1]), 5, 5); // "SHARED FOLDERS"
    for (ui::Frame* page :
         {&form.frame_general, &form.frame_shared, &form.frame_downloads, &form.frame_filter}) {
        EXPECT_EQ(page->visible(), page == &form.frame_shared) << page->name;
        EXPECT_EQ(IsWindowVisible(h(*page)) != FALSE, page->visible()) << page->name;
    }
    EXPECT_EQ(GetFocus(), h(form.txt_Uploads));
}

TEST_F(MainWindowView, TypedCharactersPassKeyPressAndChange) {
    HWND downloads = h(form.txt_Downloads);
    SetWindowTextA(downloads, ""); // the user emptied it
    typeInto(downloads, "4x7");
    EXPECT_EQ(windowText(downloads), "47");
    EXPECT_EQ(form.txt_Downloads.text(), "47");

    HWND name = h(form.txt_profilename);
    ASSERT_EQ(windowText(name), "alice");
    typeInto(name, "B");
    EXPECT_EQ(windowText(name), "aliceb");
    EXPECT_EQ(form.str_currentprofilename, "aliceb") << "renamed by the change handling";
}

TEST_F(MainWindowView, ModelChangesShowInTheWindows) {
    form.lab_currentprofile.setCaption("someone");
    EXPECT_EQ(windowText(h(form.lab_currentprofile)), "someone");
    form.txt_Searchresults.setText("250");
    EXPECT_EQ(windowText(h(form.txt_Searchresults)), "250");
    auto shown = [](HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; };
    EXPECT_FALSE(shown(h(form.button_rename)));
    form.button_rename.setVisible(true);
    EXPECT_TRUE(shown(h(form.button_rename)));

    // The pointer over a section item turns it blue; the section area's background clears it.
    HWND item = h(form.Label2[2]);
    EXPECT_EQ(pixelsOf(item, RGB(0, 0, 255)), 0);
    SendMessageA(item, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_GT(pixelsOf(item, RGB(0, 0, 255)), 0);
    SendMessageA(h(form.frm_Details), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(pixelsOf(item, RGB(0, 0, 255)), 0);
}

TEST_F(MainWindowView, ClientAreaIsTheDesignedSizeAt96Dpi) {
    RECT client;
    GetClientRect(h(form.window), &client);
    EXPECT_EQ(client.right, 656);
    EXPECT_EQ(client.bottom, 339);
}

TEST_F(MainWindowView, ModalShowDisablesTheOwnerUntilTheWindowIsHidden) {
    ui::Window dialog;
    dialog.clientWidth = 2000;
    dialog.clientHeight = 1000;
    g_modal = &dialog;
    g_owner = h(form.window);
    SetTimer(nullptr, 0, 20, hideModal);
    windows.showModal(dialog);
    EXPECT_FALSE(dialog.visible());
    EXPECT_FALSE(g_ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(h(form.window)));
}

TEST_F(MainWindowView, ListPressReportsTheSelectionThenMouseDown) {
    ui::ListBox& list = form.list_Profiles;
    list.addItem("bob");
    std::vector<std::string> events;
    list.Click = [&] { events.push_back("Click " + std::to_string(list.listIndex())); };
    list.MouseDown = [&](int button, int, float, float) {
        events.push_back("MouseDown " + std::to_string(button) + " " +
                         std::to_string(list.listIndex()));
    };
    RECT row{};
    SendMessageA(h(list), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    clickAt(h(list), row.left + 3, (row.top + row.bottom) / 2);
    EXPECT_EQ(events, (std::vector<std::string>{"Click 1", "MouseDown 1 1"}));
}

} // namespace
} // namespace morvane
