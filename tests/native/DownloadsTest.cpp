// The incomplete-download listing and the .dat reader: example files byte for byte, the
// shown name cut by length. Then renaming an incomplete download to its stored name (the two
// lists acting as one, and a rename onto an existing file, are the Wine view tests').

#include <gtest/gtest.h>

#include "app/FolderPickerDialog.h"
#include "downloads/DatFileReader.h"
#include "downloads/RenameDownload.h"
#include "downloads/RenameTarget.h"
#include "platform/emulated/TestData.h"
#include "support/Harness.h"

namespace morvane::test {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

class IncompleteDownloadsTest : public ::testing::Test {
protected:
    // The two lists row by row as (shown name, file name).
    Pairs rows() const {
        Pairs out;
        for (int i = 0; i < form.datFileList.count(); ++i)
            out.emplace_back(form.downloadNameList.item(i), form.datFileList.item(i));
        return out;
    }
    Pairs listed(const std::string& folder) {
        form.downloadFolderBox.setText(folder);
        form.downloadsView.ListIncompleteDownloads();
        return rows();
    }

    Harness h;
    MainWindow& form = h.form();
};

TEST_F(IncompleteDownloadsTest, TheReaderFindsThePathByTheLastColonWhateverTheBlockSize) {
    const std::string long120(120, 'x');
    // The bytes, and the path read from them.
    const std::pair<std::string, std::string> cases[] = {
        {DatFileBytes("C:\\Downloads\\song.mp3"), "C:\\Downloads\\song.mp3"},
        {std::string("\x01\x02") + "C:\\a.mp3", "C:\\a.mp3"}, // at the very end
        {"", ""},
        {"abc\\def.mp3", ""},                 // no colon
        {":\\x.mp3", ""},                     // a colon as the first byte
        {std::string("\x01\x1f:\\x", 5), ""}, // the byte before it not printable
        // The client's code page (Western here) read as letters; DEL ends the name.
        {DatFileBytes("C:\\Beyonc\xe9 \x80.mp3"), "C:\\Beyonc\xc3\xa9 \xe2\x82\xac.mp3"},
        {DatFileBytes("C:\\a\x7f" + std::string("b")), "C:\\a"},
        {DatFileBytes("C:\\" + long120), "C:\\" + long120.substr(0, 97)},  // cut to 100 bytes
        {DatFileBytes("C:\\x.mp3", std::string("\0ab:cd", 6)), "b:cd"},    // a later colon wins
        {DatFileBytes("C:\\x.mp3", std::string(9000, '\0')), "C:\\x.mp3"}, // two blocks back
    };
    for (const auto& [bytes, stored] : cases) {
        h.writeFile("C:\\d\\x.dat", bytes);
        for (std::size_t block : {std::size_t(1), std::size_t(3), std::size_t(64), kDatReadBlock})
            EXPECT_EQ(GetDatFileName(*h.files, "C:\\d\\x.dat", block), stored)
                << bytes.size() << " bytes, block " << block;
    }
    EXPECT_EQ(GetDatFileName(*h.files, "C:\\d\\missing.dat"), std::nullopt);
}

TEST_F(IncompleteDownloadsTest, TheShownNameIsCutByTheFolderLength) {
    // The download folder, the stored path, the name shown.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"C:\\Downloads", "C:\\Downloads\\song.mp3", "song.mp3"},
        {"C:\\Downloads\\", "C:\\Downloads\\song.mp3", "song.mp3"},
        {"C:\\", "C:\\song.mp3", "song.mp3"},
        {"C:\\Music", "D:\\Other\\track.mp3", "track.mp3"}, // not checked to begin with it
        {"C:\\Music", "C:\\Music\\", "UNKNOWN!"},           // exactly k characters
        {"C:\\Music", "C:\\Music\\x", "x"},
        {"C:\\Music", "", "UNKNOWN!"},
        {"C:\\Música", "C:\\Musica\\song.mp3", "song.mp3"}, // the folder's characters
    };
    for (const auto& [folder, stored, shown] : cases)
        EXPECT_EQ(ShownName(folder, stored), shown) << folder << " " << stored;
    for (const char* name : {"a.dat", "B.DAT", "c.Dat", ".dat"})
        EXPECT_TRUE(IsDatFileName(name)) << name;
    for (const char* name : {"x.data", "x.dat.mp3", "dat", "x.da"})
        EXPECT_FALSE(IsDatFileName(name)) << name;
}

TEST_F(IncompleteDownloadsTest, ListsEveryDatFileBesideItsStoredName) {
    h.writeFile("C:\\Downloads\\a1b2.dat", DatFileBytes("C:\\Downloads\\song.mp3"));
    h.writeFile("C:\\Downloads\\C3.DAT", DatFileBytes("C:\\Downloads\\sub\\clip.avi"));
    h.writeFile("C:\\Downloads\\empty.dat", "");
    h.writeFile("C:\\Downloads\\other.dat", DatFileBytes("D:\\Other\\track.mp3"));
    h.writeFile("C:\\Downloads\\finished.mp3", DatFileBytes("C:\\Downloads\\no.mp3"));
    h.writeFile("C:\\Downloads\\hidden.dat", DatFileBytes("C:\\Downloads\\no.mp3"));
    h.files->setHidden("C:\\Downloads\\hidden.dat");
    h.files->makeDirectory("C:\\Downloads\\folder.dat");
    const Pairs expected = {{"song.mp3", "a1b2.dat"},
                            {"sub\\clip.avi", "C3.DAT"},
                            {"UNKNOWN!", "empty.dat"},
                            {"k.mp3", "other.dat"}};
    EXPECT_EQ(listed("C:\\Downloads"), expected);
    EXPECT_EQ(listed("C:\\Downloads\\"), expected) << "no doubled backslash";
    EXPECT_FALSE(h.clock.waitPointer) << "the arrow is back";

    form.downloadNameList.setListIndex(1);
    EXPECT_EQ(listed("C:\\Nowhere"), Pairs()) << "a folder that cannot be listed";
    EXPECT_EQ(form.downloadNameList.listIndex(), -1);
    EXPECT_EQ(listed(""), Pairs()) << "no folder set: not the drive's root";
    EXPECT_TRUE(h.dialogs.messages.empty());
}

class RenameDownloadTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.writeFile("C:\\Downloads\\a1b2.dat", DatFileBytes("C:\\Downloads\\song.mp3"));
        h.writeFile("C:\\Downloads\\c3d4.dat", DatFileBytes("C:\\Downloads\\film.avi"));
        h.writeFile("C:\\Downloads\\e5f6.dat", "no stored path");
        form.downloadFolderBox.setText("C:\\Downloads");
        form.downloadsView.ListIncompleteDownloads();
    }
    Harness h;
    MainWindow& form = h.form();
};

TEST_F(RenameDownloadTest, NoChangesNothingYesRenamesWithinTheFolderAndListsAgain) {
    h.renameDownload("c3d4.dat", MessageAnswer::No);
    EXPECT_TRUE(h.exists("C:\\Downloads\\c3d4.dat"));
    EXPECT_EQ(form.downloadNameList.listIndex(), 1) << "the selection stays";
    EXPECT_TRUE(form.renameButton.visible());

    form.downloadFolderBox.setText("C:\\Downloads\\"); // no doubled backslash
    h.renameDownload("a1b2.dat");
    EXPECT_EQ(h.messageLog(), (std::vector<std::string>{"Morvane|Rename c3d4.dat to film.avi?",
                                                        "Morvane|Rename a1b2.dat to song.mp3?"}));
    EXPECT_EQ(h.dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(h.readFile("C:\\Downloads\\song.mp3"), DatFileBytes("C:\\Downloads\\song.mp3"));
    EXPECT_FALSE(h.exists("C:\\Downloads\\a1b2.dat"));
    EXPECT_EQ(form.datFileList.items(), (std::vector<std::string>{"c3d4.dat", "e5f6.dat"}));
    EXPECT_EQ(form.downloadNameList.listIndex(), -1);
    // A second click with nothing selected only hides the button.
    form.renameButton.click();
    EXPECT_FALSE(form.renameButton.visible());
    EXPECT_EQ(h.dialogs.messages.size(), 2u);

    // UNKNOWN! is a name like any other.
    h.renameDownload("e5f6.dat");
    EXPECT_EQ(h.dialogs.messages.back().text, "Rename e5f6.dat to UNKNOWN!?");
    EXPECT_EQ(h.readFile("C:\\Downloads\\UNKNOWN!"), "no stored path");
}

TEST_F(RenameDownloadTest, EachOutcomeIsReportedAndASubfolderMustExist) {
    const auto rename = [&](const std::string& shown, MessageAnswer answer = MessageAnswer::Yes) {
        h.dialogs.answers.push_back(answer);
        return RenameDownload(*h.files, h.dialogs, "C:\\Downloads", shown, "a1b2.dat");
    };
    EXPECT_EQ(rename("sub\\song.mp3", MessageAnswer::No), RenameOutcome::Declined);
    EXPECT_EQ(rename("..\\song.mp3"), RenameOutcome::Refused);
    EXPECT_EQ(rename("sub\\song.mp3"), RenameOutcome::Failed);
    ASSERT_EQ(h.dialogs.messages.size(), 5u);
    for (std::size_t i : {2u, 4u}) {
        EXPECT_EQ(h.dialogs.messages[i].text, "File Rename Failed!");
        EXPECT_EQ(h.dialogs.messages[i].icon, MessageIcon::Stop);
    }
    h.files->makeDirectory("C:\\Downloads\\sub");
    EXPECT_EQ(rename("sub\\song.mp3"), RenameOutcome::Renamed);
    EXPECT_EQ(h.dialogs.messages.size(), 6u);
    EXPECT_TRUE(h.exists("C:\\Downloads\\sub\\song.mp3"));
}

// The shown name comes from a file a remote peer named: it must never lead out of the folder.
TEST_F(RenameDownloadTest, RenameTargetsStayBelowTheFolder) {
    const std::string in = "C:\\Downloads\\";
    for (const std::string good :
         {"song.mp3", "sub\\song.mp3", "UNKNOWN!", "..song.mp3", "console.txt"})
        EXPECT_EQ(RenameTarget(in, good), in + good);
    EXPECT_EQ(RenameTarget("\\", "song.mp3"), std::nullopt) << "no download folder";
    for (const char* bad : {"", "..", "...", ". .", "\\x", "/x", "a\\\\b", "a\\", "D:x", "a:b",
                            "sub\\..\\x", "sub/../../x", "CON", "sub\\aux.txt", "nul.mp3"})
        EXPECT_EQ(RenameTarget(in, bad), std::nullopt) << bad;
}

} // namespace
} // namespace morvane::test
