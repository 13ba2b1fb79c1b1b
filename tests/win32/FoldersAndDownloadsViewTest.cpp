// The folder picker, a listing and a rename on real controls and real files of the Wine
// prefix's C: drive: clicks, double clicks, keys and scrolling sent as window messages, real
// message boxes answered from a timer. The registry is the emulation's.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/Form1.h"
#include "app/Form2.h"
#include "platform/emulated/EmulatedRegistry.h"
#include "platform/emulated/Headless.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32WindowManager.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

const std::string kPickerRoot = "C:\\MorvanePicker";
const std::string kDownloads = "C:\\MorvaneDownloads";

// The user's actions while a modal window runs, one per tick of a thread timer.
std::deque<std::function<void()>> g_steps;
void CALLBACK nextStep(HWND, UINT, UINT_PTR, DWORD) {
    if (g_steps.empty())
        return;
    auto step = std::move(g_steps.front());
    g_steps.pop_front();
    step();
}

// Real message boxes as they were shown ("caption|text|buttons|icon"), each answered with the
// next button id of g_answers.
std::vector<std::string> g_boxes;
std::deque<int> g_answers;
int g_widest = 0; // the widest box so far, in pixels
BOOL CALLBACK findBox(HWND hwnd, LPARAM found) {
    char kind[16] = {};
    GetClassNameA(hwnd, kind, sizeof kind);
    if (std::string(kind) != "#32770" || !IsWindowVisible(hwnd))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}
void CALLBACK answerBox(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
    if (!box || g_answers.empty())
        return;
    char caption[64] = {}, text[512] = {};
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text); // the box's text
    HWND icon = GetDlgItem(box, 0x0440);             // the box's icon
    const bool yesNo = GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO);
    g_boxes.push_back(std::string(caption) + "|" + text + "|" + (yesNo ? "YesNo" : "Ok") + "|" +
                      (icon && SendMessageA(icon, STM_GETICON, 0, 0) ? "icon" : "no icon"));
    RECT frame;
    GetWindowRect(box, &frame);
    g_widest = std::max(g_widest, static_cast<int>(frame.right - frame.left));
    const int answer = g_answers.front();
    g_answers.pop_front();
    SendMessageA(GetDlgItem(box, answer), BM_CLICK, 0, 0);
}

