// The shared text and path rules: one table each.
#include <gtest/gtest.h>

#include "platform/PathRules.h"

namespace morvane::test {
namespace {

TEST(PathRules, ReservedDeviceNamesInAnyCaseWithAnyExtensionAndTrailingDotsOrSpaces) {
    const struct {
        const char* name;
        bool device;
    } cases[] = {
        {"con", true},         {"CON", true},      {"Prn.txt", true},   {"aux ", true},
        {"nul.", true},        {"nul...", true},   {"con .log", true},  {"com1", true},
        {"COM9.x.y", true},    {"lpt1", true},     {"LPT9.log", true},  {"conin$", true},
        {"CONOUT$.txt", true}, {"Conin$ .", true}, {"com0", false},     {"lpt0.x", false},
        {"com10", false},      {"lpt", false},     {"console", false},  {"nul_", false},
        {" con", false},       {"conin", false},   {"conout$$", false}, {"", false},
        {".con", false},       {"xcon", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsReservedDeviceName(c.name), c.device) << '"' << c.name << '"';
}

TEST(PathRules, LowerCaseTouchesOnlyAToZ) {
    EXPECT_EQ(LowerCase("AbZ@[`{\xC4.MP3"), "abz@[`{\xC4.mp3");
    EXPECT_EQ(TrimSpaces("  a b \t "), "a b \t");
}

TEST(PathRules, JoiningAndDrives) {
    EXPECT_EQ(JoinFolder("C:\\", "a.mp3"), "C:\\a.mp3");
    EXPECT_EQ(JoinFolder("C:\\Music", "a.mp3"), "C:\\Music\\a.mp3");
    EXPECT_EQ(DriveRootOf("D:\\Downloads"), "D:\\");
    EXPECT_EQ(DriveRootOf(""), "");
    for (const char* path : {"C:\\", "d:\\x"})
        EXPECT_TRUE(BeginsWithDriveRoot(path)) << path;
    // Drive letters know no case; the rest of the first three characters compares exactly.
    const struct {
        const char *a, *b;
        bool same;
    } drives[] = {{"c:\\downloads", "C:\\Music", true},
                  {"D:\\", "d:\\x", true},
                  {"", "", true},
                  {"C:\\a", "D:\\a", false},
                  {"C:\\a", "", false},
                  {"C:\\a", "C:/a", false},
                  {"\\\\s\\a", "\\\\S\\a", false}};
    for (const auto& d : drives) {
        EXPECT_EQ(SameDrive(d.a, d.b), d.same) << d.a << " " << d.b;
        EXPECT_EQ(SameDrive(d.b, d.a), d.same) << d.b << " " << d.a;
    }
    for (const char* path : {"", "C:", "C:x", "\\\\server\\share", "1:\\"})
        EXPECT_FALSE(BeginsWithDriveRoot(path)) << path;
}

} // namespace
} // namespace morvane::test
