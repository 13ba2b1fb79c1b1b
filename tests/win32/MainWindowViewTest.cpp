// The main window on real Win32 controls: clicks and typing sent as window messages reach the
// program's handlers, and what the handlers change shows in the windows. It is built on the
// emulated registry and C: drive, so no test touches the Wine prefix.
#include <oleacc.h>

#include <algorithm>
#include <map>

#include "app/ClientChooser.h"
#include "platform/win32/Win32Peers.h"
#include "tests/win32/ViewFixture.h"

namespace morvane::view {
namespace {

// Characters as the keyboard sends them, at the caret.
void type(HWND edit, const std::string& characters) {
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

// The pixels of a window, inside an edge this wide, darker than below in every colour, as its
// surface holds them now: their share of those pixels, and the first and last row holding one (-1:
// none).
struct Dark {
    double share = 0;
    int first = -1, last = -1;
};
Dark dark(HWND hwnd, int edge, int below = 100) {
    RECT r;
    GetWindowRect(hwnd, &r);
    HDC dc = GetWindowDC(hwnd);
    Dark found;
    const int width = r.right - r.left - 2 * edge, height = r.bottom - r.top - 2 * edge;
    for (int y = edge; y < edge + height; ++y)
        for (int x = edge; x < edge + width; ++x)
            if (const COLORREF c = GetPixel(dc, x, y);
                std::max({GetRValue(c), GetGValue(c), GetBValue(c)}) < below)
                found.share += 1, found.last = y, found.first = found.first < 0 ? y : found.first;
    ReleaseDC(hwnd, dc);
    found.share = width * height > 0 ? found.share / (width * height) : 0;
    return found;
}

// A window's name as a screen reader asks for it, and " (selected)" when it is selected (the
// toolchain's IID_IAccessible is a stub).
std::string accessibleName(HWND hwnd) {
    static const GUID iid = {
        0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0, 0xaa, 0, 0x38, 0x9b, 0x71}};
    IAccessible* object = nullptr;
    if (FAILED(
            AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, iid, reinterpret_cast<void**>(&object))))
        return "(no object)";
    VARIANT self{}; // CHILDID_SELF
    self.vt = VT_I4;
    BSTR name = nullptr;
    const HRESULT read = object->get_accName(self, &name);
    VARIANT state{};
    object->get_accState(self, &state);
    object->Release();
    std::string text = read == S_OK && name
                           ? win32::narrowText(name, static_cast<int>(SysStringLen(name)))
                           : "(none)";
    SysFreeString(name);
    return text + (state.vt == VT_I4 && (state.lVal & STATE_SYSTEM_SELECTED) ? " (selected)" : "");
}

// The new rows of one list told to assistive technology (from 1).
HWND toldList = nullptr;
std::vector<LONG> told;
void CALLBACK noteCreated(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    if (hwnd == toldList && object == OBJID_CLIENT)
        told.push_back(child);
}

class MainWindowView : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        if (HasFatalFailure())
            return;
        emulated.writeFile("C:\\FastTrackProfiles\\kazaa.id", "");
        RegKey key = 0;
        registry.createKey(kHkeyCurrentUser, "Software\\Kazaa\\UserDetails", key);
        registry.setValue(key, "UserName", kRegSz, reinterpret_cast<const std::uint8_t*>("ann"), 4);
        registry.closeKey(key);
        ASSERT_TRUE(form.Form_Load());
        show();
    }
};

// Only the page in front (and the profile list beside the pages) takes the focus: Tab walks
// it alone, and a page sent behind gives its focus up.
TEST_F(MainWindowView, OnlyThePageInFrontTakesTheFocus) {
    const std::vector<std::string> general = {"profileList", "profileNameBox", "uploadsBox",
                                              "downloadsBox", "searchResultsBox"};
    EXPECT_EQ(tabCycle(), general) << "at start, with all pages stacked and GENERAL in front";
    // Tab into a box selects its text: a digit typed replaces "3", not joins it.
    form.downloadsBox.setText("3");
    SetFocus(h(form.uploadsBox));
    press(VK_TAB);
    EXPECT_EQ(SendMessageA(h(form.downloadsBox), EM_GETSEL, 0, 0), MAKELRESULT(0, 1));
    type(h(form.downloadsBox), "5");
    EXPECT_EQ(form.downloadsBox.text(), "5");

    // The click itself takes no focus; only once the page has gone does its focus move on.
    SetFocus(h(form.uploadsBox));
    click(form.sectionMenu[SharedFoldersItem]); // SHARED FOLDERS
    EXPECT_EQ(GetFocus(), h(form.uploadsBox));
    waitFor("the focus on the page in front",
            [&] { return nameOf(GetFocus()) == "sharedFolderList"; });

    std::vector<std::string> filter = {"profileList"};
    for (const std::string i : {"0", "1", "2", "3", "4"})
        for (const std::string name : {"filterExtensions", "filterFolder", "chooseFilterFolder"})
            filter.push_back(name + "(" + i + ")");
    const std::pair<SectionItem, std::vector<std::string>> pages[] = {
        {SharedFoldersItem, {"profileList", "sharedFolderList"}},
        {DownloadFolderItem,
         {"profileList", "downloadFolderBox", "downloadFolderButton", "downloadNameList",
          "datFileList"}},
        {DownloadFilterItem, filter},
        {GeneralItem, general},
    };
    for (const auto& [item, cycle] : pages) {
        click(form.sectionMenu[item]);
        SetFocus(h(form.profileList));
        EXPECT_EQ(tabCycle(), cycle) << form.sectionMenu[item].caption();
    }
}

