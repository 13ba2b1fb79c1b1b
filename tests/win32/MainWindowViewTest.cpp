// The main window on real Win32 controls: clicks and typing sent as window messages reach the
// program's handlers, and what the handlers change shows in the windows. It is built on the
// emulated registry and C: drive, so no test touches the Wine prefix.
#include <cstring>

#include "tests/win32/ViewFixture.h"

namespace morvane::view {
namespace {

// Typing as the keyboard does it: a WM_CHAR per character after the text (the edit puts a
// selection past the end at the end).
void typeInto(HWND edit, const std::string& characters) {
    SendMessageA(edit, EM_SETSEL, 9999, 9999);
    for (char c : characters)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// Typing where the caret is, one character at a time, as the keyboard does.
void typeAtCaret(HWND edit, const std::string& characters) {
    for (char c : characters)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// The keyboard's characters as the system posts them: UTF-16, one WM_CHAR each (two for a
// character outside the BMP), taken by the program's own message loop.
void postTyping(HWND edit, const std::wstring& characters) {
    SendMessageW(edit, EM_SETSEL, 9999, 9999);
    for (wchar_t c : characters)
        PostMessageW(edit, WM_CHAR, c, 1);
}

DWORD caretOf(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == end ? start : ~0u;
}

// Whether a control shows a pixel of this colour once its pending paints are done.
bool shows(HWND hwnd, COLORREF colour) {
    UpdateWindow(hwnd);
    RECT r;
    GetClientRect(hwnd, &r);
    HDC dc = GetDC(hwnd);
    int at = 0;
    while (at < r.right * r.bottom && GetPixel(dc, at % r.right, at / r.right) != colour)
        ++at;
    ReleaseDC(hwnd, dc);
    return at < r.right * r.bottom;
}

class MainWindowView : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        if (HasFatalFailure())
            return;
        std::error_code ec;
        std::filesystem::create_directories(files.root() / "c" / "FastTrackProfiles", ec);
        files.writeLines("C:\\FastTrackProfiles\\kazaa.id", {});
        RegKey key = 0;
        registry.createKey(kHkeyCurrentUser, "Software\\Kazaa\\UserDetails", key);
        registry.setValue(key, "UserName", kRegSz, reinterpret_cast<const std::uint8_t*>("ann"), 4);
        registry.closeKey(key);
        ASSERT_TRUE(form.Form_Load());
        show();
    }
};

TEST_F(MainWindowView, ClickOnASectionItemSwitchesThePageAndLeavesTheFocus) {
    // The click itself takes no focus; only once the page has gone does its focus move on.
    SetFocus(h(form.txt_Uploads));
    click(form.Label2[1]); // "SHARED FOLDERS"
    for (ui::Frame* page :
         {&form.frame_general, &form.frame_shared, &form.frame_downloads, &form.frame_filter}) {
        EXPECT_EQ(page->visible(), page == &form.frame_shared) << page->name;
        EXPECT_EQ(IsWindowVisible(h(*page)) != FALSE, page->visible()) << page->name;
    }
    EXPECT_EQ(GetFocus(), h(form.txt_Uploads));
    waitFor("the focus on the page in front", [&] { return focused() == "list_Folders"; });
}

// Only the page in front (and the profile list beside the pages) takes the focus: Tab walks
// it alone, and a page sent behind gives its focus up, so nothing can be typed into it.
TEST_F(MainWindowView, TabWalksOnlyThePageInFront) {
    EXPECT_EQ(tabCycle(),
              (std::vector<std::string>{"list_Profiles", "txt_profilename", "txt_Uploads",
                                        "txt_Downloads", "txt_Searchresults"}))
        << "at start, with all pages stacked and GENERAL in front";
    const std::vector<std::pair<int, std::vector<std::string>>> pages = {
        {1, {"list_Profiles", "list_Folders"}},
        {2,
         {"list_Profiles", "txt_Downloadfolder", "button_folderlist", "List_Downloads",
          "list_downloads2"}},
        {3,
         {"list_Profiles", "txt_filterext(0)", "txt_filterfolder(0)", "button_selfilterfolder(0)",
          "txt_filterext(1)", "txt_filterfolder(1)", "button_selfilterfolder(1)",
          "txt_filterext(2)", "txt_filterfolder(2)", "button_selfilterfolder(2)",
          "txt_filterext(3)", "txt_filterfolder(3)", "button_selfilterfolder(3)",
          "txt_filterext(4)", "txt_filterfolder(4)", "button_selfilterfolder(4)"}},
        {0,
         {"list_Profiles", "txt_profilename", "txt_Uploads", "txt_Downloads", "txt_Searchresults"}},
    };
    for (const auto& [item, cycle] : pages) {
        click(form.Label2[item]);
        SetFocus(h(form.list_Profiles));
        EXPECT_EQ(tabCycle(), cycle) << form.Label2[item].caption();
    }

    click(form.Label2[3]); // DOWNLOAD FILTER
    SetFocus(h(form.txt_filterext[1]));
    const std::string video = form.txt_filterext[1].text();
    click(form.Label2[0]); // GENERAL
    waitFor("the focus off the DOWNLOAD FILTER page",
            [&] { return !IsChild(h(form.frame_filter), GetFocus()); });
    typeAtCaret(GetFocus(), "ZZZ");
    EXPECT_EQ(form.txt_filterext[1].text(), video);
}

TEST_F(MainWindowView, TypedCharactersPassKeyPressAndChange) {
    HWND downloads = h(form.txt_Downloads);
    SetWindowTextA(downloads, ""); // the user emptied it
    typeInto(downloads, "4x7");
    EXPECT_EQ(windowText(downloads), "47");
    EXPECT_EQ(form.txt_Downloads.text(), "47");

    HWND name = h(form.txt_profilename);
    ASSERT_EQ(windowText(name), "ann");
    typeInto(name, "B");
    EXPECT_EQ(windowText(name), "annb");
    EXPECT_EQ(form.str_currentprofilename, "annb") << "renamed by the change handling";
}

// Each box keeps its rules for characters of every script: only A to Z are lower-cased, the
// refused keys stay refused, and no character arrives cut into bytes or "?".
TEST_F(MainWindowView, CharactersOfEveryScriptAreTypedWholeUnderTheBoxesRules) {
    ASSERT_EQ(GetACP(), 65001u) << "the manifest's UTF-8 code page";
    HWND name = h(form.txt_profilename), extensions = h(form.txt_filterext[0]);
    HWND downloads = h(form.txt_Downloads);
    postTyping(name, L"\u03a9\u65e5\u0416 \u00c9?:\U0001f3b5Xy\b");
    SetWindowTextA(extensions, "");
    postTyping(extensions, L"\u03c9Mp3 ;");
    SetWindowTextA(downloads, "");
    postTyping(downloads, L"4\u0664\u0416");
    windows.doEvents();
    const std::string typed = "annΩ日ЖÉ🎵x";
    EXPECT_EQ(form.txt_profilename.text(), typed);
    EXPECT_EQ(windowText(name), typed);
    EXPECT_TRUE(files.fileLength("C:\\FastTrackProfiles\\" + typed + ".profile"));
    EXPECT_EQ(form.txt_filterext[0].text(), "ωMp3;");
    EXPECT_EQ(form.txt_Downloads.text(), "4") << "digits 0 to 9 only";
}

TEST_F(MainWindowView, NameBoxKeepsTheCaretWhenItsTextIsLowerCased) {
    HWND name = h(form.txt_profilename);
    SetFocus(name);
    SendMessageA(name, EM_SETSEL, 0, -1); // "ann" selected: the new name replaces it
    typeAtCaret(name, "Bob");
    EXPECT_EQ(windowText(name), "bob");
    EXPECT_EQ(form.str_currentprofilename, "bob");
    EXPECT_TRUE(files.fileLength("C:\\FastTrackProfiles\\bob.profile"));

    // Discarded keys and a capital in the middle of the name.
    typeAtCaret(name, "Z \\q");
    EXPECT_EQ(windowText(name), "bobzq");
    SendMessageA(name, EM_SETSEL, 1, 1);
    typeAtCaret(name, "Xy");
    EXPECT_EQ(windowText(name), "bxyobzq");
    EXPECT_EQ(caretOf(name), 3u);
    EXPECT_TRUE(files.fileLength("C:\\FastTrackProfiles\\bxyobzq.profile"));

    // A selection survives a replacement too, cut to the new text.
    SendMessageA(name, EM_SETSEL, 2, 5);
    form.txt_profilename.setText("bx");
    DWORD start = 0, end = 0;
    SendMessageA(name, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::pair(start, end), std::pair(DWORD{2}, DWORD{2}));
}

TEST_F(MainWindowView, ModelChangesShowInTheWindowOfTheDesignedSize) {
    RECT client;
    GetClientRect(h(form.window), &client);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(656L, 339L)) << "at 96 DPI";
    form.lab_currentprofile.setCaption("someone");
    EXPECT_EQ(windowText(h(form.lab_currentprofile)), "someone");
    form.txt_Searchresults.setText("250");
    EXPECT_EQ(windowText(h(form.txt_Searchresults)), "250");
    EXPECT_FALSE(GetWindowLongA(h(form.button_rename), GWL_STYLE) & WS_VISIBLE);
    form.button_rename.setVisible(true);
    EXPECT_TRUE(GetWindowLongA(h(form.button_rename), GWL_STYLE) & WS_VISIBLE);

