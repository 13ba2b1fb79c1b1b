// Profiles: saving and loading their files, the profile column (listing, presses, Add and
// Delete), the name box's rename step and the number fields. The typical use (exact file
// bytes, a left press that stores and loads, an emptied field) is the scenario's.
//
// A profile is given as the lines of its file, which are also the values of the main
// window's controls in the same order: 4 values, the folders, "EOF!", then extension list
// and destination folder of the 5 categories.

#include <gtest/gtest.h>

#include "platform/Characters.h"
#include "platform/PathRules.h"
#include "profiles/DefaultExtensions.h"
#include "profiles/NumberFields.h"
#include "profiles/ProfileFile.h"
#include "profiles/Profiles.h"
#include "support/Harness.h"

namespace morvane::test {
namespace {

using Lines = std::vector<std::string>;

Lines operator+(Lines head, const Lines& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// The profile with one line changed.
Lines with(Lines profile, std::size_t line, const std::string& value) {
    profile[line] = value;
    return profile;
}

void show(MainWindow& form, const Lines& profile) {
    std::size_t next = 0;
    for (ui::TextBox* box :
         {&form.downloadFolderBox, &form.downloadsBox, &form.uploadsBox, &form.searchResultsBox})
        box->setText(profile[next++]);
    std::vector<std::string> folders;
    while (profile[next] != "EOF!")
        folders.push_back(profile[next++]);
    showFolders(form, folders);
    for (int c = 0; c < kFilterCategories; ++c) {
        form.filterRows[c].extensions.setText(profile[++next]);
        form.filterRows[c].folder.setText(profile[++next]);
    }
}

Lines shown(const MainWindow& form) {
    return ProfileLines(form.profiles.values());
}

// Where the current name stands: the name box, the variable and the list's entries.
std::string nameState(const MainWindow& form) {
    std::string out = form.profileNameBox.text() + "|" + form.profiles.currentName() + "|";
    for (const std::string& entry : form.profileList.items())
        out += entry + ",";
    return out;
}

class ProfilesTest : public ::testing::Test {
protected:
    Harness h;
    MainWindow& form = h.form();

    std::string file(const std::string& name) { return h.readFile(profileFile(name)); }
    Lines stored() { return h.files->listFiles(kProfileFolder + "\\*"); }

    // `name` is current, stored and shown with alice's values, listed first and selected;
    // each of `others` is stored with bob's values and listed after it.
    void current(MainWindow& f, const std::string& name, const Lines& others = {"bob"}) {
        h.writeFile(profileFile(TrimSpaces(name)), crlf(kAlice));
        listEntries(f, {name});
        listEntries(f, others);
        for (const std::string& other : others)
            h.writeFile(profileFile(other), crlf(kBob));
        f.profileList.setListIndex(0);
        show(f, kAlice);
        f.profiles.setCurrentName(name);
        f.profileNameBox.setText(name);
    }
};

// Saving and loading ------------------------------------------------------------------------

TEST_F(ProfilesTest, SaveWritesTheControlsUnderTheTrimmedNameAndLoadReadsThemBackInLowerCase) {
    form.profileView.SaveProfile("");
    EXPECT_FALSE(h.exists(kProfileFolder)) << "no file and no folder for the empty name";
    show(form, kAlice);
    form.profileView.SaveProfile("  alice ");
    EXPECT_EQ(file("alice"), crlf(kAlice));
    show(form, kBob);
    form.profiles.setCurrentName(" alice"); // as the list press does before loading
    form.profileView.LoadProfile(" alice");
    EXPECT_EQ(shown(form), kAlice);
    EXPECT_EQ(form.profileNameBox.text(), " alice");

    // A missing file keeps the values shown; an erased name has no file by design.
    form.profiles.setCurrentName("ghost");
    form.profileView.LoadProfile("ghost");
    EXPECT_EQ(shown(form), kAlice);
    EXPECT_EQ(h.dialogs.messages.size(), 1u) << "the missing file is reported";

    const Lines blank = Lines(4) + Lines{"EOF!"} + Lines(10);
    show(form, blank);
    form.profileView.SaveProfile("alice"); // the shorter file replaces the whole old one
    EXPECT_EQ(file("alice"), crlf(blank));
    EXPECT_EQ(stored(), Lines{"alice.profile"});

    // A file with capitals is stored again under the lower-case name, with the values read.
    h.writeFile(profileFile("Bob"), crlf(kBob));
    listEntries(form, {"alice", "Bob"});
    form.profiles.setCurrentName("Bob");
    form.profileView.LoadProfile("Bob");
    EXPECT_EQ(shown(form), kBob);
    EXPECT_EQ(nameState(form), "bob|bob|alice,bob,");
    EXPECT_EQ(stored().size(), 2u); // Windows keeps the file name's spelling
    EXPECT_EQ(file("bob"), crlf(kBob));
}

TEST_F(ProfilesTest, NamesThatCannotBeFileNamesAreNeitherWrittenNorReadNorDeleted) {
    h.writeFile("C:\\evil.profile", crlf(kAlice));
    const char* const refused[] = {
        "   ", "a\\b", "..\\evil", "a/b",    "c:evil", "c:\\evil", "\\\\server\\x",
        "*",   "a?",   "\"q\"",    "<",      ">",      "|",        "a\tb",
        ".",   " .x",  "con",      "nul.txt"};
    for (const std::string name : refused) {
        show(form, kBob);
        form.profileView.SaveProfile(name);
        form.profileView.LoadProfile(name);
        form.profileView.LoadFilterSettings(name);
        DeleteProfileFile(*h.files, name);
        EXPECT_EQ(shown(form), kBob) << name;
    }
    EXPECT_FALSE(h.exists(kProfileFolder));
    EXPECT_EQ(h.readFile("C:\\evil.profile"), crlf(kAlice));
    // Saving and loading each say why.
    const std::string rule = "\": a profile name must not be blank, start with a dot, be a "
                             "device name such as \"con\" or hold any of \\ / : * ? \" < > |.";
    ASSERT_GE(h.messageLog().size(), 2u);
    EXPECT_EQ(h.messageLog()[0], "Morvane|Could not save the profile \"   " + rule);
    EXPECT_EQ(h.messageLog()[1], "Morvane|Could not read the profile \"   " + rule);
}

TEST_F(ProfilesTest, LoadTakesACategoryOnlyWithBothLinesAndFillsDefaultsForEmptyOnes) {
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
        form.profileView.LoadProfile("p");
        EXPECT_EQ(shown(form), head + expected) << crlf(tail);
    }
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(ProfilesTest, FilterSettingsReplaceOnlyTheFilterControlsAndOnlyAfterTheMarker) {
    const auto& [a, v, i, o, s] = kDefaultExtensionLists;
    const std::string d = "E:\\dl", f4 = "E:\\f4";
    const Lines head = {d, "9", "8", "7", "EOF!"};
    // The file (none when empty), then the ten filter values expected when only extension
    // list 0 and destination folder 4 held text before.
    const std::pair<std::string, Lines> cases[] = {
        {"", {"mine;", d, v, d, i, d, o, d, s, f4}},
        {crlf({"x", "EOF!", "2", "3", "e0;", "f0"}), {"mine;", d, v, d, i, d, o, d, s, f4}},
        {crlf({"x", "1", "2", "3", "EOF!", "e0;", "f0", "e1;"}),
         {"e0;", "f0", v, d, i, d, o, d, s, d}}};
    for (const auto& [bytes, expected] : cases) {
        h.writeFile(profileFile("p"), bytes);
        show(form, head + Lines{"mine;"} + Lines(8) + Lines{f4});
        form.profileView.LoadFilterSettings(bytes.empty() ? "ghost" : "p");
        EXPECT_EQ(shown(form), head + expected) << bytes;
    }
    EXPECT_TRUE(form.profileNameBox.text().empty() && h.dialogs.messages.empty());
}

// The profile column -------------------------------------------------------------------------

TEST_F(ProfilesTest, ListsOnlyLoadableProfileFilesOtherThanTheGivenNameAfterTheEntries) {
    for (const char* name : {"Bob.profile", "carol.PROFILE", "ALICE.profile", "x.profile.tmp",
                             "notes.txt", " lead.profile", "trail .profile"})
        h.writeFile(kProfileFolder + "\\" + name, "");
    listEntries(form, {"first"});
    form.profileView.ListProfiles("ALICE");
    form.profileView.ListProfiles("alice"); // the comparison is exact
    EXPECT_EQ(form.profileList.items(), (Lines{"first", "Bob", "carol", "ALICE", "Bob", "carol"}));
}

TEST_F(ProfilesTest, LeftPressLeavingNoSelectionStoresAndLeavesNoProfileCurrent) {
    current(form, "alice");
    form.profileList.setListIndex(-1);
    form.searchResultsBox.setText("999"); // an edit not yet stored
    Press(form.profileList, ui::kLeftButton, -1);
    EXPECT_EQ(nameState(form), "alice||alice,bob,");
    // Editing the name now stores the shown values under the typed name, without an entry.
    Type(form.profileNameBox, "2");
    EXPECT_EQ(nameState(form), "alice2|alice2|alice,bob,");
    EXPECT_EQ(file("alice2"), crlf(with(kAlice, 3, "999")));
    EXPECT_EQ(stored(), (Lines{"alice.profile", "alice2.profile", "bob.profile"}));
}

TEST_F(ProfilesTest, AddTakesTheFirstFreeNameAndDeleteThenRemovesTheEntrySelectedBefore) {
    current(form, "alice", {"bob", "New_Profile_1", "new_profile_3"});
    Press(form.profileList, ui::kLeftButton, 1);
    form.uploadsBox.setText("7");
    h.dialogs.menuChoices = {MainWindow::AddProfile, MainWindow::DeleteProfile};
    Press(form.profileList, ui::kRightButton, 1);
    EXPECT_EQ(h.dialogs.menus[0].captions, (Lines{"Add Profile", "Delete Profile"}));
    EXPECT_EQ(file("bob"), crlf(with(kBob, 2, "7"))) << "the profile left";
    EXPECT_EQ(nameState(form),
              "new_profile_2|new_profile_2|alice,bob,New_Profile_1,new_profile_3,new_profile_2,");
    const auto& def = kDefaultExtensionLists;
    EXPECT_EQ(shown(form), (Lines{"C:\\", "3", "3", "100", "EOF!", def[0], "C:\\", def[1], "C:\\",
                                  def[2], "C:\\", def[3], "C:\\", def[4], "C:\\"}));
    EXPECT_EQ(stored().size(), 4u) << "nothing stored for the new profile yet";

    // The new entry is not selected: bob's is the one named in the question. No keeps it.
    const std::string before = nameState(form);
    h.dialogs.menuChoices = {MainWindow::DeleteProfile, MainWindow::DeleteProfile};
    h.dialogs.answers = {MessageAnswer::No, MessageAnswer::Yes};
    Press(form.profileList, ui::kRightButton, 1);
    EXPECT_EQ(nameState(form), before);
    EXPECT_EQ(stored().size(), 4u);
    Press(form.profileList, ui::kRightButton, 1);
    EXPECT_EQ(h.messageLog(),
              (Lines{"Morvane|Delete profile bob?", "Morvane|Delete profile bob?"}));
    EXPECT_EQ(h.dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(nameState(form), "||alice,New_Profile_1,new_profile_3,new_profile_2,");
    EXPECT_EQ(stored(), (Lines{"alice.profile", "New_Profile_1.profile", "new_profile_3.profile"}));

    // Delete is offered with more than one entry and a selection only.
    Press(form.profileList, ui::kRightButton, 1);
    form.profileList.clear();
    form.profileList.addItem("alice");
    form.profileList.setListIndex(0);
    Press(form.profileList, ui::kRightButton, 0);
    ASSERT_EQ(h.dialogs.menus.size(), 5u);
    for (int m = 0; m < 5; ++m)
        EXPECT_EQ(h.dialogs.menus[m].enabled[1], m < 3) << m;
}

// The name box and the number fields ----------------------------------------------------------

TEST_F(ProfilesTest, EachKeystrokeMovesTheProfileToItsNewNameInLowerCase) {
    current(form, "alice");
    Type(form.profileNameBox, "B ?"); // refused keys: PathRulesTest
    EXPECT_EQ(nameState(form), "aliceb|aliceb|aliceb,bob,");
    EXPECT_EQ(stored(), (Lines{"aliceb.profile", "bob.profile"}));
    EXPECT_EQ(file("aliceb"), crlf(kAlice));
    EXPECT_TRUE(h.dialogs.messages.empty());

    // Names that cannot be stored keep the file of the last that could, and it takes the
    // saves; a name that can be stored takes its place.
    Type(form.profileNameBox, "\b\b\b\b\b\b");
    EXPECT_EQ(nameState(form), "||,bob,");
    form.uploadsBox.userEdited("5");
    form.uploadsBox.userLeft();
    Type(form.profileNameBox, ".z"); // each said once
    EXPECT_EQ(nameState(form), ".z|.z|.z,bob,");
    EXPECT_EQ(h.dialogs.messages.size(), 2u);
    EXPECT_EQ(stored(), (Lines{"a.profile", "bob.profile"})) << "the last name stored";
    EXPECT_EQ(file("a"), crlf(with(kAlice, 2, "5")));
    form.profileNameBox.userEdited("zed");
    EXPECT_EQ(nameState(form), "zed|zed|zed,bob,");
    EXPECT_EQ(stored(), (Lines{"bob.profile", "zed.profile"}));
    EXPECT_EQ(file("zed"), crlf(with(kAlice, 2, "5")));

    // Other scripts: a character is one key, only A to Z are lower-cased, Backspace takes a
    // whole character.
    Type(form.profileNameBox, "Ω Жук\b");
    EXPECT_EQ(nameState(form), "zedΩЖу|zedΩЖу|zedΩЖу,bob,");
    EXPECT_EQ(stored(), (Lines{"bob.profile", "zedΩЖу.profile"}));

    // Leaving such a name (for another profile, a new one, a deletion) gives the entry the name
    // of its file back.
    form.profileNameBox.userEdited("");
    Press(form.profileList, ui::kLeftButton, 1);
    form.profileNameBox.userEdited("");
    h.dialogs.menuChoices = {MainWindow::AddProfile, MainWindow::DeleteProfile};
    Press(form.profileList, ui::kRightButton, 0);
    EXPECT_EQ(nameState(form), "new_profile_1|new_profile_1|zedΩЖу,bob,new_profile_1,");
    Press(form.profileList, ui::kLeftButton, 0);
    form.profileNameBox.userEdited("");
    h.dialogs.answers = {MessageAnswer::Yes};
    Press(form.profileList, ui::kRightButton, 0);
    EXPECT_EQ(h.messageLog().back(), "Morvane|Delete profile zedΩЖу?");
    EXPECT_EQ(stored(), (Lines{"bob.profile", "new_profile_1.profile"}));
}

TEST_F(ProfilesTest, ANameInUseOrWhoseFileIsInUseGetsLowerCaseXsUntilFree) {
    current(form, "alice", {"bob", "bobx", "Carol"});
    form.profileNameBox.userEdited("BOB"); // pasted
    EXPECT_EQ(nameState(form), "bobxx|bobxx|bobxx,bob,bobx,Carol,");
    EXPECT_EQ(stored(), (Lines{"bob.profile", "bobx.profile", "bobxx.profile", "Carol.profile"}));
    form.profileNameBox.userEdited("carol"); // would overwrite Carol's file
    EXPECT_EQ(nameState(form), "carolx|carolx|carolx,bob,bobx,Carol,");
    EXPECT_EQ(file("Carol"), crlf(kBob));
    // Windows sets letter case aside in every script: "Ωmega" and "ωmega" are one file there.
    listEntries(form, {"Ωmega"});
    form.profileNameBox.userEdited("ωmega");
    EXPECT_EQ(nameState(form), "ωmegax|ωmegax|ωmegax,bob,bobx,Carol,Ωmega,");
}

// Names that differ only in outer spaces share one file, which must survive the rename.
TEST_F(ProfilesTest, NamesSharingOneFileKeepItWhenRenamedIntoEachOther) {
    current(form, " bob ", {}); // an imported user name with outer spaces
    form.profileNameBox.userEdited("bob");
    form.profileNameBox.userEdited("bob ");
    EXPECT_EQ(nameState(form), "bob |bob |bob ,");
    EXPECT_EQ(file("bob"), crlf(kAlice));
    form.profileNameBox.userEdited("bobby");
    EXPECT_EQ(stored(), Lines{"bobby.profile"});
}

// The emulated drive on a full disk: each write stores two lines, then fails. Deleting works.
struct FullDisk : EmulatedFileSystem {
    using EmulatedFileSystem::EmulatedFileSystem;
    bool writeLines(const std::string& path, const Lines& lines) override {
        EmulatedFileSystem::writeLines(path, Lines(lines.begin(), lines.begin() + 2));
        return false;
    }
};

TEST_F(ProfilesTest, OnAFullDiskSavesAndRenamesKeepTheOldFileAndNameAndSaySoOnceAtATime) {
    FullDisk disk(h.files->root());
    Services onFullDisk = h.servicesOver(h.registry, disk);
    MainWindow full(onFullDisk);
    current(full, "alice");
    Type(full.profileNameBox, "X");
    EXPECT_EQ(nameState(full), "alice|alice|alice,bob,");
    show(full, kBob);
    full.profileView.SaveProfile("alice");
    full.profileView.SaveProfile(
        "alice"); // the same values failing again in the same file: told already
    const std::string failed = "Morvane|Could not save the profile file c:\\FastTrackProfiles\\";
    EXPECT_EQ(h.messageLog(), (Lines{failed + "alicex.profile. The file was left as it was.",
                                     failed + "alice.profile. The file was left as it was."}));
    EXPECT_EQ(stored(), (Lines{"alice.profile", "bob.profile"}));
    EXPECT_EQ(file("alice"), crlf(kAlice));
    // A message takes the focus, and a field's focus-loss saves again: not a second message.
    h.dialogs.whileShowing = [&] {
        full.downloadsBox.userEdited(""), full.downloadsBox.userLeft();
    };
    full.uploadsBox.userEdited("5");
    full.uploadsBox.userLeft();
    EXPECT_EQ(h.messageLog().size(), 3u);
}

TEST_F(ProfilesTest, NumberFieldsTakeDigitsOnlyFallBackWhenLeftEmptyAndStoreTheNameInTheBox) {
    show(form, kAlice);
    form.profileNameBox.setText("carol");
    form.profiles.setCurrentName("alice"); // the save follows the box, not the variable
    Lines typed = kAlice;
    const std::tuple<ui::TextBox*, std::size_t, const char*> fields[] = {
        {&form.downloadsBox, 1, "1"},
        {&form.uploadsBox, 2, "1"},
        {&form.searchResultsBox, 3, "50"}};
    for (const auto& [field, line, fallback] : fields) {
        field->userEdited("");
        field->userLeft();
        EXPECT_EQ(field->text(), fallback);
        field->userEdited("");
        Type(*field, "a1 -2.\b+0"); // a paste is the Wine view test's
        field->userLeft();
        typed[line] = "10";
        EXPECT_EQ(file("carol"), crlf(typed)) << line;
    }
}

// A name in a message is shortened in the middle so that the message fits the screen.
TEST(MessageTextTest, ShortenMiddleKeepsBothEndsAndWholeCharacters) {
    const std::string a311(311, 'a'), euro = "\xe2\x82\xac";
    const std::tuple<std::string, std::size_t, std::string> shortened[] = {
        {"abcdefghi", 9, "abcdefghi"},  // as long as allowed: as it is
        {"abcdefghijk", 8, "abc...jk"}, // the start keeps the odd character
        {a311 + "!", 64, std::string(31, 'a') + "..." + std::string(29, 'a') + "!"},
        {"ab" + euro + "cdefgh" + euro, 9, "ab..." + euro}, // whole UTF-8 characters
        {"abcdefg" + euro + "h", 8, "abc...h"},
        {"ab" + std::string(6, '\x82'), 7, "ab...\x82\x82"}, // not UTF-8: bytes as they are
    };
    for (const auto& [text, length, expected] : shortened)
        EXPECT_EQ(ShortenMiddle(text, length), expected) << text;
    EXPECT_EQ(DigitsOf("\xb2\xb3-1 2\t3"), "123") << "digits 0 to 9 only";
}

// Characters as the limits count them, and the tolerant reading of a profile file: one that is
// not UTF-8 was written in the legacy code page (Windows-1252 on the emulated system).
TEST(TextInEveryScriptTest, CharactersAndProfileFilesInTheLegacyCodePage) {
    const std::tuple<std::string, bool, std::size_t> texts[] = {
        {"", true, 0},
        {"C:\\Música", true, 9},
        {"日本語.mp3", true, 7},
        {"\xf0\x9f\x8e\xb5!", true, 2}, // outside the BMP: one character
        {"C:\\M\xfasica", false, 9},    // Windows-1252: a byte each
        {"ab\xc3", false, 3},           // cut short
        {"\xc0\xaf", false, 2},         // "/" in an overlong form
        {"\xed\xa0\x80", false, 3},     // a surrogate
        {"\xf4\x90\x80\x80", false, 4}, // past U+10FFFF
    };
    for (const auto& [text, utf8, count] : texts) {
        EXPECT_EQ(IsUtf8(text), utf8) << text;
        EXPECT_EQ(CharacterCount(text), count) << text;
    }
    EXPECT_EQ(CharacterCode("Ж", 0), U'Ж');
    EXPECT_EQ(FoldCase("C:\\ÀÉŸ\\ΆΣςΩ\\ЁЖЯ\\ԱĲ\\İ\xc9"), "c:\\àéÿ\\άσσω\\ёжя\\աĳ\\İ\xc9");
    EXPECT_EQ(Utf8Of(U'🎵'), "🎵");

    Harness h;
    const std::pair<Lines, Lines> files[] = {
        {{"C:\\Música", "EOF!"}, {"C:\\Música", "EOF!"}}, // UTF-8: as it is
        {{"C:\\M\xfasica", "D:\\\xc9t\xe9"}, {"C:\\Música", "D:\\Été"}},
        {{"\x80\x8a\x9f\xa0\xff\x81"}, {"€ŠŸ\u00a0ÿ\u0081"}},
        {{"Música", "\xe9"}, {"MÃºsica", "é"}}, // one line not UTF-8: the whole file is legacy
    };
    for (const auto& [lines, text] : files)
        EXPECT_EQ(ProfileText(lines, *h.files), text) << lines.front();
}

} // namespace
} // namespace morvane::test
