// Saving and loading profile files: the exact bytes, the readers' leniency, the default step,
// and saves that fail or names that must never become paths.

#include <gtest/gtest.h>

#include "profiles/DefaultExtensions.h"
#include "support/ProfileFiles.h"

namespace morvane::test {
namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    Harness h;
    Form1& form = h.form();
};

TEST_F(ProfileFileTest, SaveWritesTheControlsExactlyUnderTheTrimmedNameAndLoadReadsThemBack) {
    form.SaveProfile("");
    EXPECT_FALSE(h.exists(kProfileFolder)) << "no file and no folder for the empty name";
    show(form, kAlice);
    form.SaveProfile("  alice ");
    EXPECT_EQ(h.readFile(profileFile("alice")),
              "D:\\Alice dl\r\n4\r\n2\r\n250\r\n"
              "C:\\Music\r\nD:\\Films, old; \"best\"\r\n  E:\\lead\r\nEOF!\r\n"
              "ogg;\r\nD:\\a0\r\nmkv;\r\nD:\\a1\r\npng;\r\nD:\\a2\r\ntxt;\r\nD:\\a3\r\n"
              "msi;\r\nD:\\a4\r\n");
    show(form, kBob);
    form.str_currentprofilename = " alice"; // as the list press does before loading
    form.LoadProfile(" alice");
    EXPECT_EQ(shown(form), kAlice);
    EXPECT_EQ(form.txt_profilename.text(), " alice");

    // A missing file keeps the values shown; an erased name has no file by design.
    form.str_currentprofilename = "ghost";
    form.LoadProfile("ghost");
    EXPECT_EQ(shown(form), kAlice);
    form.str_currentprofilename = "";
    form.LoadProfile("");
    EXPECT_EQ(h.messageLog(), Lines{"Morvane|Could not read the profile file "
                                    "c:\\FastTrackProfiles\\ghost.profile. The values shown "
                                    "were kept."});

    show(form, Lines(4) + Lines{"EOF!"} + Lines(10));
    form.SaveProfile("alice"); // the shorter file replaces the whole old one
    EXPECT_EQ(h.readFile(profileFile("alice")), "\r\n\r\n\r\n\r\nEOF!\r\n" + crlf(Lines(10)));
    EXPECT_EQ(storedProfiles(*h.files), Lines{"alice.profile"});
}

TEST_F(ProfileFileTest, NamesThatCannotBeFileNamesAreNeitherWrittenNorReadNorDeleted) {
    h.writeFile("C:\\evil.profile", crlf(kAlice));
    const char* const refused[] = {
        "   ",     "a\\b", "..\\evil", "a/b",  "c:evil", "c:\\evil", "\\\\server\\x", "*",   "a?",
        "\"q\"",   "<",    ">",        "|",    "a\tb",   ".",        " .x",           "con", "CON",
        "nul.txt", "prn ", "aux",      "com1", "LPT9",   "lpt0.x"};
    for (const std::string name : refused) {
        h.dialogs.messages.clear();
        show(form, kBob);
        form.SaveProfile(name);
        EXPECT_EQ(h.messageLog(),
                  Lines{"Morvane|Could not save the profile \"" + name +
                        "\": a profile name must not be blank, start with a dot, be a device "
                        "name such as \"con\" or hold any of \\ / : * ? \" < > |."})
            << name;
        form.LoadProfile(name);
        form.LoadFilterSettings(name);
        form.DeleteProfileFile(name);
        EXPECT_EQ(shown(form), kBob) << name;
    }
    EXPECT_FALSE(h.exists(kProfileFolder));
    EXPECT_EQ(h.readFile("C:\\evil.profile"), crlf(kAlice));
    // Names merely like those are ordinary.
    for (const char* name : {"console", "com10", "x..", "a.b"})
        form.SaveProfile(name);
    EXPECT_EQ(storedProfiles(*h.files),
              (Lines{"a.b.profile", "com10.profile", "console.profile", "x...profile"}));
}

TEST_F(ProfileFileTest, LoadTakesACategoryOnlyWithBothLinesAndFillsDefaultsForEmptyOnes) {
    const auto& [a, v, i, o, s] = kDefaultExtensionLists;
    const std::string d = "D:\\dl";
    const Lines head = {d, "1", "2", "3", "F1", ""};
    // The lines from the fifth folder line on, then the values expected from there. Without
    // the marker ("EOF!" exactly) every line after the fourth is a shared folder.
    const std::pair<Lines, Lines> cases[] = {
        {{"EOF!"}, {"EOF!", a, d, v, d, i, d, o, d, s, d}},
        {{"eof!"}, {"eof!", "EOF!", a, d, v, d, i, d, o, d, s, d}},
        {{"EOF!", "e0;", "F0", "e1;", "F1x", "e2;"},
         {"EOF!", "e0;", "F0", "e1;", "F1x", i, d, o, d, s, d}},
        {{"EOF!", "", "F0", "e1;", "", " ", "  ", "e3;", "F3", "e4;", "F4"},
         {"EOF!", a, "F0", "e1;", d, " ", "  ", "e3;", "F3", "e4;", "F4"}}};
    for (const auto& [tail, expected] : cases) {
        show(form, kBob);
        h.writeFile(profileFile("p"), crlf(head + tail));
        form.LoadProfile("p");
        EXPECT_EQ(shown(form), head + expected) << crlf(tail);
    }
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(ProfileFileTest, FileWithCapitalsIsStoredUnderTheLowerCaseNameWithTheValuesRead) {
    h.writeFile(profileFile("Alice"), crlf(kAlice));
    form.list_Profiles.addItem("bob");
    form.list_Profiles.addItem("Alice");
    show(form, kBob);
    form.str_currentprofilename = "Alice";
    form.LoadProfile("Alice");
    EXPECT_EQ(shown(form), kAlice);
    EXPECT_EQ(nameState(form), "alice|alice|bob,alice,");
    EXPECT_EQ(storedProfiles(*h.files).size(), 1u); // Windows keeps the file name's spelling
    EXPECT_EQ(h.readFile(profileFile("alice")), crlf(kAlice));
}

TEST_F(ProfileFileTest, FilterSettingsReplaceOnlyTheFilterControlsAndOnlyAfterTheMarker) {
    const auto& [a, v, i, o, s] = kDefaultExtensionLists;
    const std::string d = "E:\\dl", f4 = "E:\\f4";
    const Lines head = {d, "9", "8", "7", "EOF!"};
    // The file (none when empty), then the ten filter values expected when only extension
    // list 0 and destination folder 4 held text before.
    const std::pair<std::string, Lines> cases[] = {
        {crlf(kAlice), Lines(kAlice.end() - 10, kAlice.end())},
        {"", {"mine;", d, v, d, i, d, o, d, s, f4}},
        {crlf({"x", "EOF!", "2", "3", "e0;", "f0"}), {"mine;", d, v, d, i, d, o, d, s, f4}},
        {crlf({"x", "1", "2", "3", "EOF!", "e0;", "f0", "e1;"}),
         {"e0;", "f0", v, d, i, d, o, d, s, d}}};
    for (const auto& [bytes, expected] : cases) {
        h.writeFile(profileFile("p"), bytes);
        show(form, head + Lines{"mine;"} + Lines(8) + Lines{f4});
        form.LoadFilterSettings(bytes.empty() ? "ghost" : "p");
        EXPECT_EQ(shown(form), head + expected) << bytes;
    }
    EXPECT_TRUE(form.txt_profilename.text().empty() && h.dialogs.messages.empty());
}

} // namespace
} // namespace morvane::test
