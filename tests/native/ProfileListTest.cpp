// The profile column: listing stored profiles, presses on the list, and the pop-up menu's
// Add Profile and Delete Profile.

#include <gtest/gtest.h>

#include "profiles/DefaultExtensions.h"
#include "support/Harness.h"
#include "support/ProfileFiles.h"

namespace morvane::test {
namespace {

using Names = std::vector<std::string>;

class ProfileListTest : public ::testing::Test {
protected:
    Harness h;
    Form1& form = h.form();

    // Profiles alice (current, shown) and bob stored, both listed, none selected: the state
    // after start-up.
    void twoProfiles() {
        h.writeFile(profileFile("alice"), aliceValues().bytes());
        h.writeFile(profileFile("bob"), bobValues().bytes());
        aliceValues().putInto(form);
        form.str_currentprofilename = "alice";
        form.txt_profilename.setText("alice");
        form.list_Profiles.addItem("alice");
        form.list_Profiles.addItem("bob");
    }
    Names storedFiles() { return h.files->listFiles("C:\\FastTrackProfiles\\*"); }
};

TEST_F(ProfileListTest, ListsOnlyLoadableProfileFilesOtherThanTheGivenNameAfterTheEntries) {
    for (const char* file : {"Bob.profile", "carol.PROFILE", "ALICE.profile", "x.profile.tmp",
                             "notes.txt", " lead.profile", "hid.profile"})
        h.writeFile(std::string(kProfileFolder) + "\\" + file, "");
    h.files->setHidden(profileFile("hid"));
    h.makeFolder(profileFile("folder"));
    form.list_Profiles.addItem("first");
    form.ListProfiles("ALICE");
    EXPECT_EQ(form.list_Profiles.items(), (Names{"first", "Bob", "carol"}));
    // A file named like the given name but for letter case is an entry of its own.
    form.list_Profiles.clear();
    form.ListProfiles("alice");
    EXPECT_EQ(form.list_Profiles.items(), (Names{"ALICE", "Bob", "carol"}));
}

TEST_F(ProfileListTest, MissingFolderListsNothing) {
    form.ListProfiles("");
    EXPECT_EQ(form.list_Profiles.count(), 0);
}

TEST_F(ProfileListTest, DeleteProfileFileTrimsTheNameAndIgnoresFailuresAndUnsafeNames) {
    h.writeFile(profileFile("bob"), "x");
    h.writeFile("C:\\evil.profile", "x");
    form.DeleteProfileFile("  bob ");
    form.DeleteProfileFile("ghost");
    form.DeleteProfileFile("..\\evil");
    form.DeleteProfileFile("c:\\evil");
    EXPECT_FALSE(h.exists(profileFile("bob")));
    EXPECT_TRUE(h.exists("C:\\evil.profile"));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(ProfileListTest, RightPressOffersDeleteOnlyWithMoreThanOneEntryAndASelection) {
    struct Case {
        Names entries;
        int selected;
        bool deleteEnabled;
    };
    const Case cases[] = {
        {{"a", "b"}, 1, true}, {{"a", "b"}, -1, false}, {{"a"}, 0, false}, {{}, -1, false}};
    for (const Case& c : cases) {
        Harness t;
        Form1& f = t.form();
        for (const std::string& e : c.entries)
            f.list_Profiles.addItem(e);
        f.list_Profiles.setListIndex(c.selected);
        f.str_currentprofilename = "a";
        f.button_rename.setVisible(true);
        f.list_Profiles.press(ui::kRightButton, 0);
        ASSERT_EQ(t.dialogs.menus.size(), 1u);
        EXPECT_EQ(t.dialogs.menus[0].name, "ProfileMenu");
        EXPECT_EQ(t.dialogs.menus[0].captions, (Names{"Add Profile", "Delete Profile"}));
        EXPECT_EQ(t.dialogs.menus[0].enabled, (std::vector<bool>{true, c.deleteEnabled}))
            << c.entries.size() << " entries, selected " << c.selected;
        EXPECT_EQ(f.list_Profiles.listIndex(), c.selected);
        EXPECT_EQ(f.str_currentprofilename, "a");
        EXPECT_FALSE(f.button_rename.visible());
        EXPECT_FALSE(t.exists(kProfileFolder)) << "a right press saves nothing";
    }
}

TEST_F(ProfileListTest, DisabledDeleteChosenFromTheMenuDoesNothing) {
    twoProfiles();
    h.dialogs.menuChoices = {Form1::DeleteProfile};
    form.list_Profiles.press(ui::kRightButton, 0);
    EXPECT_EQ(form.list_Profiles.items(), (Names{"alice", "bob"}));
    EXPECT_EQ(storedFiles(), (Names{"alice.profile", "bob.profile"}));
}

TEST_F(ProfileListTest, LeftPressStoresTheProfileLeftAndLoadsTheOneChosen) {
    twoProfiles();
    form.txt_Searchresults.setText("999"); // an edit not yet stored
    form.frm_Details.setVisible(false);
    form.button_rename.setVisible(true);
    form.list_Profiles.press(ui::kLeftButton, 1);
    ProfileValues edited = aliceValues();
    edited.searchResults = "999";
    EXPECT_EQ(h.readFile(profileFile("alice")), edited.bytes());
    EXPECT_EQ(ProfileValues::readFrom(form), bobValues());
    EXPECT_EQ(form.str_currentprofilename, "bob");
    EXPECT_EQ(form.txt_profilename.text(), "bob");
    EXPECT_TRUE(form.frm_Details.visible());
    EXPECT_FALSE(form.button_rename.visible());
    EXPECT_EQ(storedFiles(), (Names{"alice.profile", "bob.profile"}));
}

TEST_F(ProfileListTest, LeftPressLeavingNoSelectionStoresAndLeavesNoProfileCurrent) {
    twoProfiles();
    form.list_Profiles.press(ui::kLeftButton, -1);
    EXPECT_EQ(form.str_currentprofilename, "");
    EXPECT_EQ(ProfileValues::readFrom(form), aliceValues());
    EXPECT_EQ(form.txt_profilename.text(), "alice");
    EXPECT_EQ(h.readFile(profileFile("alice")), aliceValues().bytes());

    // Editing the name now writes the shown values under the typed name, without an entry.
    form.txt_profilename.type('2');
    EXPECT_EQ(h.readFile(profileFile("alice2")), aliceValues().bytes());
    EXPECT_EQ(storedFiles(), (Names{"alice.profile", "alice2.profile", "bob.profile"}));
    EXPECT_EQ(form.list_Profiles.items(), (Names{"alice", "bob"}));
}

TEST_F(ProfileListTest, OtherButtonsOnlyHideTheRenameButton) {
    twoProfiles();
    form.button_rename.setVisible(true);
    form.list_Profiles.press(ui::kMiddleButton, 1);
    EXPECT_FALSE(form.button_rename.visible());
    EXPECT_EQ(form.str_currentprofilename, "alice");
    EXPECT_TRUE(h.dialogs.menus.empty());
    EXPECT_EQ(h.readFile(profileFile("alice")), aliceValues().bytes());
}

TEST_F(ProfileListTest, AddTakesTheFirstFreeNumberAndFillsTheNewProfileDefaults) {
    twoProfiles();
    form.list_Profiles.addItem("new_profile_1");
    form.list_Profiles.addItem("new_profile_3");
    form.list_Profiles.setListIndex(1);
    form.txt_Uploads.setText("7");
    form.frm_Details.setVisible(false);
    h.dialogs.menuChoices = {Form1::AddProfile};
    form.list_Profiles.press(ui::kRightButton, 1);

    ProfileValues stored = aliceValues();
    stored.uploads = "7";
    EXPECT_EQ(h.readFile(profileFile("alice")), stored.bytes()) << "the profile left is stored";
    EXPECT_EQ(form.str_currentprofilename, "new_profile_2");
    EXPECT_EQ(form.txt_profilename.text(), "new_profile_2");
    const auto& def = kDefaultExtensionLists;
    EXPECT_EQ(ProfileValues::readFrom(form),
              (ProfileValues{"C:\\",
                             "3",
                             "3",
                             "100",
                             {},
                             {def[0], def[1], def[2], def[3], def[4]},
                             {"C:\\", "C:\\", "C:\\", "C:\\", "C:\\"}}));
    EXPECT_EQ(form.list_Profiles.items(),
              (Names{"alice", "bob", "new_profile_1", "new_profile_3", "new_profile_2"}));
    EXPECT_EQ(form.list_Profiles.listIndex(), 1);
    EXPECT_TRUE(form.frm_Details.visible());
    EXPECT_EQ(storedFiles(), (Names{"alice.profile", "bob.profile"}));
}

TEST_F(ProfileListTest, AddSkipsANumberWhoseFileAnotherEntryHoldsInOtherLetterCase) {
    h.writeFile(profileFile("New_Profile_1"), bobValues().bytes());
    form.list_Profiles.addItem("New_Profile_1");
    form.AddProfile_Click();
    EXPECT_EQ(form.str_currentprofilename, "new_profile_2");
    form.SaveProfile(form.str_currentprofilename);
    EXPECT_EQ(h.readFile(profileFile("New_Profile_1")), bobValues().bytes());
}

TEST_F(ProfileListTest, DeleteRemovesTheSelectedEntryAndItsFileAndLeavesNoProfileCurrent) {
    twoProfiles();
    form.list_Profiles.press(ui::kLeftButton, 1);
    h.dialogs.menuChoices = {Form1::DeleteProfile};
    form.list_Profiles.press(ui::kRightButton, 1);
    EXPECT_EQ(form.list_Profiles.items(), Names{"alice"});
    EXPECT_EQ(form.list_Profiles.listIndex(), -1);
    EXPECT_EQ(storedFiles(), Names{"alice.profile"});
    EXPECT_FALSE(form.frm_Details.visible());
    EXPECT_EQ(form.str_currentprofilename, "");
    EXPECT_EQ(form.txt_profilename.text(), "");
    EXPECT_EQ(ProfileValues::readFrom(form), bobValues()) << "the other controls keep their values";
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(ProfileListTest, AddThenDeleteDeletesTheEntrySelectedBeforeNotTheNewOne) {
    twoProfiles();
    form.list_Profiles.press(ui::kLeftButton, 1);
    h.dialogs.menuChoices = {Form1::AddProfile, Form1::DeleteProfile};
    form.list_Profiles.press(ui::kRightButton, 1);
    form.list_Profiles.press(ui::kRightButton, 1);
    EXPECT_EQ(form.list_Profiles.items(), (Names{"alice", "new_profile_1"}));
    EXPECT_EQ(storedFiles(), Names{"alice.profile"});
    EXPECT_EQ(form.str_currentprofilename, "");
}

} // namespace
} // namespace morvane::test
