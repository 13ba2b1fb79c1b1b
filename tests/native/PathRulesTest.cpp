// The shared text and path rules: one table each.
#include <gtest/gtest.h>

#include "platform/PathRules.h"

namespace morvane::test {
namespace {

TEST(PathRules, ReservedDeviceNamesInAnyCaseWithAnyExtensionAndTrailingDotsOrSpaces) {
    const std::pair<const char*, bool> cases[] = {
        {"con", true},         {"CON", true},      {"Prn.txt", true},   {"aux ", true},
        {"nul.", true},        {"nul...", true},   {"con .log", true},  {"com1", true},
        {"COM9.x.y", true},    {"lpt1", true},     {"LPT9.log", true},  {"conin$", true},
        {"CONOUT$.txt", true}, {"Conin$ .", true}, {"com0", false},     {"lpt0.x", false},
        {"com10", false},      {"lpt", false},     {"console", false},  {"nul_", false},
        {" con", false},       {"conin", false},   {"conout$$", false}, {"", false},
        {".con", false},       {"xcon", false},
    };
    for (const auto& [name, device] : cases)
        EXPECT_EQ(IsReservedDeviceName(name), device) << '"' << name << '"';
}

TEST(PathRules, LetterCaseSpacesAndDrives) {
    EXPECT_EQ(LowerCase("AbZ@[`{\xC4.MP3"), "abz@[`{\xC4.mp3");
    EXPECT_EQ(TrimSpaces("  a b \t "), "a b \t");
    // Drive letters know no case; the rest of the first three characters compares exactly.
    const std::tuple<const char*, const char*, bool> drives[] = {
        {"c:\\downloads", "C:\\Music", true},
        {"D:\\", "d:\\x", true},
        {"", "", true},
        {"C:\\a", "D:\\a", false},
        {"C:\\a", "", false},
        {"C:\\a", "c:/a", false}, // though both lie on drive C:
        {"\\\\s\\a", "\\\\S\\a", false}};
    for (const auto& [a, b, same] : drives) {
        EXPECT_EQ(SameDrive(a, b), same) << a << " " << b;
        EXPECT_EQ(SameDrive(b, a), same) << b << " " << a;
    }
    for (const char* path : {"d:", "d:\\", "d:\\x", "D:x", "d:/x"}) // no drive: the picker's table
        EXPECT_EQ(DriveRoot(path), "D:\\") << path;
    EXPECT_TRUE(BeginsWithDriveRoot("d:\\x"));
    for (const char* path : {"", "C:", "C:x", "\\\\server\\share", "1:\\"})
        EXPECT_FALSE(BeginsWithDriveRoot(path)) << path;
    // The keys the name box and the extension lists refuse, then keys that pass.
    const std::string keys = " \\/:*?\"<>|\t.;a\xBF";
    for (std::size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(IsRefusedNameKey(static_cast<unsigned char>(keys[i])), i < 10) << keys[i];
}

} // namespace
} // namespace morvane::test
