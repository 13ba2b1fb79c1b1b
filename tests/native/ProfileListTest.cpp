// The profile column: listing stored profiles, presses on the list, and the pop-up menu's
// Add Profile and Delete Profile.

#include <gtest/gtest.h>

#include "profiles/DefaultExtensions.h"
#include "support/ProfileFiles.h"

namespace morvane::test {
namespace {

class ProfileListTest : public ::testing::Test {
protected:
    Harness h;
    Form1& form = h.form();
};

TEST_F(ProfileListTest, ListsOnlyLoadableProfileFilesOtherThanTheGivenNameAfterTheEntries) {
    for (const char* file : {"Bob.profile", "carol.PROFILE", "ALICE.profile", "x.profile.tmp",
                             "notes.txt", " lead.profile", "trail .profile"})
        h.writeFile(std::string(kProfileFolder) + "\\" + file, "");
    form.list_Profiles.addItem("first");
    form.ListProfiles("ALICE");
    EXPECT_EQ(form.list_Profiles.items(), (Lines{"first", "Bob", "carol"}));
    form.list_Profiles.clear();
    form.ListProfiles("alice"); // the comparison is exact
    EXPECT_EQ(form.list_Profiles.items(), (Lines{"ALICE", "Bob", "carol"}));
}

TEST_F(ProfileListTest, LeftPressLeavingNoSelectionStoresAndLeavesNoProfileCurrent) {
    current(h, form, "alice");
    form.list_Profiles.setListIndex(-1);
    form.txt_Searchresults.setText("999"); // an edit not yet stored
    form.list_Profiles.press(ui::kLeftButton, -1);
    const Lines edited = with(kAlice, 3, "999");
    EXPECT_EQ(h.readFile(profileFile("alice")), crlf(edited));
    EXPECT_EQ(nameState(form), "alice||alice,bob,");

    // Editing the name now stores the shown values under the typed name, without an entry.
    form.txt_profilename.type('2');
    EXPECT_EQ(nameState(form), "alice2|alice2|alice,bob,");
    EXPECT_EQ(h.readFile(profileFile("alice2")), crlf(edited));
    EXPECT_EQ(storedProfiles(*h.files), (Lines{"alice.profile", "alice2.profile", "bob.profile"}));
}

TEST_F(ProfileListTest, AddTakesTheFirstFreeNameAndDeleteThenRemovesTheEntrySelectedBefore) {
    current(h, form, "alice", {"bob", "New_Profile_1", "new_profile_3"});
    form.list_Profiles.press(ui::kLeftButton, 1);
    form.txt_Uploads.setText("7");
    form.frm_Details.setVisible(false);
    form.button_rename.setVisible(true);
    h.dialogs.menuChoices = {Form1::AddProfile, Form1::DeleteProfile};
    form.list_Profiles.press(ui::kRightButton, 1);
    EXPECT_EQ(h.dialogs.menus[0].captions, (Lines{"Add Profile", "Delete Profile"}));
    EXPECT_FALSE(form.button_rename.visible());
    EXPECT_EQ(h.readFile(profileFile("bob")), crlf(with(kBob, 2, "7"))) << "the profile left";
    EXPECT_EQ(nameState(form),
              "new_profile_2|new_profile_2|alice,bob,New_Profile_1,new_profile_3,new_profile_2,");
    const auto& def = kDefaultExtensionLists;
    EXPECT_EQ(shown(form), (Lines{"C:\\", "3", "3", "100", "EOF!", def[0], "C:\\", def[1], "C:\\",
                                  def[2], "C:\\", def[3], "C:\\", def[4], "C:\\"}));
    EXPECT_EQ(form.list_Profiles.listIndex(), 1);
    EXPECT_TRUE(form.frm_Details.visible());
    EXPECT_EQ(storedProfiles(*h.files).size(), 4u) << "nothing stored for the new profile yet";

    form.list_Profiles.press(ui::kRightButton, 1);
    EXPECT_EQ(nameState(form), "||alice,New_Profile_1,new_profile_3,new_profile_2,");
    EXPECT_EQ(form.list_Profiles.listIndex(), -1);
    EXPECT_EQ(storedProfiles(*h.files),
              (Lines{"alice.profile", "New_Profile_1.profile", "new_profile_3.profile"}));
    EXPECT_FALSE(form.frm_Details.visible());
    EXPECT_EQ(form.txt_Searchresults.text(), "100") << "the other controls keep their values";

    // Delete is offered with more than one entry and a selection only.
    form.list_Profiles.press(ui::kRightButton, 1);
    form.list_Profiles.clear();
    form.list_Profiles.addItem("alice");
    form.list_Profiles.setListIndex(0);
    form.list_Profiles.press(ui::kRightButton, 0);
    ASSERT_EQ(h.dialogs.menus.size(), 4u);
    for (int m = 0; m < 4; ++m)
        EXPECT_EQ(h.dialogs.menus[m].enabled[1], m < 2) << m;
}

} // namespace
} // namespace morvane::test
