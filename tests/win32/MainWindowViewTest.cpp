// The main window on real Win32 controls: clicks and typing sent as window messages reach the
// program's handlers, and what the handlers change shows in the windows. It is built on the
// emulated registry and C: drive, so no test touches the Wine prefix.
#include <oleacc.h>

#include <algorithm>
#include <cmath>
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

// A control's client area as the control paints it (PrintWindow, so a page behind paints too):
// its background (the bottom-left pixel: text keeps clear of it) and WCAG's contrast ratio of
// its lightest pixel (its text, on a black background) to black.
std::pair<COLORREF, double> backAndText(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, CreateCompatibleBitmap(screen, r.right, r.bottom));
    PrintWindow(hwnd, dc, PW_CLIENTONLY);
    auto luminance = [](COLORREF c) { // WCAG's: each channel of sRGB made linear, then weighted
        double sum = 0;
        for (const auto& [v, weight] :
             {std::pair{GetRValue(c), 0.2126}, {GetGValue(c), 0.7152}, {GetBValue(c), 0.0722}})
            sum += weight * (v <= 10 ? v / 3294.6 : std::pow((v + 14.025) / 269.025, 2.4));
        return sum;
    };
    double lightest = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            lightest = std::max(lightest, luminance(GetPixel(dc, x, y)));
    const COLORREF back = GetPixel(dc, 0, r.bottom - 1);
    DeleteObject(SelectObject(dc, old)), DeleteDC(dc), ReleaseDC(nullptr, screen);
    return {back, (lightest + 0.05) / 0.05};
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

