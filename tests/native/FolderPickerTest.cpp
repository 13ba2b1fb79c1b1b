// The folder picker on the headless view: where it opens, what Select hands back, falling back
// to C: from a drive that is not ready, and the drive lock (clicks, keys and the close box on
// the real window are the Wine view tests'). The caller here is "Add Folder" of the shared
// folders, which appends what is chosen; then the shared folder list itself: Add Folder (no
// exact duplicate, a save in every case but Cancel), Remove Folder only with a selection and
// without a save.

#include <gtest/gtest.h>

#include "app/FolderPickerDialog.h"
#include "app/FolderTree.h"
#include "support/Harness.h"

namespace morvane::test {
namespace {

class FolderPickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"C:\\Music", "C:\\Music\\Live", "C:\\Music\\ambient",
                                   "C:\\Music\\.hidden", "C:\\Windows"})
            h.files->makeDirectory(folder);
        h.files->addDrive('c', "System");
        h.files->addDrive('d', "Data");
        h.files->makeDirectory("D:\\Films");
        h.files->addDrive('e', "", false);
        h.files->setCurrentFolder("C:\\Music");
    }

    // Runs "Add Folder" with the user's actions inside the modal show; what it appended.
    std::string pick(const std::function<void(FolderPickerDialog&)>& act) {
        h.windows.onModal = [&](ui::Window&) { act(form.picker()); };
        const int before = form.sharedFolderList.count();
        form.profileView.AddFolder_Click();
        h.windows.onModal = nullptr;
        return form.sharedFolderList.count() > before ? form.sharedFolderList.items().back() : "";
    }
    static std::string captions(const ui::DirListBox& dir) {
        std::string out;
        for (const ui::FolderItem& item : dir.items())
            out += std::string(static_cast<std::size_t>(item.level), ' ') + item.caption + "|";
        return out;
    }

    Harness h;
    MainWindow& form = h.form();
};

TEST_F(FolderPickerTest, OpensOnTheCurrentFolderAndSelectWithoutAClickReturnsIt) {
    for (const char* bad : {"", "Music", "\\\\server\\share", "C:\\a\\..\\b", "1:\\"})
        EXPECT_TRUE(FolderLevels(bad).empty()) << bad;
    EXPECT_EQ(pick([this](FolderPickerDialog& picker) {
                  EXPECT_EQ(picker.window.caption(), "Select Folder To Share");
                  EXPECT_EQ(picker.driveList.drive(), "C:\\");
                  ASSERT_EQ(picker.driveList.items().size(), 3u);
                  EXPECT_EQ(picker.driveList.items()[0].caption, "C: [System]");
                  EXPECT_EQ(picker.driveList.items()[2].caption, "E:");
                  EXPECT_EQ(captions(picker.folderList), "C:\\| Music|  ambient|  Live|");
                  picker.button_Select.click();
              }),
              "C:\\Music");
    EXPECT_TRUE(h.dialogs.messages.empty());
    h.pickFolder("C:\\Windows");
    form.downloadFolderButton.click();
    EXPECT_EQ(h.windows.modalShows.back(), "Select Download Folder");
    EXPECT_EQ(form.downloadFolderBox.text(), "C:\\Windows");
}

