// The name box: what can be typed, and the rename step that follows every change.

#include <gtest/gtest.h>

#include "support/ProfileFiles.h"

namespace morvane::test {
namespace {

class ProfileNameTest : public ::testing::Test {
protected:
    Harness h;
    Form1& form = h.form();
};

TEST_F(ProfileNameTest, EachKeystrokeMovesTheProfileToItsNewNameInLowerCase) {
    current(h, form, "alice");
    form.txt_profilename.type("B \\/*?\"><|:"); // no file name may hold those
    EXPECT_EQ(nameState(form), "aliceb|aliceb|aliceb,bob,");
    EXPECT_EQ(storedProfiles(*h.files), (Lines{"aliceb.profile", "bob.profile"}));
    EXPECT_EQ(h.readFile(profileFile("aliceb")), crlf(kAlice));
    EXPECT_TRUE(h.dialogs.messages.empty());

    // Erasing the whole name deletes the file and leaves an empty entry; typing renames it.
    form.txt_profilename.type("\b\b\b\b\b\b");
    EXPECT_EQ(nameState(form), "||,bob,");
    EXPECT_EQ(storedProfiles(*h.files), Lines{"bob.profile"});
    form.txt_profilename.type(".z"); // names that cannot be stored, each said once
    EXPECT_EQ(nameState(form), ".z|.z|.z,bob,");
    EXPECT_EQ(h.dialogs.messages.size(), 2u);
    form.txt_profilename.userEdited("zed");
    EXPECT_EQ(nameState(form), "zed|zed|zed,bob,");
    EXPECT_EQ(storedProfiles(*h.files), (Lines{"bob.profile", "zed.profile"}));
    EXPECT_EQ(h.readFile(profileFile("zed")), crlf(kAlice));
}

TEST_F(ProfileNameTest, ANameInUseOrWhoseFileIsInUseGetsLowerCaseXsUntilFree) {
    current(h, form, "alice", {"bob", "bobx", "Carol"});
    form.txt_profilename.userEdited("BOB"); // pasted
    EXPECT_EQ(nameState(form), "bobxx|bobxx|bobxx,bob,bobx,Carol,");
    EXPECT_EQ(storedProfiles(*h.files),
              (Lines{"bob.profile", "bobx.profile", "bobxx.profile", "Carol.profile"}));
    form.txt_profilename.userEdited("carol"); // would overwrite Carol's file
    EXPECT_EQ(nameState(form), "carolx|carolx|carolx,bob,bobx,Carol,");
    EXPECT_EQ(h.readFile(profileFile("Carol")), crlf(kBob));
}

TEST_F(ProfileNameTest, NamesSharingOneFileKeepItWhenRenamedIntoEachOther) {
    current(h, form, " bob ", {}); // an imported user name with outer spaces
    form.txt_profilename.userEdited("bob");
    EXPECT_EQ(nameState(form), "bob|bob|bob,");
    EXPECT_EQ(storedProfiles(*h.files), Lines{"bob.profile"});
    form.txt_profilename.userEdited("bob ");
    form.txt_profilename.userEdited("bobby");
    EXPECT_EQ(storedProfiles(*h.files), Lines{"bobby.profile"});
}

TEST(ProfileRenameTest, OnAFullDiskSavesAndRenamesKeepTheOldFileAndNameAndSaySoOnceEach) {
    Harness h;
    FullDisk disk(h.files->root()); // writes fail part-way, deleting still works
    Services onFullDisk{h.registry, disk, h.shell, h.dialogs, h.clock, h.windows};
    Form1 form(onFullDisk);
    current(h, form, "alice");
    form.txt_profilename.type('X');
    EXPECT_EQ(nameState(form), "alice|alice|alice,bob,");
    show(form, kBob);
    form.SaveProfile("alice");
    const std::string failed = "Morvane|Could not save the profile file c:\\FastTrackProfiles\\";
    EXPECT_EQ(h.messageLog(), (Lines{failed + "alicex.profile. The file was left as it was.",
                                     failed + "alice.profile. The file was left as it was."}));
    EXPECT_EQ(storedProfiles(*h.files), (Lines{"alice.profile", "bob.profile"}));
    EXPECT_EQ(h.readFile(profileFile("alice")), crlf(kAlice));
}

} // namespace
} // namespace morvane::test