// A screen reader reads every box, list and "..." shown on each page by the caption a sighted
// person reads beside or above it, each command by its caption (and the section in front as
// selected), the chooser's pictures by their clients and the picker's lists by what they hold. A
// line added to the running filter's report is told as a new row, a batch's once at its end.
TEST_F(MainWindowView, EveryBoxListAndFolderButtonReadsAsItsCaptionAndNewReportRowsAreTold) {
    std::map<const ui::Control*, std::string> names = {
        {&form.profileList, "Profiles"},
        {&form.profileNameBox, "Profile Name"},
        {&form.uploadsBox, "Maximum Uploads"},
        {&form.downloadsBox, "Maximum Downloads"},
        {&form.searchResultsBox, "Max Search Results"},
        {&form.sharedFolderList, "Shared Folders"},
        {&form.downloadFolderBox, "Download Folder"},
        {&form.downloadFolderButton, "Download Folder"},
        {&form.downloadNameList, "Incomplete Downloads"},
        {&form.datFileList, "Incomplete Download Files"},
        {&form.filterReportList, "Filter Actions"},
        {&form.filterFailureList, "Failures"}};
    const std::string rows[] = {"Audio", "Video", "Images", "Documents", "Software"};
    for (std::size_t i = 0; i < form.filterRows.size(); ++i) {
        names[&form.filterRows[i].extensions] = rows[i] + " Extensions";
        names[&form.filterRows[i].folder] = rows[i] + " Destination Folder";
        names[&form.filterRows[i].chooseFolder] = rows[i] + " Folder";
    }
    std::function<void(const ui::Container&, const std::string&)> check =
        [&](const ui::Container& in, const std::string& page) {
            for (const ui::Control* control : in.children()) {
                const ui::Kind kind = control->kind();
                const auto* label = dynamic_cast<const ui::Label*>(control);
                if (!control->shownOnScreen())
                    continue;
                if (label && label->command) // read as its caption, and selected when it is
                    EXPECT_EQ(accessibleName(h(*control)),
                              label->caption() + (label->selected() ? " (selected)" : ""));
                else if (kind == ui::Kind::TextBox || kind == ui::Kind::ListBox ||
                         kind == ui::Kind::Button)
                    EXPECT_EQ(accessibleName(h(*control)),
                              names.contains(control) ? names[control] : "(not in the table)")
                        << control->name << " with " << page << " in front";
                else if (kind == ui::Kind::Frame || kind == ui::Kind::PictureBox)
                    check(static_cast<const ui::Container&>(*control), page);
            }
        };
    form.sectionMenu[GeneralItem].setSelected(true);
    for (SectionItem item :
         {GeneralItem, SharedFoldersItem, DownloadFolderItem, DownloadFilterItem}) {
        form.sectionMenu_Click(item);
        check(form.window, form.sectionMenu[item].caption());
    }
    form.runningFilterPage.setVisible(true);
    check(form.runningFilterPage, "FILTER RUNNING");
    Win32View& chooser = windows.realise(form.chooser().window);
    EXPECT_EQ(accessibleName(chooser.handleOf(form.chooser().button_grokster)), "Grokster");
    EXPECT_EQ(accessibleName(chooser.handleOf(form.chooser().button_kazaa)), "Kazaa");
    Win32View& picker = windows.realise(form.picker().window);
    EXPECT_EQ(accessibleName(picker.handleOf(form.picker().driveList)), "Drive");
    EXPECT_EQ(accessibleName(picker.handleOf(form.picker().folderList)), "Folders");

    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, noteCreated,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hook);
    toldList = h(form.filterReportList);
    form.filterReportList.addItem("one");
    {
        ui::ListUpdate batch(form.filterReportList);
        form.filterReportList.addItem("two");
        form.filterReportList.addItem("three");
    }
    waitFor("rows 1 and 3 told", [&] { return told.size() >= 2; });
    EXPECT_EQ(told, (std::vector<LONG>{1, 3}));
    UnhookWinEvent(hook);
}

