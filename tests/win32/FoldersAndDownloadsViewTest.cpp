// The folder picker, a listing and a rename on real controls and real files of the Wine
// prefix's C: drive: clicks, double clicks, keys and scrolling sent as window messages, real
// message boxes answered as the user would. The registry is the emulation's.
#include <fstream>

#include "tests/win32/ViewFixture.h"

namespace morvane::view {
namespace {

namespace fs = std::filesystem;

const std::string kPickerRoot = "C:\\MorvanePicker";
const std::string kDownloads = "C:\\MorvaneDownloads";

// A client's incomplete download holding its stored path.
void writeDat(const std::string& path, const std::string& stored) {
    std::ofstream out(path, std::ios::binary);
    out << std::string("KZ\x01\x00", 4) << stored << std::string(1, '\0') << "tail";
}

class FoldersAndDownloadsView : public ViewTest {
protected:
    FoldersAndDownloadsView() : ViewTest({.files = true, .dialogs = true}) {}
    void SetUp() override {
        ViewTest::SetUp();
        if (HasFatalFailure())
            return;
        for (const std::string& folder : {kPickerRoot, kDownloads}) {
            std::error_code ec;
            fs::remove_all(folder, ec);
        }
        for (const char* folder : {"Alpha", "beta", "hidden", "Alpha\\inner"})
            ASSERT_TRUE(fs::create_directories(kPickerRoot + "\\" + folder));
        SetFileAttributesA((kPickerRoot + "\\hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
        ASSERT_TRUE(SetCurrentDirectoryA(kPickerRoot.c_str()));
        form.frm_Details.setVisible(true); // as with a current profile
        show();
    }
    void TearDown() override {
        SetCurrentDirectoryA("C:\\");
        ViewTest::TearDown();
        for (const std::string& folder : {kPickerRoot, kDownloads}) {
            std::error_code ec;
            fs::remove_all(folder, ec);
        }
    }
};

TEST_F(FoldersAndDownloadsView, ThePickerOpensOnTheCurrentFolderAndHandsBackTheHighlight) {
    std::vector<std::string> shown, opened;
    std::string caption, drive;
    bool cancelIsDefault = false, centred = false;
    const std::string picked = addFolder({
        inPicker("look at the picker",
                 [&] {
                     HWND dialog = picker(form.picker().window);
                     caption = windowText(dialog);
                     shown = listTexts(picker(form.picker().Dir1));
                     HWND drives = picker(form.picker().Drive1);
                     drive = listText(
                         drives, static_cast<int>(SendMessageA(drives, CB_GETCURSEL, 0, 0)), true);
                     cancelIsDefault =
                         GetWindowLongA(picker(form.picker().button_Cancel), GWL_STYLE) &
                         BS_DEFPUSHBUTTON;
                     RECT mine, owner;
                     GetWindowRect(dialog, &mine);
                     GetWindowRect(h(form.window), &owner);
                     centred =
                         std::abs((mine.left + mine.right) - (owner.left + owner.right)) <= 2 &&
                         std::abs((mine.top + mine.bottom) - (owner.top + owner.bottom)) <= 2;
                 }),
        inPicker("open Alpha", [&] { clickRow(picker(form.picker().Dir1), 2, true); }),
        inPicker("highlight the parent without opening it",
                 [&] {
                     opened = listTexts(picker(form.picker().Dir1));
                     clickRow(picker(form.picker().Dir1), 1);
                 }),
        inPicker("Select",
                 [&] { SendMessageA(picker(form.picker().button_Select), BM_CLICK, 0, 0); }),
    });
    EXPECT_EQ(caption, "Select Folder To Share");
    EXPECT_EQ(shown, (std::vector<std::string>{"C:\\", "MorvanePicker", "Alpha", "beta"}));
    EXPECT_EQ(opened, (std::vector<std::string>{"C:\\", "MorvanePicker", "Alpha", "inner"}));
    EXPECT_TRUE(drive.starts_with("C:")) << drive;
    EXPECT_TRUE(cancelIsDefault);
    EXPECT_TRUE(centred) << "centred on the main window";
    EXPECT_EQ(picked, kPickerRoot);
    EXPECT_EQ(form.picker().Dir1.path(), kPickerRoot + "\\Alpha") << "kept for the next use";
}

TEST_F(FoldersAndDownloadsView, EnterAndEscCancelAndTheCloseBoxStartsAfresh) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE})
        EXPECT_EQ(
            addFolder(
                {inPicker("highlight Alpha", [&] { clickRow(picker(form.picker().Dir1), 2); }),
                 inPicker("press the key",
                          [&] { PostMessageA(picker(form.picker().Dir1), WM_KEYDOWN, key, 0); })}),
            "")
            << key;
    EXPECT_EQ(form.picker().Dir1.listIndex(), 2) << "hidden by Cancel: kept as it was";