// What the program asks of one list box while its rows go in, repeats folded into one.
HWND g_watched = nullptr;
std::vector<std::string> g_fill;
LRESULT CALLBACK recordFill(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == g_watched) {
        std::string what;
        switch (sent->message) {
        case WM_SETREDRAW:
            what = sent->wParam ? "redraw on" : "redraw off";
            break;
        case LB_INITSTORAGE:
            what = "reserve " + std::to_string(sent->wParam);
            break;
        case LB_ADDSTRING:
        case LB_INSERTSTRING:
            what = "add";
            break;
        case LB_RESETCONTENT:
        case LB_DELETESTRING:
            what = "remove";
            break;
        default:
            break;
        }
        if (!what.empty() && (g_fill.empty() || g_fill.back() != what))
            g_fill.push_back(what);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string listText(HWND list, int row, bool combo = false) {
    char text[512] = {};
    SendMessageA(list, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::string> listTexts(HWND list) {
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        texts.push_back(listText(list, i));
    return texts;
}

LPARAM rowPoint(HWND list, int row) {
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    return MAKELPARAM(r.left + 20, (r.top + r.bottom) / 2);
}

void clickRow(HWND list, int row, bool twice = false) {
    LPARAM at = rowPoint(list, row);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
    if (twice) {
        SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
    }
}

// A client's incomplete download holding its stored path.
void writeDat(const std::string& path, const std::string& stored) {
    std::ofstream out(path, std::ios::binary);
    out << std::string("KZ\x01\x00", 4) << stored << std::string(1, '\0') << "tail";
}

class FoldersAndDownloadsView : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::string& folder : {kPickerRoot, kDownloads}) {
            std::error_code ec;
            fs::remove_all(folder, ec);
        }
        for (const char* folder : {"Alpha", "beta", "hidden", "Alpha\\inner"})
            ASSERT_TRUE(fs::create_directories(kPickerRoot + "\\" + folder));
        SetFileAttributesA((kPickerRoot + "\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
        ASSERT_TRUE(SetCurrentDirectoryA(kPickerRoot.c_str()));
        windows.setMainWindow(form.window);
        ASSERT_NE(h(form.window), nullptr) << "no window: the view tests need a display (Xvfb)";
        form.window.setVisible(true);
        windows.doEvents();
    }
    void TearDown() override {
        SetCurrentDirectoryA("C:\\");
        windows.releaseAll();
        for (const std::string& folder : {kPickerRoot, kDownloads}) {
            std::error_code ec;
            fs::remove_all(folder, ec);
        }
    }
    HWND h(const ui::Control& control) { return windows.viewOf(form.window)->handleOf(control); }
    HWND picker(const ui::Control& control) {
        Win32View* view = windows.viewOf(form.picker().window);
        return view ? view->handleOf(control) : nullptr;
    }
    // Runs "Add Folder" with these steps inside the picker; whatever the steps leave, the
    // dialog is then closed by its close box. What it appended, or "".
    std::string addFolder(std::vector<std::function<void()>> steps) {
        g_steps.assign(steps.begin(), steps.end());
        g_steps.push_back([this] {
            if (HWND dialog = picker(form.picker().window))
                PostMessageA(dialog, WM_CLOSE, 0, 0);
        });
        UINT_PTR timer = SetTimer(nullptr, 0, 30, nextStep);
        const int before = form.list_Folders.count();
        form.AddFolder_Click();
        KillTimer(nullptr, timer);
        g_steps.clear();
        return form.list_Folders.count() > before ? form.list_Folders.items().back() : "";
    }

    EmulatedRegistry registry;
    Win32FileSystem files;
    RecordingShell shell;
    HeadlessClock clock;
    Win32WindowManager windows{GetModuleHandleA(nullptr), 96, [] {}};
    Win32Dialogs dialogs{windows};
    Services services{registry, files, shell, dialogs, clock, windows};
    Form1 form{services};
};

TEST_F(FoldersAndDownloadsView, ThePickerOpensOnTheCurrentFolderAndHandsBackTheHighlight) {
    std::vector<std::string> shown;
    std::string drive;
    bool cancelIsDefault = false, centred = false;
    const std::string picked = addFolder({
        [&] {
            HWND dialog = picker(form.picker().window);
            char caption[64] = {};
            GetWindowTextA(dialog, caption, sizeof caption);
            EXPECT_STREQ(caption, "Select Folder To Share");
            shown = listTexts(picker(form.picker().Dir1));
            HWND drives = picker(form.picker().Drive1);
            drive =
                listText(drives, static_cast<int>(SendMessageA(drives, CB_GETCURSEL, 0, 0)), true);
            cancelIsDefault =
                GetWindowLongA(picker(form.picker().button_Cancel), GWL_STYLE) & BS_DEFPUSHBUTTON;
            RECT mine, owner;
            GetWindowRect(dialog, &mine);
            GetWindowRect(h(form.window), &owner);
            centred = std::abs((mine.left + mine.right) - (owner.left + owner.right)) <= 2 &&
                      std::abs((mine.top + mine.bottom) - (owner.top + owner.bottom)) <= 2;
        },
        [&] { clickRow(picker(form.picker().Dir1), 2, true); }, // opens Alpha
        [&] {
            HWND dir = picker(form.picker().Dir1);
            EXPECT_EQ(listTexts(dir),
                      (std::vector<std::string>{"C:\\", "MorvanePicker", "Alpha", "inner"}));
            clickRow(dir, 1); // highlights the parent without opening it
        },
        [&] { SendMessageA(picker(form.picker().button_Select), BM_CLICK, 0, 0); },
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"C:\\", "MorvanePicker", "Alpha", "beta"}));
    EXPECT_TRUE(drive.starts_with("C:")) << drive;
    EXPECT_TRUE(cancelIsDefault);
    EXPECT_TRUE(centred) << "centred on the main window";
    EXPECT_EQ(picked, kPickerRoot);
    EXPECT_EQ(form.picker().Dir1.path(), kPickerRoot + "\\Alpha") << "kept for the next use";
}

TEST_F(FoldersAndDownloadsView, EnterAndEscCancelAndTheCloseBoxStartsAfresh) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE})
        EXPECT_EQ(
            addFolder({[&] { clickRow(picker(form.picker().Dir1), 2); },
                       [&] { PostMessageA(picker(form.picker().Dir1), WM_KEYDOWN, key, 0); }}),
            "")
            << key;
    EXPECT_EQ(form.picker().Dir1.listIndex(), 2) << "hidden by Cancel: kept as it was";

    EXPECT_EQ(addFolder({[&] { clickRow(picker(form.picker().Dir1), 3, true); }}), "");
    EXPECT_EQ(form.picker().Dir1.path(), kPickerRoot) << "closed by its close box: made afresh";
}