// Each box keeps its rules for characters of every script: only A to Z are lower-cased, the
// refused keys stay refused, and no character arrives cut into bytes or "?". The name box's
// lower-casing replaces its text, and the caret stays where the typing is.
TEST_F(MainWindowView, TypingKeepsEachBoxsRulesWholeCharactersOfEveryScriptAndTheCaret) {
    ASSERT_EQ(GetACP(), 65001u) << "the manifest's UTF-8 code page";
    HWND name = h(form.profileNameBox), extensions = h(form.filterRows[0].extensions);
    HWND downloads = h(form.downloadsBox);
    postTyping(name, L"\u03a9\u65e5\u0416 \u00c9?:\U0001f3b5Xy\b");
    SetWindowTextA(extensions, "");
    postTyping(extensions, L"\u03c9Mp3 ;");
    SetWindowTextA(downloads, "");
    postTyping(downloads, L"4\u0664\u0416");
    windows.doEvents();
    const std::string typed = "annΩ日ЖÉ🎵x";
    EXPECT_EQ(form.profileNameBox.text(), typed);
    EXPECT_EQ(windowText(name), typed);
    EXPECT_EQ(form.filterRows[0].extensions.text(), "ωMp3;");
    EXPECT_EQ(form.downloadsBox.text(), "4") << "digits 0 to 9 only";

    SetFocus(name);
    SendMessageA(name, EM_SETSEL, 0, -1); // all selected: the new name replaces it
    type(name, "BobZq");
    SendMessageA(name, EM_SETSEL, 1, 1);
    type(name, "Xy");
    EXPECT_EQ(windowText(name), "bxyobzq");
    EXPECT_EQ(SendMessageA(name, EM_GETSEL, 0, 0), MAKELRESULT(3, 3));
    // A selection survives a replacement by code too, cut to the new text.
    SendMessageA(name, EM_SETSEL, 2, 5);
    form.profileNameBox.setText("bx");
    EXPECT_EQ(SendMessageA(name, EM_GETSEL, 0, 0), MAKELRESULT(2, 2));
}

// Text put in without keys (a paste, a drop) is the edit's own change: the number fields
// keep only its digits, and leaving the box stores them.
TEST_F(MainWindowView, PastedTextKeepsOnlyItsDigitsInTheNumberFieldsAndTheFile) {
    for (ui::TextBox* field : {&form.uploadsBox, &form.downloadsBox}) {
        HWND box = h(*field);
        SetFocus(box);
        SendMessageA(box, EM_SETSEL, 0, -1);
        SendMessageA(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("-5")); // as a paste does
        EXPECT_EQ(windowText(box), "5") << field->name;
    }
    SetFocus(h(form.profileNameBox)); // leaving the box stores the profile
    auto lines = files.readLines("C:\\FastTrackProfiles\\ann.profile");
    ASSERT_TRUE(lines && lines->size() > 2);
    EXPECT_EQ((*lines)[1] + (*lines)[2], "55") << "downloads, uploads";
}

// At 100 %, 150 % and 200 %: no label is a black block as the window appears (nothing painted
// yet), captions show whole and the text boxes' text sits in their middle.
TEST_F(MainWindowView, TheWindowAppearsDrawnAndLooksFinishedAtEverySize) {
    form.searchResultsBox.setText("100");
    windows.release(form.window);
    std::vector<ui::Label*> labels = {&form.subtitleCaption,   &form.versionCaption,
                                      &form.registeredCaption, &form.applicationCaption,
                                      &form.applicationName,   &form.registeredProfileName,
                                      &form.profilesHeading};
    for (ui::Label& item : form.sectionMenu)
        labels.push_back(&item);
    for (ui::Label& item : form.commandBar)
        labels.push_back(&item);
    for (int dpi : {96, 144, 192}) {
        Win32WindowManager sized{GetModuleHandleA(nullptr), dpi};
        Win32View& view = sized.realise(form.window); // shown at once: the model's is visible
        for (ui::Label* label : labels)
            EXPECT_LT(dark(view.handleOf(*label), 0, 1).share, 0.6)
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
        RECT text = place(form.registeredCaption);
        HDC dc = GetDC(view.handle());
        HGDIOBJ old = SelectObject(dc, view.gdi().font(form.registeredCaption.font));
        DrawTextA(dc, "Registered Profile:", -1, &text, DT_CALCRECT | DT_WORDBREAK);
        SelectObject(dc, old);
        ReleaseDC(view.handle(), dc);
        EXPECT_LE(text.bottom, place(form.sectionArea).top) << dpi;

        for (ui::TextBox* box : {&form.profileNameBox, &form.searchResultsBox}) {
            const auto [share, first, last] = dark(view.handleOf(*box), 3);
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