    EXPECT_EQ(
        addFolder({inPicker("open beta", [&] { clickRow(picker(form.picker().Dir1), 3, true); }),
                   inPicker("close box",
                            [&] { PostMessageA(picker(form.picker().window), WM_CLOSE, 0, 0); })}),
        "");
    EXPECT_EQ(form.picker().Dir1.path(), kPickerRoot) << "closed by its close box: made afresh";
}

TEST_F(FoldersAndDownloadsView, AfterThePickerTheWindowIsActiveWithItsFocusBack) {
    click(form.Label2[1]); // SHARED FOLDERS
    SetFocus(h(form.list_Folders));
    HWND dialog = nullptr;
    const std::vector<std::pair<std::string, std::function<void()>>> closings = {
        {"Select", [&] { SendMessageA(picker(form.picker().button_Select), BM_CLICK, 0, 0); }},
        {"Cancel", [&] { SendMessageA(picker(form.picker().button_Cancel), BM_CLICK, 0, 0); }},
        {"Esc", [&] { PostMessageA(picker(form.picker().Dir1), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"its close box", [&] { PostMessageA(dialog, WM_CLOSE, 0, 0); }},
    };
    for (const auto& [how, close] : closings) {
        addFolder({inPicker(how, [&] {
            dialog = picker(form.picker().window);
            close();
        })});
        waitFor("the main window active with the focus on list_Folders after " + how,
                [&] { return backOn(form.list_Folders); });
    }
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
    HWND left = h(form.List_Downloads), right = h(form.list_downloads2);
    EXPECT_EQ(listRequests(left, [&] { click(form.Label2[2]); }), // "DOWNLOAD FOLDER"
              (std::vector<std::string>{"redraw off", "reserve 32", "add", "redraw on"}));
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
    auto rename = [&] { SendMessageA(h(form.button_rename), BM_CLICK, 0, 0); };
    script({answer(IDYES), answer(IDOK)}, rename);
    waitFor("the main window active with the focus on RENAME FILE after the message boxes",
            [&] { return backOn(form.button_rename); });
    EXPECT_EQ(boxes, (std::vector<std::string>{"Morvane|Rename c3d4.dat to film.avi?|YesNo|no icon",
                                               "Morvane|File Rename Failed!|Ok|icon"}));
    EXPECT_EQ(std::ifstream(kDownloads + "\\film.avi").get(), 'f') << "not replaced";
    EXPECT_TRUE(fs::exists(kDownloads + "\\c3d4.dat"));

    clickRow(right, 0);
    script({answer(IDYES)}, rename);
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_TRUE(fs::exists(kDownloads + "\\song.mp3"));
    EXPECT_FALSE(fs::exists(kDownloads + "\\a1b2.dat"));
    EXPECT_EQ(SendMessageA(left, LB_GETCOUNT, 0, 0), 31);
    EXPECT_EQ(listText(right, 0), "c3d4.dat");
}

TEST_F(FoldersAndDownloadsView, AMessageNamingAVeryLongProfileFitsTheScreen) {
    form.list_Profiles.addItem(std::string(311, 'n'));
    form.list_Profiles.addItem("other");
    form.list_Profiles.setListIndex(0);
    script({answer(IDNO)}, [&] { form.DeleteProfile_Click(); });
    EXPECT_EQ(boxes, (std::vector<std::string>{"Morvane|Delete profile " + std::string(31, 'n') +
                                               "..." + std::string(30, 'n') + "?|YesNo|no icon"}));
    EXPECT_LE(widestBox, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(form.list_Profiles.count(), 2) << "No deletes nothing";
}

} // namespace
} // namespace morvane::view
