// The file rules the program depends on, proven on both the emulation and the real C: drive:
// what a listing shows, the bytes of text files, moves that never overwrite, letter case.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "contract/PlatformUnderTest.h"

namespace morvane {
namespace {

using Lines = std::vector<std::string>;

class FileSystemContract : public ::testing::Test {
protected:
    std::string at(const std::string& name) const { return platform.scratchFolder() + "\\" + name; }
    // Listings come in the system's order; compare them sorted.
    Lines listed(const std::string& pattern) {
        Lines names = files.listFiles(at(pattern));
        std::sort(names.begin(), names.end());
        return names;
    }
    // A file's bytes, "-" when it is missing.
    std::string bytes(const std::string& name) { return platform.readFile(at(name)).value_or("-"); }

    test::PlatformUnderTest platform;
    FileSystem& files = platform.files();
};

// The system's own matching finds "x.data" for "*.dat" through its 8.3 alias X~1.DAT: the
// listing matches the long names only.
TEST_F(FileSystemContract, ListingShowsOrdinaryFilesWhoseLongNameMatchesInAnyCase) {
    for (const char* name :
         {"a.dat", "B.DAT", "c.txt", "hidden.dat", "x.data", "y.dat.mp3", "long name.DAT"})
        platform.writeFile(at(name), "x");
    platform.setHidden(at("hidden.dat"));
    ASSERT_TRUE(files.makeDirectory(at("folder.dat")));
    EXPECT_EQ(Lines({"B.DAT", "a.dat", "long name.DAT"}), listed("*.DaT"));
    EXPECT_EQ(Lines({"c.txt"}), listed("?.TXT"));
    EXPECT_EQ(Lines(), listed("missing\\*.dat"));
}

TEST_F(FileSystemContract, SubfoldersAreTheVisibleOnes) {
    for (const char* folder : {"Alpha", "beta", "gamma", "Alpha\\inner"})
        ASSERT_TRUE(files.makeDirectory(at(folder)));
    platform.setHidden(at("gamma"));
    platform.writeFile(at("file.txt"), "x");
    std::optional<Lines> folders = files.listFolders(platform.scratchFolder());
    ASSERT_TRUE(folders);
    std::sort(folders->begin(), folders->end());
    EXPECT_EQ(Lines({"Alpha", "beta"}), folders) << "no files, no hidden folders, no dots";
    EXPECT_EQ(Lines(), files.listFolders(at("beta\\")));
    EXPECT_EQ(std::nullopt, files.listFolders(at("missing")));
}

TEST_F(FileSystemContract, BytesAtAPositionAndAnOpenByteFileLetsOthersRenameAndDeleteIt) {
    platform.writeFile(at("a.dat"), std::string("0123\0\3776789", 10));
    EXPECT_EQ(10u, files.fileLength(at("A.DAT")));
    EXPECT_EQ(std::string("3\0\3776", 4), files.readBytes(at("a.dat"), 3, 4));
    EXPECT_EQ("89", files.readBytes(at("a.dat"), 8, 5)) << "cut at the end";
    EXPECT_EQ("", files.readBytes(at("a.dat"), 20, 2)) << "past the end";
    EXPECT_EQ(std::nullopt, files.fileLength(at("missing.dat")));
    std::unique_ptr<ByteFile> file = files.openBytes(at("A.DAT"));
    ASSERT_TRUE(file);
    EXPECT_EQ(10u, file->length());
    EXPECT_EQ("789", file->read(7, 5));
    // What the client may do while the reader holds the file.
    EXPECT_TRUE(files.rename(at("a.dat"), at("b.mp3")));
    EXPECT_EQ("012", file->read(0, 3)) << "still readable after a rename";
    EXPECT_TRUE(files.deleteFile(at("b.mp3")));
    file.reset();
    EXPECT_EQ(nullptr, files.openBytes(at("a.dat")));
}

TEST_F(FileSystemContract, LinesRoundTripWithCrLfOnDisk) {
    const Lines lines = {"first", "", "third with spaces ", "\xe9t\xe9"};
    ASSERT_TRUE(files.writeLines(at("p.profile"), lines));
    EXPECT_EQ(bytes("p.profile"), "first\r\n\r\nthird with spaces \r\n\xe9t\xe9\r\n");
    EXPECT_EQ(lines, files.readLines(at("P.PROFILE")));
    ASSERT_TRUE(files.writeLines(at("P.PROFILE"), {"x"}));
    EXPECT_EQ(bytes("p.profile"), "x\r\n") << "replaced whole, under any spelling";

    platform.writeFile(at("mixed.txt"), "a\r\nb\nc\rd");
    EXPECT_EQ(Lines({"a", "b", "c", "d"}), files.readLines(at("mixed.txt")));
    EXPECT_EQ(std::nullopt, files.readLines(at("missing.profile")));
}

TEST_F(FileSystemContract, RenameNeverOverwritesReplaceDoes) {
    platform.writeFile(at("a.mp3"), "song");
    platform.writeFile(at("b.mp3"), "other");
    EXPECT_FALSE(files.rename(at("a.mp3"), at("B.MP3")));
    EXPECT_EQ(bytes("a.mp3") + bytes("b.mp3"), "songother") << "changed nothing";
    ASSERT_TRUE(files.makeDirectory(at("Video")));
    EXPECT_TRUE(files.rename(at("a.mp3"), at("video\\Film.mp3")));
    EXPECT_EQ(bytes("a.mp3") + bytes("Video\\Film.mp3"), "-song");
    EXPECT_TRUE(files.replace(at("Video\\Film.mp3"), at("b.mp3")));
    EXPECT_EQ(bytes("Video\\Film.mp3") + bytes("b.mp3"), "-song");
    EXPECT_TRUE(files.deleteFile(at("B.mp3")));
    EXPECT_FALSE(files.deleteFile(at("b.mp3"))) << "already gone";
}

} // namespace
} // namespace morvane
