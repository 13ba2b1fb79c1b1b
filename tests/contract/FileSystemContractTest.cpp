// The file rules the program depends on, proven on both the emulation and the real C: drive:
// what a listing shows, the bytes of text files, moves that never overwrite, letter case.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "contract/PlatformUnderTest.h"

namespace morvane {
namespace {

using Lines = std::vector<std::string>;

class FileSystemContract : public ::testing::Test {
protected:
    std::string at(const std::string& name) const { return platform.scratchFolder() + "\\" + name; }

    // Listings come in the system's order; compare them in name order.
    Lines listed(const std::string& pattern) {
        Lines names = files.listFiles(at(pattern));
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return std::lexicographical_compare(
                a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
                    return std::tolower(static_cast<unsigned char>(x)) <
                           std::tolower(static_cast<unsigned char>(y));
                });
        });
        return names;
    }

    test::PlatformUnderTest platform;
    FileSystem& files = platform.files();
};

TEST_F(FileSystemContract, ListingShowsOrdinaryFilesMatchingTheWildcardInAnyCase) {
    platform.writeFile(at("a.dat"), "1");
    platform.writeFile(at("B.DAT"), "2");
    platform.writeFile(at("c.txt"), "3");
    platform.writeFile(at("hidden.dat"), "4");
    platform.setHidden(at("hidden.dat"));
    platform.writeFile(at(".dot.dat"), "5");
    ASSERT_TRUE(files.makeDirectory(at("folder.dat")));

    EXPECT_EQ(Lines({"a.dat", "B.DAT"}), listed("*.dat"));
    EXPECT_EQ(Lines({"a.dat", "B.DAT"}), listed("*.DaT"));
    EXPECT_EQ(Lines({"a.dat", "B.DAT", "c.txt"}), listed("*.*"));
    EXPECT_EQ(Lines({"c.txt"}), listed("?.TXT"));
    EXPECT_EQ(Lines(), listed("*.zip"));
    EXPECT_EQ(Lines(), listed("missing\\*.dat"));
    EXPECT_EQ(Lines(), files.listFiles("Q:\\nowhere\\*.*"));
}

TEST_F(FileSystemContract, FoldersAreMadeOneLevelAtATime) {
    EXPECT_TRUE(files.directoryExists(platform.scratchFolder()));
    EXPECT_FALSE(files.directoryExists(at("sub")));
    EXPECT_TRUE(files.makeDirectory(at("sub")));
    EXPECT_TRUE(files.directoryExists(at("SUB")));
    EXPECT_FALSE(files.makeDirectory(at("Sub"))) << "it exists already";
    EXPECT_FALSE(files.makeDirectory(at("missing\\child"))) << "no parent";
    EXPECT_FALSE(files.directoryExists(at("missing\\child")));

    platform.writeFile(at("file"), "x");
    EXPECT_FALSE(files.directoryExists(at("file")));
}

TEST_F(FileSystemContract, LinesRoundTripWithCrLfOnDisk) {
    const Lines lines = {"first", "", "third with spaces ", "\xe9t\xe9", ""};
    ASSERT_TRUE(files.writeLines(at("p.profile"), lines));
    EXPECT_EQ(std::string("first\r\n\r\nthird with spaces \r\n\xe9t\xe9\r\n\r\n"),
              platform.readFile(at("p.profile")));
    EXPECT_EQ(lines, files.readLines(at("p.profile")));

    // Writing again replaces the whole file, even with less.
    ASSERT_TRUE(files.writeLines(at("p.profile"), {"x"}));
    EXPECT_EQ(std::string("x\r\n"), platform.readFile(at("p.profile")));
    ASSERT_TRUE(files.writeLines(at("p.profile"), {}));
    EXPECT_EQ(std::string(), platform.readFile(at("p.profile")));
    EXPECT_EQ(Lines(), files.readLines(at("p.profile")));

    EXPECT_FALSE(files.writeLines(at("missing\\p.profile"), {"x"}));
    EXPECT_EQ(std::nullopt, files.readLines(at("missing.profile")));
}

TEST_F(FileSystemContract, LinesEndAtCrLfLoneCrOrLoneLf) {
    platform.writeFile(at("mixed.txt"), "a\r\nb\nc\rd");
    EXPECT_EQ(Lines({"a", "b", "c", "d"}), files.readLines(at("mixed.txt")));
    platform.writeFile(at("blank.txt"), "\n\r\n\ra\n");
    EXPECT_EQ(Lines({"", "", "", "a"}), files.readLines(at("blank.txt")));
    platform.writeFile(at("crlf-split.txt"), "a\r\r\nb");
    EXPECT_EQ(Lines({"a", "", "b"}), files.readLines(at("crlf-split.txt")));
}