TEST_F(FoldersAndDownloadsView, ListingAndRenameOnRealFilesWithTheListsActingAsOne) {
    ASSERT_TRUE(fs::create_directories(kDownloads));
    writeDat(kDownloads + "\\a1b2.dat", kDownloads + "\\song.mp3");
    writeDat(kDownloads + "\\c3d4.dat", kDownloads + "\\film.avi");
    writeDat(kDownloads + "\\x.data", kDownloads + "\\finished.mp3");
    for (int i = 10; i < 40; ++i)
        writeDat(kDownloads + "\\z" + std::to_string(i) + ".dat", kDownloads + "\\t.mp3");
    std::ofstream(kDownloads + "\\film.avi") << "finished earlier";
    form.txt_Downloadfolder.setText(kDownloads);

    // The rows go in without a repaint each (thousands of them froze the window for long).
    HWND item = h(form.Label2[2]); // "DOWNLOAD FOLDER"
    HWND left = h(form.List_Downloads), right = h(form.list_downloads2);
    g_watched = left;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, recordFill, nullptr, GetCurrentThreadId());
    SendMessageA(item, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(item, WM_LBUTTONUP, 0, 0);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_fill, (std::vector<std::string>{"redraw off", "reserve 32", "add", "redraw on"}));
    ASSERT_EQ(SendMessageA(right, LB_GETCOUNT, 0, 0), 32) << "x.data is not incomplete";
    EXPECT_EQ(listText(left, 0) + "|" + listText(right, 0), "song.mp3|a1b2.dat");

    clickRow(left, 1);
    EXPECT_EQ(SendMessageA(right, LB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(IsWindowVisible(h(form.button_rename)));
    for (int i = 0; i < 3; ++i)
        SendMessageA(right, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(SendMessageA(left, LB_GETTOPINDEX, 0, 0), 3);
    SendMessageA(right, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_GT(SendMessageA(right, LB_GETTOPINDEX, 0, 0), 3);
    EXPECT_EQ(SendMessageA(left, LB_GETTOPINDEX, 0, 0), SendMessageA(right, LB_GETTOPINDEX, 0, 0));
    SendMessageA(left, WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(SendMessageA(right, LB_GETTOPINDEX, 0, 0), 0) << "the keyboard in the left list";

    // film.avi exists: the rename fails and replaces nothing.
    EXPECT_EQ(SendMessageA(right, LB_GETCURSEL, 0, 0), 0) << "Home selected the first row";
    clickRow(left, 1);
    g_boxes.clear();
    g_answers = {IDYES, IDOK, IDYES};
    UINT_PTR timer = SetTimer(nullptr, 0, 30, answerBox);
    SendMessageA(h(form.button_rename), BM_CLICK, 0, 0);
    EXPECT_EQ(g_boxes,
              (std::vector<std::string>{"Morvane|Rename c3d4.dat to film.avi?|YesNo|no icon",
                                        "Morvane|File Rename Failed!|Ok|icon"}));
    EXPECT_EQ(std::ifstream(kDownloads + "\\film.avi").get(), 'f') << "not replaced";
    EXPECT_TRUE(fs::exists(kDownloads + "\\c3d4.dat"));

    clickRow(right, 0);
    SendMessageA(h(form.button_rename), BM_CLICK, 0, 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_boxes.size(), 3u);
    EXPECT_TRUE(fs::exists(kDownloads + "\\song.mp3"));
    EXPECT_FALSE(fs::exists(kDownloads + "\\a1b2.dat"));
    EXPECT_EQ(SendMessageA(left, LB_GETCOUNT, 0, 0), 31);
    EXPECT_EQ(listText(right, 0), "c3d4.dat");
}

TEST_F(FoldersAndDownloadsView, AMessageNamingAVeryLongProfileFitsTheScreen) {
    const std::string name(311, 'n');
    form.list_Profiles.addItem(name);
    form.list_Profiles.addItem("other");
    form.list_Profiles.setListIndex(0);
    g_boxes.clear();
    g_answers = {IDNO};
    g_widest = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, answerBox);
    form.DeleteProfile_Click();
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_boxes,
              (std::vector<std::string>{"Morvane|Delete profile " + std::string(31, 'n') + "..." +
                                        std::string(30, 'n') + "?|YesNo|no icon"}));
    EXPECT_GT(g_widest, 0);
    EXPECT_LE(g_widest, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(form.list_Profiles.count(), 2) << "No deletes nothing";
}

} // namespace
} // namespace morvane
