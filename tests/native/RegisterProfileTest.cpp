// Registration: the current profile's values written into the client's keys, the old shared
// folder values removed first.

#include <gtest/gtest.h>

#include "app/TargetApplication.h"
#include "support/Harness.h"
#include "support/ScriptedRegistry.h"

namespace morvane::test {
namespace {

const std::string kLocal = "Software\\Kazaa\\LocalContent";
const std::string kUser = "Software\\Kazaa\\UserDetails";
const std::string kTransfer = "Software\\Kazaa\\Transfer";
const std::string kAdvanced = "Software\\Kazaa\\Advanced";

class RegisterProfileTest : public ::testing::Test {
protected:
    Harness h;

    // Kazaa as the target and "bob" as the current profile, with values of its own.
    Form1& bob(const std::vector<std::string>& folders = {"C:\\Music", "D:\\Films"}) {
        Form1& form = h.form();
        form.SetTarget(kTargetApplications[1]);
        form.str_currentprofilename = "bob";
        form.txt_profilename.setText("bob"); // equal to the current name: nothing to rename
        form.list_Profiles.addItem("bob");
        form.txt_Downloadfolder.setText("E:\\Incoming");
        form.txt_Downloads.setText("4");
        form.txt_Uploads.setText("6");
        form.txt_Searchresults.setText("250");
        for (const std::string& folder : folders)
            form.list_Folders.addItem(folder);
        return form;
    }

    void dirs(int from, int to) {
        for (int i = from; i <= to; ++i)
            h.setText(kLocal, "Dir" + std::to_string(i), "old:   C:\\Old" + std::to_string(i));
    }

    std::vector<std::string> dirValues(int upTo = 10) {
        std::vector<std::string> found;
        for (int i = 0; i <= upTo; ++i)
            if (h.hasValue(kLocal, "Dir" + std::to_string(i)))
                found.push_back("Dir" + std::to_string(i) + "=" +
                                h.text(kLocal, "Dir" + std::to_string(i)));
        return found;
    }

