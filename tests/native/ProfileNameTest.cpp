// The name box: what can be typed, and the rename step that follows every change.

#include <gtest/gtest.h>

#include "support/FaultyFileSystem.h"
#include "support/Harness.h"
#include "support/ProfileFiles.h"

namespace morvane::test {
namespace {

using Names = std::vector<std::string>;

class ProfileNameTest : public ::testing::Test {
protected:
    Harness h;
    Form1& form = h.form();

    // alice is current, shown and stored; the list holds the given entries, alice's selected.
    void aliceCurrent(const Names& others = {"bob"}) {
        h.writeFile(profileFile("alice"), aliceValues().bytes());
        form.list_Profiles.addItem("alice");
        for (const std::string& other : others) {
            form.list_Profiles.addItem(other);
            h.writeFile(profileFile(other), bobValues().bytes());
        }
        form.list_Profiles.setListIndex(0);
        aliceValues().putInto(form);
        form.str_currentprofilename = "alice";
        form.txt_profilename.setText("alice");
    }
    Names storedFiles() { return h.files->listFiles("C:\\FastTrackProfiles\\*"); }
    // Where the name stands: the box, the variable and the list.
    std::string state() {
        std::string out = form.txt_profilename.text() + "|" + form.str_currentprofilename + "|";
        for (const std::string& entry : form.list_Profiles.items())
            out += entry + ",";
        return out;
    }
};

TEST_F(ProfileNameTest, TypingDropsSpacesAndCharactersNoFileNameMayHold) {
    for (char c : std::string(" \\/*?\"><|:")) {
        int key = static_cast<unsigned char>(c);
        form.txt_profilename_KeyPress(key);
        EXPECT_EQ(key, 0) << c;
    }
    for (int passes :
         {int{'a'}, int{'Z'}, int{'0'}, int{'.'}, int{'-'}, int{'_'}, 8, 9, 27, 0xE9}) {
        int key = passes;
        form.txt_profilename_KeyPress(key);
        EXPECT_EQ(key, passes);
    }
}

TEST_F(ProfileNameTest, EachKeystrokeMovesTheProfileToItsNewNameInLowerCase) {
    aliceCurrent();
    form.txt_profilename.type("B:");
    EXPECT_EQ(state(), "aliceb|aliceb|aliceb,bob,");
    EXPECT_EQ(storedFiles(), (Names{"aliceb.profile", "bob.profile"}));
    EXPECT_EQ(h.readFile(profileFile("aliceb")), aliceValues().bytes());
    EXPECT_EQ(form.list_Profiles.listIndex(), 0);
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(ProfileNameTest, ANameInUseGetsLowerCaseXsUntilFree) {
    aliceCurrent({"bob", "bobx", "Carol"});
    form.txt_profilename.userEdited("BOB"); // pasted
    EXPECT_EQ(state(), "bobxx|bobxx|bobxx,bob,bobx,Carol,");
    EXPECT_EQ(h.readFile(profileFile("bobxx")), aliceValues().bytes());
    EXPECT_EQ(h.readFile(profileFile("bob")), bobValues().bytes());
    EXPECT_EQ(h.readFile(profileFile("bobx")), bobValues().bytes());
    EXPECT_FALSE(h.exists(profileFile("alice")));

    // Carol's file is carol's file too: taking "carol" would overwrite it.
    form.txt_profilename.userEdited("carol");
    EXPECT_EQ(state(), "carolx|carolx|carolx,bob,bobx,Carol,");
    EXPECT_EQ(h.readFile(profileFile("Carol")), bobValues().bytes());
}

TEST_F(ProfileNameTest, ErasingTheNameDeletesTheFileAndTypingAgainStoresItUnderTheNewName) {
    aliceCurrent();
    for (int i = 0; i < 5; ++i)
        form.txt_profilename.type('\b');
    EXPECT_EQ(state(), "||,bob,");
    EXPECT_EQ(storedFiles(), Names{"bob.profile"});
    form.txt_profilename.type("zed");
    EXPECT_EQ(state(), "zed|zed|zed,bob,");
    EXPECT_EQ(storedFiles(), (Names{"bob.profile", "zed.profile"}));
    EXPECT_EQ(h.readFile(profileFile("zed")), aliceValues().bytes());
}

TEST_F(ProfileNameTest, RenameThatCannotBeSavedKeepsTheOldNameEverywhereAndSaysSoOnce) {
    struct Case {
        const char* what;
        std::string typed;
        bool readOnly;
        std::string message;
    };
    const std::string rule = "\": a profile name must not be blank, start with a dot, be a "
                             "device name such as \"con\" or hold any of \\ / : * ? \" < > |.";
    const Case cases[] = {
        {"disk refuses writes", "Alice2", true,
         "Morvane|Could not save the profile file c:\\FastTrackProfiles\\alice2.profile. The "
         "file was left as it was."},
        {"pasted path", "..\\..\\evil", false,
         "Morvane|Could not save the profile \"..\\..\\evil" + rule},
        {"pasted drive", "c:evil", false, "Morvane|Could not save the profile \"c:evil" + rule},
        {"pasted device", "nul", false, "Morvane|Could not save the profile \"nul" + rule},
        {"pasted blank", "   ", false, "Morvane|Could not save the profile \"   " + rule},
        {"typed dot", ".", false, "Morvane|Could not save the profile \"." + rule},
    };
    for (const Case& c : cases) {
        h.dialogs.messages.clear();
        aliceCurrent();
        h.files->setReadOnly(c.readOnly);
        form.txt_profilename.userEdited(c.typed);
        EXPECT_EQ(state(), "alice|alice|alice,bob,") << c.what;
        EXPECT_EQ(h.messageLog(), Names{c.message}) << c.what;
        EXPECT_EQ(storedFiles(), (Names{"alice.profile", "bob.profile"})) << c.what;
        EXPECT_EQ(h.readFile(profileFile("alice")), aliceValues().bytes()) << c.what;
        EXPECT_FALSE(h.exists("C:\\evil.profile")) << c.what;
        h.files->setReadOnly(false);
        form.list_Profiles.clear();
    }
}

TEST_F(ProfileNameTest, RenameOnAFullDiskKeepsTheOldFileEvenThoughDeletingStillWorks) {
    FaultyFileSystem faulty(*h.files);
    Services services{h.registry, faulty, h.shell, h.dialogs, h.clock, h.windows};
    Form1 window(services);
    h.writeFile(profileFile("alice"), aliceValues().bytes());
    window.list_Profiles.addItem("alice");
    aliceValues().putInto(window);
    window.str_currentprofilename = "alice";
    window.txt_profilename.setText("alice");
    faulty.writesStopAfter = 2;
    window.txt_profilename.type('2');
    EXPECT_EQ(window.txt_profilename.text(), "alice");
    EXPECT_EQ(window.str_currentprofilename, "alice");
    EXPECT_EQ(window.list_Profiles.items(), Names{"alice"});
    EXPECT_EQ(storedFiles(), Names{"alice.profile"});
    EXPECT_EQ(h.readFile(profileFile("alice")), aliceValues().bytes());
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
}

TEST_F(ProfileNameTest, NameWithoutAFileCanBeEditedIntoAUsableOne) {
    // A user name that cannot be a file name arrives by the import; nothing is stored for it.
    form.list_Profiles.addItem(".b/");
    aliceValues().putInto(form);
    form.str_currentprofilename = ".b/";
    form.txt_profilename.setText(".b/");
    form.txt_profilename.type('\b');
    EXPECT_EQ(state(), ".b|.b|.b,");
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    form.txt_profilename.type("\bx");
    EXPECT_EQ(state(), ".x|.x|.x,");
    form.txt_profilename.type("\b\bx");
    EXPECT_EQ(state(), "x|x|x,");
    EXPECT_EQ(h.dialogs.messages.size(), 4u) << "one for each name that could not be stored";
    EXPECT_EQ(storedFiles(), Names{"x.profile"});
    EXPECT_EQ(h.readFile(profileFile("x")), aliceValues().bytes());
}

TEST_F(ProfileNameTest, NamesSharingOneFileKeepItWhenRenamedIntoEachOther) {
    // An imported user name with outer spaces is stored as the trimmed file.
    h.writeFile(profileFile("bob"), bobValues().bytes());
    form.list_Profiles.addItem(" bob ");
    bobValues().putInto(form);
    form.str_currentprofilename = " bob ";
    form.txt_profilename.setText(" bob ");
    form.txt_profilename.userEdited("bob");
    EXPECT_EQ(state(), "bob|bob|bob,");
    EXPECT_EQ(storedFiles(), Names{"bob.profile"});
    EXPECT_EQ(h.readFile(profileFile("bob")), bobValues().bytes());
}

TEST_F(ProfileNameTest, SettingTheCurrentNameFromCodeRenamesNothing) {
    aliceCurrent();
    form.str_currentprofilename = "carol";
    form.txt_profilename.setText("carol");
    EXPECT_EQ(state(), "carol|carol|alice,bob,");
    EXPECT_EQ(storedFiles(), (Names{"alice.profile", "bob.profile"}));
}

} // namespace
} // namespace morvane::test
