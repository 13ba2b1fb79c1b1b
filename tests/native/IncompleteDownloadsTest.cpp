// The incomplete-download listing and the .dat reader: example files byte for byte, the
// shown name cut by length, and the choice of the download folder.

#include <gtest/gtest.h>

#include "app/Form2.h"
#include "downloads/DatFileReader.h"
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
        for (int i = 0; i < form.list_downloads2.count(); ++i)
            out.emplace_back(form.List_Downloads.item(i), form.list_downloads2.item(i));
        return out;
    }
    Pairs listed(const std::string& folder) {
        form.txt_Downloadfolder.setText(folder);
        form.ListIncompleteDownloads();
        return rows();
    }

    Harness h;
    Form1& form = h.form();
};

TEST_F(IncompleteDownloadsTest, TheReaderFindsThePathByTheLastColonWhateverTheBlockSize) {
    const std::string long120(120, 'x');
    const struct {
        const char* what;
        std::string bytes;
        std::string stored;
    } cases[] = {
        {"path then NUL", DatFileBytes("C:\\Downloads\\song.mp3"), "C:\\Downloads\\song.mp3"},
        {"path at the very end",
         "\x01\x02"
         "C:\\a.mp3",
         "C:\\a.mp3"},
        {"empty file", "", ""},
        {"no colon", "abc\\def.mp3", ""},
        {"colon as first byte", ":\\x.mp3", ""},
        {"byte before the colon not printable", std::string("\x01\x1f:\\x", 5), ""},
        {"ends before a byte of 127 or more", DatFileBytes("C:\\caf\xe9.mp3"), "C:\\caf"},
        {"DEL ends it too",
         DatFileBytes("C:\\a\x7f"
                      "b"),
         "C:\\a"},
        {"cut to 100 bytes", DatFileBytes("C:\\" + long120), "C:\\" + long120.substr(0, 97)},
        {"a colon after the path wins", DatFileBytes("C:\\x.mp3", std::string("\0ab:cd", 6)),
         "b:cd"},
        {"colon two blocks back", DatFileBytes("C:\\x.mp3", std::string(9000, '\0')), "C:\\x.mp3"},
    };
    for (const auto& c : cases) {
        h.writeFile("C:\\d\\x.dat", c.bytes);
        for (std::size_t block : {std::size_t(1), std::size_t(3), std::size_t(64), kDatReadBlock})
            EXPECT_EQ(GetDatFileName(*h.files, "C:\\d\\x.dat", block), c.stored)
                << c.what << ", block " << block;
    }
    EXPECT_EQ(GetDatFileName(*h.files, "C:\\d\\missing.dat"), std::nullopt);
}

TEST_F(IncompleteDownloadsTest, TheShownNameIsCutByTheFolderLength) {
    const struct {
        const char* folder;
        const char* stored;
        const char* shown;
    } cases[] = {
        {"C:\\Downloads", "C:\\Downloads\\song.mp3", "song.mp3"},
        {"C:\\Downloads\\", "C:\\Downloads\\song.mp3", "song.mp3"},
        {"C:\\", "C:\\song.mp3", "song.mp3"},
        {"C:\\Music", "D:\\Other\\track.mp3", "track.mp3"}, // not checked to begin with it
        {"C:\\Music", "C:\\Music\\", "UNKNOWN!"},           // exactly k characters
        {"C:\\Music", "C:\\Music\\x", "x"},
        {"C:\\Music", "", "UNKNOWN!"},
        {"C:\\Música", "C:\\Musica\\song.mp3", "song.mp3"}, // the folder's characters
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownName(c.folder, c.stored), c.shown) << c.folder << " " << c.stored;
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

    form.List_Downloads.setListIndex(1);
    EXPECT_EQ(listed("C:\\Nowhere"), Pairs()) << "a folder that cannot be listed";
    EXPECT_EQ(form.List_Downloads.listIndex(), -1);
    EXPECT_EQ(listed(""), Pairs()) << "no folder set: not the drive's root";
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(IncompleteDownloadsTest, TheDownloadFolderItemAndAProfilePressListAfresh) {
    h.writeFile("C:\\Downloads\\a1b2.dat", DatFileBytes("C:\\Downloads\\song.mp3"));
    form.txt_Downloadfolder.setText("C:\\Downloads");
    form.Label2[2].click();
    EXPECT_EQ(rows(), (Pairs{{"song.mp3", "a1b2.dat"}}));
    h.writeFile("C:\\Downloads\\e5f6.dat", DatFileBytes("C:\\Downloads\\film.avi"));
    form.Label2[2].click();
    EXPECT_EQ(rows().size(), 2u) << "every click lists again";

    h.files->makeDirectory("C:\\FastTrackProfiles");
    h.writeFile("C:\\FastTrackProfiles\\other.profile", "C:\\\r\n3\r\n3\r\n100\r\nEOF!\r\n");
    h.writeFile("C:\\song.dat", DatFileBytes("C:\\x.mp3"));
    form.list_Profiles.addItem("other");
    form.list_Profiles.press(ui::kLeftButton, 0);
    EXPECT_EQ(rows(), (Pairs{{"x.mp3", "song.dat"}}));
}

TEST_F(IncompleteDownloadsTest, ChoosingTheDownloadFolderListsAndSavesUnlessCancelled) {
    h.files->makeDirectory("C:\\FastTrackProfiles");
    h.files->makeDirectory("C:\\Incoming");
    h.writeFile("C:\\Incoming\\a.dat", DatFileBytes("C:\\Incoming\\song.mp3"));
    form.txt_profilename.setText("bob");
    form.str_currentprofilename = "bob";
    form.txt_Downloadfolder.setText("C:\\Downloads");
    h.files->deleteFile("C:\\FastTrackProfiles\\bob.profile");

    h.windows.onModal = [this](ui::Window&) { form.picker().button_Cancel.click(); };
    form.button_folderlist.click();
    EXPECT_EQ(form.txt_Downloadfolder.text(), "C:\\Downloads");
    EXPECT_FALSE(h.exists("C:\\FastTrackProfiles\\bob.profile"));

    h.windows.onModal = [this](ui::Window&) {
        Form2& picker = form.picker();
        picker.SetDir1Path("C:\\Incoming");
        picker.button_Select.click();
    };
    form.button_folderlist.click();
    EXPECT_EQ(h.windows.modalShows.back(), "Select Download Folder");
    EXPECT_EQ(form.txt_Downloadfolder.text(), "C:\\Incoming");
    EXPECT_EQ(form.str_pickedfolder, "");
    EXPECT_EQ(rows(), (Pairs{{"song.mp3", "a.dat"}}));
    EXPECT_TRUE(h.readFile("C:\\FastTrackProfiles\\bob.profile").starts_with("C:\\Incoming\r\n"));
}

} // namespace
} // namespace morvane::test
