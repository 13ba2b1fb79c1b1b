// Renaming an incomplete download to its stored name, and the two lists acting as one. The
// shown name comes from a file a remote peer named: it must never lead out of the folder.

#include <gtest/gtest.h>

#include "downloads/RenameTarget.h"
#include "platform/emulated/TestData.h"
#include "support/Harness.h"

namespace morvane::test {
namespace {

class RenameDownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.writeFile("C:\\Downloads\\a1b2.dat", DatFileBytes("C:\\Downloads\\song.mp3"));
        h.writeFile("C:\\Downloads\\c3d4.dat", DatFileBytes("C:\\Downloads\\film.avi"));
        h.writeFile("C:\\Downloads\\e5f6.dat", "no stored path");
        form.txt_Downloadfolder.setText("C:\\Downloads");
        form.ListIncompleteDownloads();
    }
    // Selects a row by its file name and answers the question with answer.
    void rename(const std::string& datName, MessageAnswer answer = MessageAnswer::Yes) {
        for (int i = 0; i < form.list_downloads2.count(); ++i)
            if (form.list_downloads2.item(i) == datName)
                form.list_downloads2.press(ui::kLeftButton, i);
        h.dialogs.answers.push_back(answer);
        form.button_rename.click();
    }
    bool failedOnce() {
        return h.dialogs.messages.size() == 2 &&
               h.dialogs.messages[1].text == "File Rename Failed!" &&
               h.dialogs.messages[1].icon == MessageIcon::Stop &&
               h.dialogs.messages[1].buttons == MessageButtons::Ok;
    }

    Harness h;
    Form1& form = h.form();
};