// Tab walks the profile list, the section items, the page in front alone (a page sent behind
// gives its focus up) and the command bar, in reading order. Ctrl+Tab and Ctrl+PgDn go round
// the pages by their items, Ctrl+Shift+Tab and Ctrl+PgUp back; Space and Enter press a command.
TEST_F(MainWindowView, TheKeyboardReachesThePageInFrontAndEveryCommand) {
    auto cycle = [](std::vector<std::string> page) {
        std::vector<std::string> all = {"profileList", "sectionMenu(0)", "sectionMenu(1)",
                                        "sectionMenu(2)", "sectionMenu(3)"};
        all.insert(all.end(), page.begin(), page.end());
        for (const char* item : {"0", "4", "3", "1", "2"}) // left to right
            all.push_back(std::string("commandBar(") + item + ")");
        return all;
    };
    const std::vector<std::string> general = {"profileNameBox", "uploadsBox", "downloadsBox",
                                              "searchResultsBox"};
    EXPECT_EQ(tabCycle(), cycle(general)) << "at start, with all pages stacked, GENERAL in front";
    // Tab into a box selects its text: a digit typed replaces "3", not joins it.
    form.downloadsBox.setText("3");
    SetFocus(h(form.uploadsBox));
    press(VK_TAB);
    EXPECT_EQ(SendMessageA(h(form.downloadsBox), EM_GETSEL, 0, 0), MAKELRESULT(0, 1));
    type(h(form.downloadsBox), "5");
    EXPECT_EQ(form.downloadsBox.text(), "5");

    // The click itself takes no focus; only once the page has gone does its focus move on, to
    // the page in front rather than to a section item.
    SetFocus(h(form.uploadsBox));
    click(form.sectionMenu[SharedFoldersItem]); // SHARED FOLDERS
    EXPECT_EQ(GetFocus(), h(form.uploadsBox));
    waitFor("the focus on the page in front",
            [&] { return nameOf(GetFocus()) == "sharedFolderList"; });

    std::vector<std::string> filter;
    for (const std::string i : {"0", "1", "2", "3", "4"})
        for (const std::string name : {"filterExtensions", "filterFolder", "chooseFilterFolder"})
            filter.push_back(name + "(" + i + ")");
    const std::pair<SectionItem, std::vector<std::string>> pages[] = {
        {SharedFoldersItem, {"sharedFolderList"}},
        {DownloadFolderItem,
         {"downloadFolderBox", "downloadFolderButton", "downloadNameList", "datFileList"}},
        {DownloadFilterItem, filter},
        {GeneralItem, general},
    };
    for (const auto& [item, page] : pages) {
        click(form.sectionMenu[item]);
        SetFocus(h(form.profileList));
        EXPECT_EQ(tabCycle(), cycle(page)) << form.sectionMenu[item].caption();
    }

    // Round the pages from the keyboard, wherever the focus is; the item in front reads as
    // selected.
    const ui::Frame* inOrder[] = {&form.generalPage, &form.sharedFoldersPage,
                                  &form.downloadFolderPage, &form.downloadFilterPage};
    auto front = [&] {
        std::string shown;
        for (std::size_t i = 0; i < form.sectionMenu.size(); ++i)
            if (form.sectionMenu[i].selected() && inOrder[i]->visible())
                shown += form.sectionMenu[i].caption();
        return shown;
    };
    SetFocus(h(form.uploadsBox));
    const std::pair<std::string, std::string> steps[] = {
        {"Ctrl+Tab", "SHARED FOLDERS"},        {"Ctrl+PgDn", "DOWNLOAD FOLDER"},
        {"Ctrl+Tab", "DOWNLOAD FILTER"},       {"Ctrl+Tab", "GENERAL"},
        {"Ctrl+Shift+Tab", "DOWNLOAD FILTER"}, {"Ctrl+PgUp", "DOWNLOAD FOLDER"},
    };
    for (const auto& [keys, shown] : steps) {
        if (keys == "Ctrl+Shift+Tab")
            press(VK_TAB, {VK_CONTROL, VK_SHIFT});
        else
            press(keys == "Ctrl+Tab"    ? VK_TAB
                  : keys == "Ctrl+PgDn" ? VK_NEXT
                                        : VK_PRIOR,
                  {VK_CONTROL});
        EXPECT_EQ(front(), shown) << keys;
    }

    // Space and Enter press the command with the focus, as a click does.
    std::vector<ui::Label*> commands;
    for (ui::Label& item : form.sectionMenu)
        commands.push_back(&item);
    for (ui::Label& item : form.commandBar)
        commands.push_back(&item);
    std::vector<std::string> pressed, expected;
    for (ui::Label* command : commands) {
        command->Click = [&pressed, command] { pressed.push_back(command->name); };
        SetFocus(h(*command));
        press(VK_SPACE);
        press(VK_RETURN);
        expected.insert(expected.end(), 2, command->name);
    }
    EXPECT_EQ(pressed, expected);
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
    for (int dpi : {96, 144, 192, 240}) {
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
        // The profile list in its picture box keeps the inner line of its edge (the box cuts
        // one pixel of the edge, which is two pixels wide at every size).
        const RECT l = place(form.profileList), c = place(form.profileListClip);
        EXPECT_EQ(std::max({c.left - l.left, c.top - l.top, l.bottom - c.bottom}), 1) << dpi;
        // Each menu item's white band lies inside its outline, which shows whole.
        for (ui::Label* item : labels)
            if (const ui::Outline* outline = win32::outlineHolding(*item)) {
                RECT band, inside = view.scale().rect(outline->rect);
                GetWindowRect(view.handleOf(*item), &band);
                MapWindowPoints(nullptr, GetParent(view.handleOf(*item)),
                                reinterpret_cast<POINT*>(&band), 2);
                InflateRect(&inside, -view.scale().lineWidth(), -view.scale().lineWidth());
                EXPECT_TRUE(band.left >= inside.left && band.right <= inside.right)
                    << item->name << " at " << dpi << ": " << band.left << ".." << band.right
                    << " in " << inside.left << ".." << inside.right;
            }

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

// In white-on-black high contrast every list, box and command, hovered or not, shows
// text on the scheme's black at least 4.5:1 (WCAG's ratio for text). Wine cannot switch high
// contrast on (SPI_SETHIGHCONTRAST fails, SPI_GETHIGHCONTRAST says off): the test stands in.
TEST_F(MainWindowView, HighContrastGivesEveryTextTheSystemsColoursAndItsContrast) {
    const int indices[] = {COLOR_WINDOW, COLOR_BTNFACE, COLOR_WINDOWTEXT, COLOR_BTNTEXT,
                           COLOR_HOTLIGHT};
    const COLORREF scheme[] = {0, 0, 0xFFFFFF, 0xFFFFFF, 0x00FFFF}; // white, and yellow hot-light
    COLORREF normal[std::size(indices)];
    std::transform(std::begin(indices), std::end(indices), normal, GetSysColor);
    Win32View::highContrastForTests = true;
    SetSysColors(std::size(indices), indices, scheme); // tells the window: WM_SYSCOLORCHANGE
    std::vector<const ui::Control*> controls = {&form.stopFilterCommand, &form.goToTrayCommand};
    controls.insert(controls.end(), {&form.profileNameBox, &form.filterRows[0].extensions});
    for (std::size_t i = 0; i < 9; ++i) // the section items and the command bar
        controls.push_back(i < 4 ? &form.sectionMenu[i] : &form.commandBar[i - 4]);
    for (ui::ListBox* list : {&form.profileList, &form.sharedFolderList, &form.downloadNameList,
                              &form.datFileList, &form.filterReportList, &form.filterFailureList})
        list->setItems({"row"}), controls.push_back(list);     // none selected
    form.commandBar[StartFilterItem].setForeColour(ui::kBlue); // under the pointer
    SetFocus(h(form.window));                                  // no focus rectangle in a list
    for (const ui::Control* control : controls) {
        const auto [back, text] = backAndText(h(*control));
        EXPECT_EQ(back, RGB(0, 0, 0)) << control->name << ": not the scheme's background";
        EXPECT_GE(text, 4.5) << control->name;
    }
    Win32View::highContrastForTests.reset();
    SetSysColors(std::size(indices), indices, normal);
}

} // namespace
} // namespace morvane::view