TEST_F(FileSystemContract, BytesAtAPositionAndTheLength) {
    const std::string bytes("0123\0\xff"
                            "6789",
                            10);
    platform.writeFile(at("x.dat"), bytes);
    EXPECT_EQ(10u, files.fileLength(at("X.DAT")));
    EXPECT_EQ(bytes.substr(3, 4), files.readBytes(at("x.dat"), 3, 4));
    EXPECT_EQ(std::string("89"), files.readBytes(at("x.dat"), 8, 5)) << "cut at the end";
    EXPECT_EQ(std::string(), files.readBytes(at("x.dat"), 20, 2)) << "past the end";
    EXPECT_EQ(bytes, files.readBytes(at("x.dat"), 0, 100));

    platform.writeFile(at("empty.dat"), "");
    EXPECT_EQ(0u, files.fileLength(at("empty.dat")));
    EXPECT_EQ(std::nullopt, files.fileLength(at("missing.dat")));
    EXPECT_EQ(std::nullopt, files.readBytes(at("missing.dat"), 0, 1));
    EXPECT_EQ(std::nullopt, files.fileLength(platform.scratchFolder()));
}

TEST_F(FileSystemContract, RenameNeverOverwrites) {
    platform.writeFile(at("a.mp3"), "song");
    platform.writeFile(at("b.mp3"), "other");
    EXPECT_FALSE(files.rename(at("a.mp3"), at("b.mp3")));
    EXPECT_FALSE(files.rename(at("a.mp3"), at("B.MP3")));
    EXPECT_EQ(std::string("song"), platform.readFile(at("a.mp3")));
    EXPECT_EQ(std::string("other"), platform.readFile(at("b.mp3")));

    EXPECT_FALSE(files.rename(at("missing.mp3"), at("c.mp3")));
    EXPECT_EQ(std::nullopt, platform.readFile(at("c.mp3")));
    EXPECT_FALSE(files.rename(at("a.mp3"), at("no-folder\\a.mp3")));
    EXPECT_EQ(std::string("song"), platform.readFile(at("a.mp3")));
}

TEST_F(FileSystemContract, RenameMovesIntoAnotherFolderOfTheDrive) {
    platform.writeFile(at("download.avi"), "movie");
    ASSERT_TRUE(files.makeDirectory(at("Video")));
    EXPECT_TRUE(files.rename(at("download.avi"), at("video\\Film.avi")));
    EXPECT_EQ(std::nullopt, platform.readFile(at("download.avi")));
    EXPECT_EQ(std::string("movie"), platform.readFile(at("Video\\Film.avi")));
    EXPECT_EQ(Lines({"Film.avi"}), listed("Video\\*.*")) << "the new name as given";
}

TEST_F(FileSystemContract, ReplaceOverwritesAndDeleteRemoves) {
    platform.writeFile(at("p.profile.new"), "new");
    platform.writeFile(at("p.profile"), "old");
    EXPECT_TRUE(files.replace(at("p.profile.new"), at("p.profile")));
    EXPECT_EQ(std::string("new"), platform.readFile(at("p.profile")));
    EXPECT_EQ(std::nullopt, platform.readFile(at("p.profile.new")));
    EXPECT_FALSE(files.replace(at("p.profile.new"), at("p.profile"))) << "source gone";

    platform.writeFile(at("q.new"), "q");
    EXPECT_TRUE(files.replace(at("q.new"), at("q.profile"))) << "nothing to replace";
    EXPECT_EQ(std::string("q"), platform.readFile(at("q.profile")));

    EXPECT_TRUE(files.deleteFile(at("P.PROFILE")));
    EXPECT_EQ(std::nullopt, platform.readFile(at("p.profile")));
    EXPECT_FALSE(files.deleteFile(at("p.profile")));
    EXPECT_FALSE(files.deleteFile(at("never.txt")));
}

TEST_F(FileSystemContract, FileNamesIgnoreLetterCaseAndKeepTheirSpelling) {
    ASSERT_TRUE(files.writeLines(at("A.TXT"), {"one"}));
    EXPECT_EQ(Lines({"one"}), files.readLines(at("a.txt")));
    ASSERT_TRUE(files.writeLines(at("a.txt"), {"two"})) << "the same file";
    EXPECT_EQ(Lines({"A.TXT"}), listed("*.txt"));
    EXPECT_EQ(std::string("two\r\n"), platform.readFile(at("A.txt")));

    EXPECT_TRUE(files.rename(at("a.txt"), at("b.txt")));
    EXPECT_EQ(Lines({"b.txt"}), listed("*.txt"));
}

} // namespace
} // namespace morvane
