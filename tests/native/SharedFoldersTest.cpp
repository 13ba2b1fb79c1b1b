// The shared folder list: Add Folder through the picker (no exact duplicate, a save in every
// case but Cancel), Remove Folder only with a selection and without a save.

#include <gtest/gtest.h>

#include "app/Form2.h"
#include "support/Harness.h"

namespace morvane::test {
namespace {

const std::string kProfileFile = "C:\\FastTrackProfiles\\bob.profile";

class SharedFoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.files->makeDirectory("C:\\FastTrackProfiles");
        for (const char* folder : {"C:\\Music", "C:\\Films"})
            h.files->makeDirectory(folder);
        form.txt_profilename.setText("bob");
        form.str_currentprofilename = "bob";
        form.list_Folders.addItem("C:\\Films");
        form.list_Folders.addItem("C:\\MUSIC"); // as the client's settings spelt it
        h.files->deleteFile(kProfileFile);
    }
    // Add Folder, highlighting the entry of C:\ whose caption is given, or cancelling.
    void add(const std::string& caption) {
        h.windows.onModal = [&](ui::Window&) {
            Form2& picker = form.picker();
            if (caption.empty())
                return picker.button_Cancel.click();
            picker.SetDir1Path("C:\\");
            for (std::size_t i = 0; i < picker.Dir1.items().size(); ++i)
                if (picker.Dir1.items()[i].caption == caption)
                    picker.Dir1.click(static_cast<int>(i));
            picker.button_Select.click();
        };
        form.AddFolder_Click();
    }
    bool savedWith(const std::string& folder) {
        return h.readFile(kProfileFile).find("\r\n" + folder + "\r\n") != std::string::npos;
    }

    Harness h;
    Form1& form = h.form();
};

TEST_F(SharedFoldersTest, AddAppendsAtTheEndUnlessListedExactlyAndSavesUnlessCancelled) {
    add("");
    EXPECT_FALSE(h.exists(kProfileFile)) << "cancelled: nothing written";
    form.list_Folders.setListIndex(0);
    add("Music"); // differs from C:\MUSIC in letter case only: a new entry
    add("Music");
    EXPECT_EQ(form.list_Folders.items(),
              (std::vector<std::string>{"C:\\Films", "C:\\MUSIC", "C:\\Music"}));
    EXPECT_TRUE(savedWith("C:\\Music"));
    EXPECT_EQ(form.str_pickedfolder, "");

    h.files->deleteFile(kProfileFile);
    add("Films");
    EXPECT_EQ(form.list_Folders.count(), 3);
    EXPECT_TRUE(savedWith("C:\\MUSIC")) << "stored although nothing was appended";
}

TEST_F(SharedFoldersTest, RemoveIsOfferedOnlyWithASelectionAndWaitsForTheNextSave) {
    form.SaveProfile("bob");
    form.list_Folders.press(ui::kRightButton, 1);
    ASSERT_EQ(h.dialogs.menus.size(), 1u);
    EXPECT_EQ(h.dialogs.menus[0].captions,
              (std::vector<std::string>{"Add Folder", "Remove Folder"}));
    EXPECT_EQ(h.dialogs.menus[0].enabled, (std::vector<bool>{true, false}));
    EXPECT_EQ(form.list_Folders.listIndex(), -1) << "a right press selects nothing";

    form.list_Folders.press(ui::kLeftButton, 1);
    EXPECT_EQ(h.dialogs.menus.size(), 1u) << "the left button shows no menu";
    h.dialogs.menuChoices.push_back(Form1::RemoveFolder);
    form.list_Folders.press(ui::kRightButton, 0);
    EXPECT_EQ(h.dialogs.menus[1].enabled, (std::vector<bool>{true, true}));
    EXPECT_EQ(form.list_Folders.items(), std::vector<std::string>{"C:\\Films"})
        << "the selected entry, not the one under a right press";
    EXPECT_TRUE(savedWith("C:\\MUSIC")) << "not written until the next save";
    form.SaveProfile("bob");
    EXPECT_FALSE(savedWith("C:\\MUSIC"));
}

} // namespace
} // namespace morvane::test
