// Saving and loading profile files: the exact bytes, the readers' leniency, the default step,
// and saves that fail or names that must never become paths.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "profiles/DefaultExtensions.h"
#include "support/FaultyFileSystem.h"
#include "support/Harness.h"
#include "support/ProfileFiles.h"

namespace morvane::test {
namespace {

class ProfileFileTest : public ::testing::Test {
protected:
    Harness h;
    Form1& form = h.form();

    // Every file on the emulated C: drive, relative to it.
    std::vector<std::string> allFiles() {
        std::vector<std::string> out;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(h.files->root()))
            if (entry.is_regular_file())
                out.push_back(std::filesystem::relative(entry.path(), h.files->root()).string());
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(ProfileFileTest, SaveWritesFifteenPlusNLinesExactlyAsTheControlsHoldThem) {
    aliceValues().putInto(form);
    form.SaveProfile("alice");
    EXPECT_EQ(h.readFile(profileFile("alice")),
              "D:\\Alice dl\r\n4\r\n2\r\n250\r\n"
              "C:\\Music\r\nD:\\Films, old; \"best\"\r\n  E:\\lead\r\nEOF!\r\n"
              "ogg;\r\nD:\\a0\r\nmkv;\r\nD:\\a1\r\npng;\r\nD:\\a2\r\ntxt;\r\nD:\\a3\r\n"
              "msi;\r\nD:\\a4\r\n");
    EXPECT_EQ(h.files->listFiles("C:\\FastTrackProfiles\\*"),
              std::vector<std::string>{"alice.profile"});
}

TEST_F(ProfileFileTest, EmptyValuesAndNoFoldersStillGiveFifteenLines) {
    form.SaveProfile("empty");
    EXPECT_EQ(h.readFile(profileFile("empty")),
              "\r\n\r\n\r\n\r\nEOF!\r\n" + crlf(std::vector<std::string>(10)));
}

TEST_F(ProfileFileTest, SaveCreatesTheFolderAndReplacesTheWholeOldFile) {
    EXPECT_FALSE(h.exists(kProfileFolder));
    aliceValues().putInto(form);
    form.SaveProfile("alice");
    bobValues().putInto(form);
    form.SaveProfile("alice");
    EXPECT_EQ(h.readFile(profileFile("alice")), bobValues().bytes());
    EXPECT_EQ(allFiles(), std::vector<std::string>{"c/FastTrackProfiles/alice.profile"});
}

TEST_F(ProfileFileTest, EmptyNameWritesNothingButANameOfSpacesIsNotEmpty) {
    form.SaveProfile("");
    EXPECT_FALSE(h.exists(kProfileFolder));
    EXPECT_TRUE(h.dialogs.messages.empty());

    aliceValues().putInto(form);
    form.SaveProfile("  bob ");
    EXPECT_EQ(h.readFile(profileFile("bob")), aliceValues().bytes());
}

TEST_F(ProfileFileTest, FailedSaveIsReportedOnceAndLeavesTheOldFileAndNoTemporaryFile) {
    struct Case {
        const char* what;
        bool readOnly;
        std::string before; // the file's bytes before the save; empty for none
        bool folderInItsPlace;
    };
    const Case cases[] = {
        {"writes refused", true, bobValues().bytes(), false},
        {"profile folder cannot be made", true, "", false},
        {"a folder stands where the file goes", false, "", true},
    };
    for (const Case& c : cases) {
        Harness t;
        if (!c.before.empty())
            t.writeFile(profileFile("alice"), c.before);
        if (c.folderInItsPlace)
            t.makeFolder(profileFile("alice"));
        t.files->setReadOnly(c.readOnly);
        aliceValues().putInto(t.form());
        t.form().SaveProfile("alice");
        EXPECT_EQ(t.messageLog(),
                  std::vector<std::string>{"Morvane|Could not save the profile file "
                                           "c:\\FastTrackProfiles\\alice.profile. "
                                           "The file was left as it was."})
            << c.what;
        ASSERT_EQ(t.dialogs.messages.size(), 1u);
        EXPECT_EQ(t.dialogs.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(t.dialogs.messages[0].icon, MessageIcon::None);
        if (c.folderInItsPlace)
            EXPECT_TRUE(std::filesystem::is_directory(t.files->hostPath(profileFile("alice"))));
        else if (c.before.empty())
            EXPECT_FALSE(t.exists(profileFile("alice"))) << c.what;
        else
            EXPECT_EQ(t.readFile(profileFile("alice")), c.before) << c.what;
        EXPECT_FALSE(t.exists(profileFile("alice") + ".tmp")) << c.what;
    }
}

TEST_F(ProfileFileTest, SaveCutShortByAFullDiskOrAFailedReplaceLeavesTheOldFileWhole) {
    for (bool cutShort : {true, false}) {
        Harness t;
        FaultyFileSystem faulty(*t.files);
        faulty.writesStopAfter = cutShort ? std::optional<std::size_t>(3) : std::nullopt;
        faulty.failReplace = !cutShort;
        Services services{t.registry, faulty, t.shell, t.dialogs, t.clock, t.windows};
        Form1 window(services);
        t.writeFile(profileFile("alice"), bobValues().bytes());
        aliceValues().putInto(window);
        window.SaveProfile("alice");
        EXPECT_EQ(t.readFile(profileFile("alice")), bobValues().bytes()) << cutShort;
        EXPECT_EQ(t.files->listFiles("C:\\FastTrackProfiles\\*"),
                  std::vector<std::string>{"alice.profile"})
            << cutShort;
        EXPECT_EQ(t.dialogs.messages.size(), 1u) << cutShort;
    }
}

TEST_F(ProfileFileTest, NameThatCannotBeAFileNameIsRefusedWithAMessageAndTouchesNothing) {
    h.writeFile("C:\\evil.profile", "keep");
    h.writeFile("C:\\FastTrackProfiles\\.profile", "keep");
    aliceValues().putInto(form);
    for (const char* name : {"..\\evil", "c:\\evil", "a/b", "*", " ", ".", "con", "x|y"}) {
        h.dialogs.messages.clear();
        form.SaveProfile(name);
        EXPECT_EQ(h.messageLog(),
                  std::vector<std::string>{"Morvane|Could not save the profile \"" +
                                           std::string(name) +
                                           "\": a profile name must not be blank, start with a "
                                           "dot, be a device name such as \"con\" or hold any of "
                                           "\\ / : * ? \" < > |."})
            << name;
    }
    EXPECT_EQ(allFiles(),
              (std::vector<std::string>{"c/FastTrackProfiles/.profile", "c/evil.profile"}));
    EXPECT_EQ(h.readFile("C:\\evil.profile"), "keep");
}

TEST_F(ProfileFileTest, LoadReadsBackEverythingSavedAndPutsTheUntrimmedNameInTheBox) {
    aliceValues().putInto(form);
    form.SaveProfile(" alice  ");
    bobValues().putInto(form);
    form.str_currentprofilename = " alice  ";
    form.LoadProfile(" alice  ");
    EXPECT_EQ(ProfileValues::readFrom(form), aliceValues());
    EXPECT_EQ(form.txt_profilename.text(), " alice  ");
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(ProfileFileTest, LoadFillsEmptyFilterLinesAndCutShortFilesWithDefaults) {
    const std::vector<std::string> head = {"D:\\dl", "1", "2", "3", "F1", "", "EOF!"};
    auto withTail = [&](std::vector<std::string> tail) {
        std::vector<std::string> lines = head;
        lines.insert(lines.end(), tail.begin(), tail.end());
        return crlf(lines);
    };
    struct Case {
        const char* what;
        std::string bytes;
        std::array<std::string, 5> extensions;
        std::array<std::string, 5> destinations;
    };
    const std::string d = "D:\\dl";
    const auto def = kDefaultExtensionLists;
    const Case cases[] = {
        {"ends after the marker",
         withTail({}),
         {def[0], def[1], def[2], def[3], def[4]},
         {d, d, d, d, d}},
        {"ends after category 2's extension line",
         withTail({"e0;", "F0", "e1;", "F1x", "e2;"}),
         {"e0;", "e1;", def[2], def[3], def[4]},
         {"F0", "F1x", d, d, d}},
        {"empty lines inside",
         withTail({"", "F0", "e1;", "", " ", "  ", "e3;", "F3", "e4;", "F4"}),
         {def[0], "e1;", " ", "e3;", "e4;"},
         {"F0", d, "  ", "F3", "F4"}},
        {"no line end after the last line",
         withTail({"e0;", "F0", "e1;"}) + "F1",
         {"e0;", "e1;", def[2], def[3], def[4]},
         {"F0", "F1", d, d, d}},
    };
    for (const Case& c : cases) {
        bobValues().putInto(form);
        h.writeFile(profileFile("p"), c.bytes);
        form.LoadProfile("p");
        ProfileValues got = ProfileValues::readFrom(form);
        EXPECT_EQ(got.downloadFolder, "D:\\dl") << c.what;
        EXPECT_EQ(got.searchResults, "3") << c.what;
        EXPECT_EQ(got.sharedFolders, (std::vector<std::string>{"F1", ""})) << c.what;
        EXPECT_EQ(got.extensions, c.extensions) << c.what;
        EXPECT_EQ(got.destinations, c.destinations) << c.what;
    }
}

TEST_F(ProfileFileTest, FileEndingBeforeTheMarkerKeepsEveryLineReadAndEmptiesTheRest) {
    struct Case {
        std::vector<std::string> lines;
        ProfileValues expected;
    };
    const auto def = kDefaultExtensionLists;
    const std::array<std::string, 5> defaults = {def[0], def[1], def[2], def[3], def[4]};
    const Case cases[] = {
        {{"D:\\dl", "5", "6", "7", "F1", "eof!", "F3"},
         {"D:\\dl",
          "5",
          "6",
          "7",
          {"F1", "eof!", "F3"},
          defaults,
          {"D:\\dl", "D:\\dl", "D:\\dl", "D:\\dl", "D:\\dl"}}},
        {{"D:\\dl", "5"},
         {"D:\\dl", "5", "", "", {}, defaults, {"D:\\dl", "D:\\dl", "D:\\dl", "D:\\dl", "D:\\dl"}}},
        {{}, {"", "", "", "", {}, defaults, {"", "", "", "", ""}}},
    };
    for (const Case& c : cases) {
        bobValues().putInto(form);
        h.writeFile(profileFile("p"), crlf(c.lines));
        form.LoadProfile("p");
        EXPECT_EQ(ProfileValues::readFrom(form), c.expected) << c.lines.size() << " lines";
        EXPECT_EQ(form.txt_profilename.text(), "p");
    }
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(ProfileFileTest, LoadOfAMissingFileKeepsTheValuesShownAndSaysSo) {
    ProfileValues shown = bobValues();
    shown.extensions[1] = "";
    shown.destinations[3] = "";
    shown.putInto(form);
    form.str_currentprofilename = "ghost";
    form.LoadProfile("ghost");
    ProfileValues expected = bobValues();
    expected.extensions[1] = kDefaultExtensionLists[1];
    expected.destinations[3] = bobValues().downloadFolder;
    EXPECT_EQ(ProfileValues::readFrom(form), expected);
    EXPECT_EQ(form.txt_profilename.text(), "ghost");
    EXPECT_EQ(h.messageLog(), std::vector<std::string>{"Morvane|Could not read the profile file "
                                                       "c:\\FastTrackProfiles\\ghost.profile. The "
                                                       "values shown were kept."});
    EXPECT_FALSE(h.exists(profileFile("ghost")));

    // The entry left by erasing a name has no file by design: nothing to say.
    h.dialogs.messages.clear();
    form.str_currentprofilename = "";
    form.LoadProfile("");
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(form.txt_profilename.text(), "");
}

TEST_F(ProfileFileTest, FileWithCapitalsIsStoredUnderTheLowerCaseNameWithTheValuesRead) {
    h.writeFile(profileFile("Alice"), aliceValues().bytes());
    form.list_Profiles.addItem("bob");
    form.list_Profiles.addItem("Alice");
    form.list_Profiles.setListIndex(1);
    bobValues().putInto(form);
    form.str_currentprofilename = "Alice"; // as the list press does before loading
    form.LoadProfile("Alice");
    EXPECT_EQ(ProfileValues::readFrom(form), aliceValues());
    EXPECT_EQ(form.txt_profilename.text(), "alice");
    EXPECT_EQ(form.str_currentprofilename, "alice");
    EXPECT_EQ(form.list_Profiles.items(), (std::vector<std::string>{"bob", "alice"}));
    EXPECT_EQ(h.files->listFiles("C:\\FastTrackProfiles\\*"),
              std::vector<std::string>{"Alice.profile"}); // one file; Windows keeps its spelling
    EXPECT_EQ(h.readFile(profileFile("alice")), aliceValues().bytes());
}

TEST_F(ProfileFileTest, FilterSettingsReplaceOnlyTheTenFilterControls) {
    h.writeFile(profileFile("alice"), aliceValues().bytes());
    bobValues().putInto(form);
    form.LoadFilterSettings("alice");
    ProfileValues expected = bobValues();
    expected.extensions = aliceValues().extensions;
    expected.destinations = aliceValues().destinations;
    EXPECT_EQ(ProfileValues::readFrom(form), expected);
    EXPECT_EQ(form.txt_profilename.text(), "");
}

TEST_F(ProfileFileTest, FilterSettingsWithoutAUsableSectionKeepTextAndFillOnlyEmptyControls) {
    const auto def = kDefaultExtensionLists;
    struct Case {
        const char* what;
        const char* name;
        std::string bytes; // empty: no file
        std::array<std::string, 5> extensions;
        std::array<std::string, 5> destinations;
    };
    // Before each case: extension 0 and destination 4 hold text, the rest are empty.
    const Case cases[] = {
        {"missing file",
         "alice",
         "",
         {"mine;", def[1], def[2], def[3], def[4]},
         {"E:\\dl", "E:\\dl", "E:\\dl", "E:\\dl", "E:\\f4"}},
        {"name without a path",
         "a/b",
         "",
         {"mine;", def[1], def[2], def[3], def[4]},
         {"E:\\dl", "E:\\dl", "E:\\dl", "E:\\dl", "E:\\f4"}},
        {"no marker line",
         "alice",
         crlf({"x", "1", "2", "3", "F", "e0;", "f0"}),
         {"mine;", def[1], def[2], def[3], def[4]},
         {"E:\\dl", "E:\\dl", "E:\\dl", "E:\\dl", "E:\\f4"}},
        {"marker before line 5 does not count",
         "alice",
         crlf({"x", "EOF!", "2", "3", "e0;", "f0"}),
         {"mine;", def[1], def[2], def[3], def[4]},
         {"E:\\dl", "E:\\dl", "E:\\dl", "E:\\dl", "E:\\f4"}},
        {"ends inside the section",
         "alice",
         crlf({"x", "1", "2", "3", "EOF!", "e0;", "f0", "e1;"}),
         {"e0;", def[1], def[2], def[3], def[4]},
         {"f0", "E:\\dl", "E:\\dl", "E:\\dl", "E:\\dl"}},
    };
    for (const Case& c : cases) {
        Harness t;
        Form1& f = t.form();
        if (!c.bytes.empty())
            t.writeFile(profileFile("alice"), c.bytes);
        f.txt_Downloadfolder.setText("E:\\dl");
        f.txt_filterext[0].setText("mine;");
        f.txt_filterfolder[4].setText("E:\\f4");
        f.LoadFilterSettings(c.name);
        ProfileValues got = ProfileValues::readFrom(f);
        EXPECT_EQ(got.extensions, c.extensions) << c.what;
        EXPECT_EQ(got.destinations, c.destinations) << c.what;
        EXPECT_EQ(got.downloadFolder, "E:\\dl") << c.what;
        EXPECT_TRUE(t.dialogs.messages.empty()) << c.what;
    }
}

} // namespace
} // namespace morvane::test
