// Which names may become profile files, and which listed files stand for a profile.

#include <gtest/gtest.h>

#include "profiles/ProfilePath.h"

namespace morvane::test {
namespace {

TEST(ProfilePathTest, NameIsTrimmedOfSpacesOnlyAndPlacedInTheProfileFolder) {
    const std::pair<const char*, const char*> cases[] = {
        {"alice", "c:\\FastTrackProfiles\\alice.profile"},
        {"  bob  ", "c:\\FastTrackProfiles\\bob.profile"},
        {"Mixed Case", "c:\\FastTrackProfiles\\Mixed Case.profile"},
        {"a.b", "c:\\FastTrackProfiles\\a.b.profile"},
        {"console", "c:\\FastTrackProfiles\\console.profile"},
        {"com10", "c:\\FastTrackProfiles\\com10.profile"},
        {"x..", "c:\\FastTrackProfiles\\x...profile"},
    };
    for (auto [name, path] : cases)
        EXPECT_EQ(ProfilePath(name).value_or("<none>"), path) << '"' << name << '"';
}

TEST(ProfilePathTest, NamesThatWouldLeaveTheFolderOrNotBeAFileOfTheirOwnHaveNoPath) {
    const char* const refused[] = {
        "",
        " ",
        "   ",
        "a\\b",
        "..\\..\\evil",
        "a/b",
        "c:evil",
        "\\\\server\\x",
        "*",
        "a?",
        "\"q\"",
        "<",
        ">",
        "|",
        "a\tb",
        ".",
        "..",
        " .x",
        ".x",
        "con",
        "CON",
        "nul.txt",
        "prn ",
        "aux",
        "com1",
        "LPT9",
        "lpt0.x",
    };
    for (const char* name : refused)
        EXPECT_FALSE(ProfilePath(name).has_value()) << '"' << name << '"';
}

TEST(ProfilePathTest, NamesShareAFileWhenTheyDifferOnlyInCaseOrOuterSpaces) {
    EXPECT_TRUE(SameProfileFile("Alice", "alice"));
    EXPECT_TRUE(SameProfileFile(" bob ", "bob"));
    EXPECT_FALSE(SameProfileFile("bob", "bobx"));
    EXPECT_FALSE(SameProfileFile("", ""));
    EXPECT_FALSE(SameProfileFile("a/b", "a/b"));
}

TEST(ProfilePathTest, NameIsTakenByTheSameTextOrTheSameFileButNotByTheEntriesBeingRenamed) {
    const std::vector<std::string> entries = {"alice", "Bob", " carol", ""};
    EXPECT_TRUE(NameTaken(entries, "alice"));
    EXPECT_TRUE(NameTaken(entries, "bob"));
    EXPECT_TRUE(NameTaken(entries, "carol"));
    EXPECT_TRUE(NameTaken(entries, ""));
    EXPECT_FALSE(NameTaken(entries, "dave"));
    const std::string renamed = "Bob";
    EXPECT_FALSE(NameTaken(entries, "bob", &renamed));
    EXPECT_TRUE(NameTaken(entries, "alice", &renamed));
}

TEST(ProfilePathTest, OnlyFilesLoadableUnderTheirListedNameStandForAProfile) {
    const std::pair<const char*, const char*> cases[] = {
        {"alice.profile", "alice"}, {"Alice.PROFILE", "Alice"},  {"a.b.profile", "a.b"},
        {"a.profile.tmp", nullptr}, {".profile", nullptr},       {"x.profilex", nullptr},
        {" lead.profile", nullptr}, {"trail .profile", nullptr}, {".hidden.profile", nullptr},
        {"profile", nullptr},
    };
    for (auto [file, name] : cases) {
        std::optional<std::string> got = ProfileNameOfFile(file);
        if (name)
            EXPECT_EQ(got.value_or("<none>"), name) << file;
        else
            EXPECT_FALSE(got.has_value()) << file;
    }
}

} // namespace
} // namespace morvane::test