    void TearDown() override { EXPECT_EQ(h.registry.openHandles(), 0) << "a key was left open"; }
};

TEST_F(RegisterProfileTest, WritesEveryValueWithItsType) {
    h.installKazaa("alice");
    Form1& form = bob();
    form.RegisterProfile();

    EXPECT_EQ(h.text(kLocal, "DownloadDir"), "E:\\Incoming");
    EXPECT_EQ(h.text(kTransfer, "DlDir0"), "E:\\Incoming");
    EXPECT_EQ(h.text(kUser, "UserName"), "bob");
    EXPECT_EQ(h.number(kTransfer, "ConcurrentDownloads"), 4);
    EXPECT_EQ(h.number(kTransfer, "ConcurrentUploads"), 6);
    EXPECT_EQ(h.number(kAdvanced, "MaxSearchResult"), 250);
    for (const auto& [key, name] : {std::pair{kLocal, "DownloadDir"},
                                    {kTransfer, "DlDir0"},
                                    {kUser, "UserName"},
                                    {kLocal, "Dir0"},
                                    {kLocal, "Dir1"}})
        EXPECT_EQ(h.type(key, name), kRegSz) << name;
    for (const auto& [key, name] : {std::pair{kTransfer, "ConcurrentDownloads"},
                                    {kTransfer, "ConcurrentUploads"},
                                    {kAdvanced, "MaxSearchResult"}})
        EXPECT_EQ(h.type(key, name), kRegDword) << name;
    EXPECT_EQ(dirValues(),
              (std::vector<std::string>{"Dir0=012345:C:\\Music", "Dir1=012345:D:\\Films"}));
    EXPECT_EQ(form.lab_currentprofile.caption(), "bob");
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(RegisterProfileTest, SavesTheProfileFirst) {
    h.installKazaa();
    Form1& form = bob();
    form.RegisterProfile();
    const std::string file = h.readFile("C:\\FastTrackProfiles\\bob.profile");
    EXPECT_TRUE(file.starts_with("E:\\Incoming\r\n4\r\n6\r\n250\r\nC:\\Music\r\n")) << file;
}

TEST_F(RegisterProfileTest, OldFolderValuesAboveTheNewOnesAreGone) {
    h.installKazaa();
    dirs(0, 4);
    Form1& form = bob({"C:\\A", "C:\\B", "C:\\C"});
    form.RegisterProfile();
    EXPECT_EQ(dirValues(), (std::vector<std::string>{"Dir0=012345:C:\\A", "Dir1=012345:C:\\B",
                                                     "Dir2=012345:C:\\C"}));
}

TEST_F(RegisterProfileTest, RemovalStopsAtTheFirstGap) {
    h.installKazaa();
    dirs(0, 1);
    dirs(3, 3);
    Form1& form = bob({"C:\\Only"});
    form.RegisterProfile();
    EXPECT_EQ(dirValues(),
              (std::vector<std::string>{"Dir0=012345:C:\\Only", "Dir3=old:   C:\\Old3"}));
}

TEST_F(RegisterProfileTest, ProfileWithoutFoldersRemovesThemAll) {
    h.installKazaa();
    dirs(0, 6);
    Form1& form = bob({});
    form.RegisterProfile();
    EXPECT_TRUE(dirValues().empty());
    EXPECT_EQ(h.text(kLocal, "DownloadDir"), "E:\\Incoming");
}

TEST_F(RegisterProfileTest, FolderPathsLongerThan248CharactersAreSkippedSilently) {
    h.installKazaa();
    const std::string fits = "C:\\" + std::string(245, 'f');    // 248 characters
    const std::string tooLong = "C:\\" + std::string(246, 't'); // 249 characters
    Form1& form = bob({fits, tooLong, "C:\\After"});
    form.RegisterProfile();
    EXPECT_EQ(h.text(kLocal, "Dir0"), "012345:" + fits);
    EXPECT_FALSE(h.hasValue(kLocal, "Dir1"));
    EXPECT_EQ(h.text(kLocal, "Dir2"), "012345:C:\\After");
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(RegisterProfileTest, MissingLocalContentKeyIsReportedOnceAndThenCreated) {
    h.setText(kUser, "UserName", "alice");
    Form1& form = bob();
    form.RegisterProfile();
    EXPECT_EQ(h.messageLog(),
              std::vector<std::string>{"Error|Could not open the Key: \\" + kLocal});
    EXPECT_EQ(h.text(kLocal, "DownloadDir"), "E:\\Incoming");
    EXPECT_EQ(dirValues(),
              (std::vector<std::string>{"Dir0=012345:C:\\Music", "Dir1=012345:D:\\Films"}));
    EXPECT_EQ(h.number(kAdvanced, "MaxSearchResult"), 250);
    EXPECT_EQ(form.lab_currentprofile.caption(), "bob");
}

TEST_F(RegisterProfileTest, NoCurrentProfileDoesNothing) {
    h.installKazaa("alice");
    Form1& form = bob();
    form.lab_currentprofile.setCaption("alice");
    form.str_currentprofilename = "";
    const int before = h.registry.calls();
    form.RegisterProfile();
    EXPECT_EQ(h.registry.calls(), before);
    EXPECT_FALSE(h.exists("C:\\FastTrackProfiles"));
    EXPECT_EQ(form.lab_currentprofile.caption(), "alice");
    EXPECT_TRUE(h.dialogs.messages.empty());
}

// An empty number field (the import found no value) leaves the client's own value alone,
// silently; the other values are registered as usual.
TEST_F(RegisterProfileTest, EmptyNumberFieldKeepsTheClientsValue) {
    h.installKazaa();
    Form1& form = bob();
    form.txt_Downloads.setText("");
    form.txt_Searchresults.setText("");
    form.RegisterProfile();
    EXPECT_EQ(h.number(kTransfer, "ConcurrentDownloads"), 3);
    EXPECT_EQ(h.number(kAdvanced, "MaxSearchResult"), 100);
    EXPECT_EQ(h.number(kTransfer, "ConcurrentUploads"), 6);
    EXPECT_TRUE(h.dialogs.messages.empty());

    // A client that never had the value does not get one.
    h.registry.deleteKey(kHkeyCurrentUser, kAdvanced);
    form.RegisterProfile();
    EXPECT_FALSE(h.hasValue(kAdvanced, "MaxSearchResult"));
}

// Text that is not a number (a hand-edited profile file can hold anything) is refused with a
// message naming the value; registration goes on with the next value.
TEST_F(RegisterProfileTest, NonNumericFieldIsRefusedWithAMessage) {
    h.installKazaa();
    Form1& form = bob();
    form.txt_Uploads.setText("lots");
    form.RegisterProfile();
    EXPECT_EQ(h.number(kTransfer, "ConcurrentUploads"), 2);
    EXPECT_EQ(h.messageLog(),
              std::vector<std::string>{"Error|Could not create the value: \\" + kTransfer +
                                       "\\ConcurrentUploads with the data: lots (not a whole "
                                       "number from -2147483648 to 2147483647)"});
    EXPECT_EQ(h.number(kAdvanced, "MaxSearchResult"), 250);
    EXPECT_EQ(form.lab_currentprofile.caption(), "bob");
}

TEST_F(RegisterProfileTest, OverlongDownloadFolderIsSkippedAndTheRestWritten) {
    h.installKazaa();
    Form1& form = bob();
    form.txt_Downloadfolder.setText("C:\\" + std::string(253, 'd')); // 256 characters
    form.RegisterProfile();
    EXPECT_EQ(h.text(kLocal, "DownloadDir"), "C:\\Downloads");
    EXPECT_EQ(h.text(kTransfer, "DlDir0"), "C:\\Downloads");
    EXPECT_EQ(h.text(kUser, "UserName"), "bob");
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(RegisterProfileTest, FailedWritesAreReportedAndTheRestStillRuns) {
    h.installKazaa();
    ScriptedRegistry scripted(h.registry);
    Services services{scripted, *h.files, h.shell, h.dialogs, h.clock, h.windows};
    Form1 form(services);
    form.SetTarget(kTargetApplications[1]);
    form.str_currentprofilename = "bob";
    form.txt_profilename.setText("bob");
    form.txt_Downloads.setText("4");
    scripted.failSet = true;
    form.RegisterProfile();
    // DownloadDir, UserName, DlDir0 and ConcurrentDownloads; the empty fields are skipped.
    EXPECT_EQ(h.dialogs.messages.size(), 4u);
    EXPECT_EQ(h.dialogs.messages.back().text, "Could not create the value: \\" + kTransfer +
                                                  "\\ConcurrentDownloads with the data: 4");
    EXPECT_EQ(form.lab_currentprofile.caption(), "bob");
}

TEST_F(RegisterProfileTest, FolderRemovalStopsAtItsBoundWhateverTheRegistryDoes) {
    h.installKazaa();
    ScriptedRegistry scripted(h.registry);
    Services services{scripted, *h.files, h.shell, h.dialogs, h.clock, h.windows};
    Form1 form(services);
    form.SetTarget(kTargetApplications[1]);
    form.str_currentprofilename = "bob";
    form.txt_profilename.setText("bob");
    scripted.everyValueExists = true; // every delete "succeeds"
    form.RegisterProfile();
    ASSERT_EQ(scripted.deletedValues.size(), 32768u);
    EXPECT_EQ(scripted.deletedValues.front(), "Dir0");
    EXPECT_EQ(scripted.deletedValues.back(), "Dir32767");
    EXPECT_EQ(h.text(kUser, "UserName"), "bob"); // and the writes followed
}

} // namespace
} // namespace morvane::test