    // The pointer over a section item turns it blue; the section area's background clears it.
    HWND item = h(form.Label2[2]);
    EXPECT_FALSE(shows(item, RGB(0, 0, 255)));
    SendMessageA(item, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(shows(item, RGB(0, 0, 255)));
    SendMessageA(h(form.frm_Details), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_FALSE(shows(item, RGB(0, 0, 255)));
}

TEST_F(MainWindowView, ModalShowDisablesTheOwnerUntilTheWindowIsHidden) {
    ui::Window dialog;
    bool ownerEnabled = true;
    script({{"hide the modal window",
             [&] {
                 return windows.viewOf(dialog) && IsWindowVisible(windows.viewOf(dialog)->handle());
             },
             [&] {
                 ownerEnabled = IsWindowEnabled(h(form.window)) != FALSE;
                 dialog.setVisible(false);
             }}},
           [&] { windows.showModal(dialog); });
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(h(form.window)));
}

TEST_F(MainWindowView, ListPressReportsTheSelectionThenMouseDown) {
    ui::ListBox& list = form.list_Profiles;
    list.addItem("bob");
    std::string events;
    list.Click = [&] { events += "Click " + std::to_string(list.listIndex()) + ", "; };
    list.MouseDown = [&](int button, int, float, float) {
        events += "MouseDown " + std::to_string(button) + " " + std::to_string(list.listIndex());
    };
    clickRow(h(list), 1);
    EXPECT_EQ(events, "Click 1, MouseDown 1 1");
}

TEST_F(MainWindowView, PastedTextKeepsOnlyItsDigitsInTheNumberFieldsAndTheFile) {
    // Shift+Insert as the edit gets it: WM_PASTE with text on the clipboard.
    ASSERT_TRUE(OpenClipboard(h(form.window)));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 3);
    std::memcpy(GlobalLock(text), "-5", 3);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
    const std::pair<ui::TextBox*, std::size_t> fields[] = {
        {&form.txt_Uploads, 2}, {&form.txt_Downloads, 1}, {&form.txt_Searchresults, 3}};
    for (const auto& [field, line] : fields) {
        HWND box = h(*field);
        SetFocus(box);
        SendMessageA(box, EM_SETSEL, 0, -1);
        if (field == &form.txt_Uploads)
            SendMessageA(box, WM_PASTE, 0, 0);
        else // a drop or the context menu: the text is replaced in one go
            SendMessageA(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("-5"));
        EXPECT_EQ(windowText(box), "5") << field->name;
        SetFocus(h(form.txt_profilename)); // leaving the box stores the profile
        auto lines = files.readLines("C:\\FastTrackProfiles\\ann.profile");
        ASSERT_TRUE(lines && lines->size() > line);
        EXPECT_EQ((*lines)[line], "5") << field->name;
    }
}

// The share of a window's pixels in black, as its surface holds them now (nothing painted
// first).
double blackShare(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    HDC dc = GetDC(hwnd);
    long black = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            black += GetPixel(dc, x, y) == RGB(0, 0, 0);
    ReleaseDC(hwnd, dc);
    const long area = static_cast<long>(r.right) * r.bottom;
    return area > 0 ? static_cast<double>(black) / static_cast<double>(area) : 0;
}

// The rows of a text box's window that hold dark (text) pixels, inside its edge.
std::pair<int, int> darkRows(HWND box) {
    RECT r;
    GetWindowRect(box, &r);
    HDC dc = GetWindowDC(box);
    int first = -1, last = -1;
    for (int y = 3; y < r.bottom - r.top - 3; ++y)
        for (int x = 3; x < r.right - r.left - 3; ++x)
            if (GetRValue(GetPixel(dc, x, y)) < 100) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
    ReleaseDC(box, dc);
    return {first, last};
}

// At 100 %, 150 % and 200 %: no label is a black block as the window appears, captions show
// whole and the text boxes' text sits in their middle.
TEST_F(MainWindowView, TheWindowAppearsDrawnAndLooksFinishedAtEverySize) {
    form.txt_Searchresults.setText("100");
    windows.release(form.window);
    std::vector<ui::Label*> labels = {&form.Label1,          &form.Label7,
                                      &form.Label6[1],       &form.Label6[2],
                                      &form.lab_application, &form.lab_currentprofile,
                                      &form.ProfileLabel[4]};
    for (ui::Label& item : form.Label2)
        labels.push_back(&item);
    for (int dpi : {96, 144, 192}) {
        Win32WindowManager sized{GetModuleHandleA(nullptr), dpi, [] {}};
        Win32View& view = sized.realise(form.window); // shown at once: the model's is visible
        for (ui::Label* label : labels)
            EXPECT_LT(blackShare(view.handleOf(*label)), 0.6)
                << label->name << " is a black block at " << dpi;
        RedrawWindow(view.handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        auto place = [&](const ui::Control& control) {
            RECT r;
            GetWindowRect(view.handleOf(control), &r);
            MapWindowPoints(nullptr, view.handle(), reinterpret_cast<POINT*>(&r), 2);
            return r;
        };
        // "Registered Profile:" lies over the section area's top edge: its text must end above.
        HWND caption = view.handleOf(form.Label6[1]);
        RECT text = place(form.Label6[1]);
        HDC dc = GetDC(caption);
        HGDIOBJ old = SelectObject(dc, view.gdi().font(form.Label6[1].font));
        DrawTextA(dc, "Registered Profile:", -1, &text, DT_CALCRECT | DT_WORDBREAK);
        SelectObject(dc, old);
        ReleaseDC(caption, dc);
        EXPECT_LE(text.bottom, place(form.frm_Details).top) << dpi;

        for (ui::TextBox* box : {&form.txt_profilename, &form.txt_Searchresults}) {
            const auto [first, last] = darkRows(view.handleOf(*box));
            const RECT r = place(*box);
            ASSERT_GE(first, 0) << box->name << " shows no text at " << dpi;
            EXPECT_LE(std::abs((first + last) - (r.bottom - r.top)), 6)
                << box->name << " at " << dpi << ": text rows " << first << " to " << last
                << " in a box " << r.bottom - r.top << " high";
        }
        sized.release(form.window);
    }
}

} // namespace
} // namespace morvane::view
