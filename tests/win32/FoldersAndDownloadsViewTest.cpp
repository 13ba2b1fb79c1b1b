// The folder picker, a listing and a rename on real controls: clicks, keys and scrolling sent
// as window messages, real message boxes answered as the user would. The files and registry
// are the emulation's (the contract suite proves the real ones keep the same rules).
#include "platform/emulated/TestData.h"
#include "tests/win32/ViewFixture.h"

namespace morvane::view {
namespace {

const std::string kPickerRoot = "C:\\MorvanePicker";
const std::string kDownloads = "C:\\MorvaneDownloads";

class FoldersAndDownloadsView : public ViewTest {
protected:
    FoldersAndDownloadsView() : ViewTest({.dialogs = true}) {}
    void SetUp() override {
        ViewTest::SetUp();
        if (HasFatalFailure())
            return;
        for (const std::string folder : {"", "\\Alpha", "\\beta"})
            ASSERT_TRUE(files.makeDirectory(kPickerRoot + folder));
        files.setCurrentFolder(kPickerRoot);
        form.sectionArea.setVisible(true); // as with a current profile
        show();
    }
    HWND folders() { return picker(form.picker().folderList); }
};

// The picker is modal and centred on the main window. Every way out of it leaves the main window
// active with its focus back; only Select hands a folder back.
TEST_F(FoldersAndDownloadsView, ThePickerIsModalAndEveryWayOutGivesTheFocusBack) {
    click(form.sectionMenu[SharedFoldersItem]); // SHARED FOLDERS
    SetFocus(h(form.sharedFolderList));
    bool ownerEnabled = true, centred = false;
    auto look = [&] {
        ownerEnabled = IsWindowEnabled(h(form.window));
        RECT mine, owner;
        GetWindowRect(picker(form.picker().window), &mine);
        GetWindowRect(h(form.window), &owner);
        centred = std::abs((mine.left + mine.right) - (owner.left + owner.right)) <= 2 &&
                  std::abs((mine.top + mine.bottom) - (owner.top + owner.bottom)) <= 2;
        clickRow(folders(), 3); // under C:\ and MorvanePicker: Alpha, beta
    };
    // Select comes last: a way out that handed beta back before it would show as a row.
    const std::pair<std::string, std::function<void()>> ways[] = {
        {"Cancel", [&] { SendMessageA(picker(form.picker().button_Cancel), BM_CLICK, 0, 0); }},
        {"Enter", [&] { PostMessageA(folders(), WM_KEYDOWN, VK_RETURN, 0); }},
        {"Esc", [&] { PostMessageA(folders(), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"its close box", [&] { PostMessageA(picker(form.picker().window), WM_CLOSE, 0, 0); }},
        {"Select", [&] { SendMessageA(picker(form.picker().button_Select), BM_CLICK, 0, 0); }},
    };
    for (const auto& [how, close] : ways) {
        script({inPicker("highlight beta", look), inPicker(how, close)},
               [&] { form.profileView.AddFolder_Click(); });
        EXPECT_EQ(form.sharedFolderList.items(),
                  std::vector(how == "Select", kPickerRoot + "\\beta"))
            << how;
        waitFor("the main window active with the focus on sharedFolderList after " + how,
                [&] { return backOn(form.sharedFolderList); });
    }
    EXPECT_FALSE(ownerEnabled) << "a modal picker";
    EXPECT_TRUE(centred) << "centred on the main window";
}

// From the keyboard alone: Shift+F10 and the Menu key open a list's menu at its highlighted row
// (at its top when none is), arrows and Enter choose in it, and in the picker Space opens the
// highlighted folder as a double click does.
TEST_F(FoldersAndDownloadsView, TheListsMenusAndThePickerAnswerTheKeyboard) {
    ASSERT_TRUE(files.makeDirectory(kPickerRoot + "\\beta\\gamma"));
    form.profiles.AddEntry("ann");
    form.profiles.AddEntry("bob");
    form.profileView.showProfileNames();
    form.profileList.setListIndex(1);
    RECT placed{};
    auto inMenu = [&](std::string name) -> Step {
        return {std::move(name), [] { return IsWindowVisible(FindWindowA("#32768", nullptr)); },
                [&] {
                    GetWindowRect(FindWindowA("#32768", nullptr), &placed);
                    PostMessageA(h(form.window), WM_KEYDOWN, VK_DOWN, 0);
                    PostMessageA(h(form.window), WM_KEYDOWN, VK_RETURN, 0);
                }};
    };
    // The menu's corner where the row (or the list) begins, below its row.
    auto at = [&](const ui::ListBox& list, int row) {
        RECT r{};
        GetClientRect(h(list), &r);
        if (row >= 0)
            SendMessageA(h(list), LB_GETITEMRECT, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&r));
        POINT corner{r.left, row >= 0 ? r.bottom : r.top};
        ClientToScreen(h(list), &corner);
        return std::abs(placed.left - corner.x) <= 2 && std::abs(placed.top - corner.y) <= 2;
    };

    SetFocus(h(form.profileList));
    script({inMenu("Add Profile")}, [&] { press(VK_F10, {VK_SHIFT}); });
    EXPECT_EQ(form.profileList.items(), (std::vector<std::string>{"ann", "bob", "new_profile_1"}));
    EXPECT_TRUE(at(form.profileList, 1)) << "at bob's row";

    press(VK_NEXT, {VK_CONTROL}); // SHARED FOLDERS
    SetFocus(h(form.sharedFolderList));
    const std::vector<WPARAM> keys = {VK_DOWN, VK_DOWN, VK_SPACE, VK_DOWN, VK_SPACE};
    script({inMenu("Add Folder"),
            inPicker("beta, then gamma below it",
                     [&] {
                         SetFocus(folders());
                         for (WPARAM key : keys)
                             PostMessageA(folders(), WM_KEYDOWN, key, 0);
                     }),
            {"Select",
             [&] { return form.picker().folderList.path() == kPickerRoot + "\\beta\\gamma"; },
             [&] { SendMessageA(picker(form.picker().button_Select), BM_CLICK, 0, 0); }}},
           [&] { press(VK_APPS); });
    EXPECT_TRUE(at(form.sharedFolderList, -1)) << "at the top of the empty list";
    EXPECT_EQ(form.sharedFolderList.items(),
              std::vector<std::string>{kPickerRoot + "\\beta\\gamma"});
}

TEST_F(FoldersAndDownloadsView, ListingAndRenameWithTheListsActingAsOne) {
    emulated.writeFile(kDownloads + "\\a1b2.dat", DatFileBytes(kDownloads + "\\song.mp3"));
    emulated.writeFile(kDownloads + "\\c3d4.dat", DatFileBytes(kDownloads + "\\film.avi"));
    for (int i = 10; i < 40; ++i)
        emulated.writeFile(kDownloads + "\\z" + std::to_string(i) + ".dat",
                           DatFileBytes(kDownloads + "\\t.mp3"));
    emulated.writeFile(kDownloads + "\\film.avi", "finished earlier");
    form.downloadFolderBox.setText(kDownloads);

    click(form.sectionMenu[DownloadFolderItem]); // DOWNLOAD FOLDER
    HWND left = h(form.downloadNameList), right = h(form.datFileList);
    ASSERT_EQ(SendMessageA(right, LB_GETCOUNT, 0, 0), 32);
    EXPECT_EQ(listText(left, 0) + "|" + listText(right, 0), "song.mp3|a1b2.dat");

    clickRow(left, 1);
    EXPECT_EQ(SendMessageA(right, LB_GETCURSEL, 0, 0), 1);
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
    script({answer(IDYES), answer(IDOK)},
           [&] { SendMessageA(h(form.renameButton), BM_CLICK, 0, 0); });
    waitFor("the main window active with the focus on RENAME FILE after the message boxes",
            [&] { return backOn(form.renameButton); });
    EXPECT_EQ(boxes, (std::vector<std::string>{"Morvane|Rename c3d4.dat to film.avi?|YesNo|no icon",
                                               "Morvane|File Rename Failed!|Ok|icon"}));
    EXPECT_EQ(emulated.readFile(kDownloads + "\\film.avi"), "finished earlier") << "not replaced";
}

TEST_F(FoldersAndDownloadsView, AMessageShortensAVeryLongProfileNameToFitTheScreen) {
    form.profileList.addItem(std::string(311, 'n'));
    form.profileList.addItem("other");
    form.profileList.setListIndex(0);
    script({answer(IDNO)}, [&] { form.profileView.DeleteProfile_Click(); });
    EXPECT_EQ(boxes, (std::vector<std::string>{"Morvane|Delete profile " + std::string(31, 'n') +
                                               "..." + std::string(30, 'n') + "?|YesNo|no icon"}));
    EXPECT_EQ(form.profileList.count(), 2) << "No deletes nothing";
}

} // namespace
} // namespace morvane::view