TEST_F(FolderPickerTest, ADriveThatIsNotReadyFallsBackToCSilently) {
    EXPECT_EQ(pick([](FolderPickerDialog& picker) {
                  picker.driveList.userChose(1); // D: is ready
                  EXPECT_EQ(captions(picker.folderList), "D:\\| Films|");
                  picker.driveList.userChose(2); // E: has no medium
                  EXPECT_EQ(picker.driveList.drive(), "C:\\");
                  EXPECT_EQ(picker.folderList.path(), "C:\\Music") << "C:'s current folder";
                  picker.button_Select.click();
              }),
              "C:\\Music");
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(FolderPickerTest, ALockedPickStaysOnItsDrive) {
    FolderPickerDialog& picker = form.picker();
    form.LockFolderPicker("D:\\");
    // Any folder of the drive can be chosen, the drive itself cannot be changed.
    EXPECT_EQ(pick([](FolderPickerDialog& p) {
                  EXPECT_FALSE(p.driveList.enabled());
                  EXPECT_EQ(p.driveList.drive(), "D:\\");
                  p.folderList.userHighlighted(1);
                  p.button_Select.click();
              }),
              "D:\\Films");
    form.UnlockFolderPicker();
    EXPECT_TRUE(picker.driveList.enabled());
    EXPECT_EQ(picker.driveList.drive(), "D:\\") << "stays on the locked drive";

    // A locked drive without a medium offers nothing, rather than another drive's folders.
    form.LockFolderPicker("E:\\");
    EXPECT_EQ(pick([](FolderPickerDialog& p) { p.button_Select.click(); }), "");
    form.UnlockFolderPicker();
}

const std::string kProfileFile = "C:\\FastTrackProfiles\\bob.profile";

class SharedFoldersTest : public FolderPickerTest {
protected:
    void SetUp() override {
        FolderPickerTest::SetUp();
        h.files->makeDirectory("C:\\Films");
        form.profileNameBox.setText("bob");
        form.profiles.setCurrentName("bob");
        showFolders(form, {"C:\\Films", "C:\\MUSIC"}); // as the client's settings spelt it
        h.files->deleteFile(kProfileFile);
    }
    void add(const std::string& folder) {
        h.pickFolder(folder);
        form.profileView.AddFolder_Click();
    }
    bool savedWith(const std::string& folder) {
        return h.readFile(kProfileFile).find("\r\n" + folder + "\r\n") != std::string::npos;
    }
};

TEST_F(SharedFoldersTest, AddAppendsAtTheEndUnlessListedExactlyAndSavesUnlessCancelled) {
    add("");
    EXPECT_FALSE(h.exists(kProfileFile)) << "cancelled: nothing written";
    form.sharedFolderList.setListIndex(0);
    add("C:\\Music"); // differs from C:\MUSIC in letter case only: a new entry
    add("C:\\Music");
    EXPECT_EQ(form.sharedFolderList.items(),
              (std::vector<std::string>{"C:\\Films", "C:\\MUSIC", "C:\\Music"}));
    EXPECT_TRUE(savedWith("C:\\Music"));
    EXPECT_EQ(form.pickedFolder, "");

    h.files->deleteFile(kProfileFile);
    add("C:\\Films");
    EXPECT_EQ(form.sharedFolderList.count(), 3);
    EXPECT_TRUE(savedWith("C:\\MUSIC")) << "stored although nothing was appended";
}

TEST_F(SharedFoldersTest, RemoveIsOfferedOnlyWithASelectionAndWaitsForTheNextSave) {
    form.profileView.SaveProfile("bob");
    Press(form.sharedFolderList, ui::kRightButton, 1);
    ASSERT_EQ(h.dialogs.menus.size(), 1u);
    EXPECT_EQ(h.dialogs.menus[0].captions,
              (std::vector<std::string>{"Add Folder", "Remove Folder"}));
    EXPECT_EQ(h.dialogs.menus[0].enabled, (std::vector<bool>{true, false}));
    EXPECT_EQ(form.sharedFolderList.listIndex(), -1) << "a right press selects nothing";

    Press(form.sharedFolderList, ui::kLeftButton, 1);
    EXPECT_EQ(h.dialogs.menus.size(), 1u) << "the left button shows no menu";
    h.dialogs.menuChoices.push_back(MainWindow::RemoveFolder);
    Press(form.sharedFolderList, ui::kRightButton, 0);
    EXPECT_EQ(h.dialogs.menus[1].enabled, (std::vector<bool>{true, true}));
    EXPECT_EQ(form.sharedFolderList.items(), std::vector<std::string>{"C:\\Films"})
        << "the selected entry, not the one under a right press";
    EXPECT_TRUE(savedWith("C:\\MUSIC")) << "not written until the next save";
    form.profileView.SaveProfile("bob");
    EXPECT_FALSE(savedWith("C:\\MUSIC"));
}

} // namespace
} // namespace morvane::test