TEST_F(RenameDownloadTest, YesRenamesWithinTheFolderAndListsAgain) {
    for (const char* folder : {"C:\\Downloads", "C:\\Downloads\\"}) {
        form.txt_Downloadfolder.setText(folder);
        h.dialogs.messages.clear();
        rename("a1b2.dat");
        ASSERT_EQ(h.dialogs.messages.size(), 1u);
        const ShownMessage& asked = h.dialogs.messages[0];
        EXPECT_EQ(asked.text, "Rename a1b2.dat to song.mp3?");
        EXPECT_EQ(asked.caption, "Morvane");
        EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
        EXPECT_EQ(asked.icon, MessageIcon::None);
        EXPECT_EQ(h.readFile("C:\\Downloads\\song.mp3"), DatFileBytes("C:\\Downloads\\song.mp3"));
        EXPECT_FALSE(h.exists("C:\\Downloads\\a1b2.dat"));
        EXPECT_EQ(form.list_downloads2.items(), (std::vector<std::string>{"c3d4.dat", "e5f6.dat"}));
        EXPECT_EQ(form.List_Downloads.listIndex(), -1);
        // Put back for the folder spelt with a trailing backslash.
        h.files->rename("C:\\Downloads\\song.mp3", "C:\\Downloads\\a1b2.dat");
        form.ListIncompleteDownloads();
    }
    // A second click with nothing selected only hides the button.
    rename("a1b2.dat");
    h.dialogs.messages.clear();
    form.button_rename.click();
    EXPECT_FALSE(form.button_rename.visible());
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(RenameDownloadTest, NoChangesNothingAndUnknownIsANameLikeAnyOther) {
    rename("c3d4.dat", MessageAnswer::No);
    EXPECT_TRUE(h.exists("C:\\Downloads\\c3d4.dat"));
    EXPECT_EQ(form.List_Downloads.listIndex(), 1) << "the selection stays";
    EXPECT_TRUE(form.button_rename.visible());

    rename("e5f6.dat");
    EXPECT_EQ(h.dialogs.messages.back().text, "Rename e5f6.dat to UNKNOWN!?");
    EXPECT_EQ(h.readFile("C:\\Downloads\\UNKNOWN!"), "no stored path");
}

TEST_F(RenameDownloadTest, AFailedRenameSaysSoAndChangesNothing) {
    h.writeFile("C:\\Downloads\\song.mp3", "finished earlier");
    rename("a1b2.dat");
    EXPECT_TRUE(failedOnce()) << "never over an existing file";
    EXPECT_EQ(h.readFile("C:\\Downloads\\song.mp3"), "finished earlier");
    EXPECT_TRUE(h.exists("C:\\Downloads\\a1b2.dat"));
    EXPECT_EQ(form.list_downloads2.listIndex(), 0) << "not listed again: the selection stays";
}

TEST_F(RenameDownloadTest, ASubfolderIsAllowedOnlyWhenItExists) {
    h.writeFile("C:\\Downloads\\sub.dat", DatFileBytes("C:\\Downloads\\sub\\song.mp3"));
    form.ListIncompleteDownloads();
    rename("sub.dat");
    EXPECT_TRUE(failedOnce());
    h.files->makeDirectory("C:\\Downloads\\sub");
    h.dialogs.messages.clear();
    rename("sub.dat");
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_TRUE(h.exists("C:\\Downloads\\sub\\song.mp3"));
}

// The path is found by its last colon, so a colon can reach the shown name only through a
// short folder: the table below covers drives and colons.
TEST_F(RenameDownloadTest, AShownNameThatLeadsOutOfTheFolderFails) {
    h.files->makeDirectory("C:\\Downloads\\sub");
    h.files->makeDirectory("C:\\Windows");
    for (const char* stored :
         {"C:\\Downloads\\..\\evil.mp3", "C:\\Downloads\\sub\\..\\..\\evil.mp3",
          "C:\\Downloads\\\\Windows\\evil.mp3", "C:\\Downloads\\/Windows/evil.mp3",
          "C:\\Downloads\\sub/../../evil.mp3", "C:\\Downloads\\nul.mp3"}) {
        SCOPED_TRACE(stored);
        h.writeFile("C:\\Downloads\\bad.dat", DatFileBytes(stored));
        form.ListIncompleteDownloads();
        h.dialogs.messages.clear();
        rename("bad.dat");
        EXPECT_TRUE(failedOnce());
        EXPECT_TRUE(h.exists("C:\\Downloads\\bad.dat"));
        EXPECT_FALSE(h.exists("C:\\evil.mp3") || h.exists("C:\\Windows\\evil.mp3"));
    }
}

TEST_F(RenameDownloadTest, RenameTargetsStayBelowTheFolder) {
    const std::string in = "C:\\Downloads\\";
    EXPECT_EQ(RenameTarget(in, "song.mp3"), in + "song.mp3");
    EXPECT_EQ(RenameTarget(in, "sub\\song.mp3"), in + "sub\\song.mp3");
    EXPECT_EQ(RenameTarget(in, "UNKNOWN!"), in + "UNKNOWN!");
    EXPECT_EQ(RenameTarget(in, "..song.mp3"), in + "..song.mp3") << "dots inside a name";
    EXPECT_EQ(RenameTarget(in, "console.txt"), in + "console.txt");
    EXPECT_EQ(RenameTarget("\\", "song.mp3"), std::nullopt) << "no download folder";
    for (const char* bad : {"", "..", "...", ". .", "\\x", "/x", "a\\\\b", "a\\", "D:x", "a:b",
                            "sub\\..\\x", "CON", "sub\\aux.txt"})
        EXPECT_EQ(RenameTarget(in, bad), std::nullopt) << bad;
}

TEST_F(RenameDownloadTest, TheTwoListsShareOneSelectionAndOneScrollPosition) {
    form.button_rename.setVisible(false);
    form.List_Downloads.press(ui::kLeftButton, 2);
    EXPECT_EQ(form.list_downloads2.listIndex(), 2);
    EXPECT_TRUE(form.button_rename.visible());
    form.button_rename.setVisible(false);
    form.list_downloads2.press(ui::kLeftButton, 1);
    EXPECT_EQ(form.List_Downloads.listIndex(), 1);
    EXPECT_TRUE(form.button_rename.visible());

    form.list_downloads2.userScrolled(2);
    EXPECT_EQ(form.List_Downloads.topIndex(), 2);
    form.List_Downloads.userScrolled(1);
    EXPECT_EQ(form.list_downloads2.topIndex(), 1);

    // The profile list hides the button; a click on the row still selected brings it back.
    for (ui::ListBox* list : {&form.List_Downloads, &form.list_downloads2}) {
        form.list_Profiles.press(ui::kRightButton, -1);
        EXPECT_FALSE(form.button_rename.visible());
        list->press(ui::kLeftButton, 1);
        EXPECT_TRUE(form.button_rename.visible());
    }
    EXPECT_EQ(form.List_Downloads.listIndex(), 1);
}

} // namespace
} // namespace morvane::test
