// Registration: the current profile's values written into the client's keys, the old shared
// folder values removed first.

#include <gtest/gtest.h>

#include "app/TargetApplication.h"
#include "support/Harness.h"

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
    static Form1& bob(Form1& form, const std::vector<std::string>& folders) {
        form.SetTarget(kTargetApplications[1]);
        form.str_currentprofilename = "bob";
        form.txt_profilename.setText("bob"); // equal to the current name: nothing to rename
        form.txt_Downloadfolder.setText("E:\\Incoming");
        form.txt_Downloads.setText("4");
        form.txt_Uploads.setText("6");
        form.txt_Searchresults.setText("250");
        for (const std::string& folder : folders)
            form.list_Folders.addItem(folder);
        return form;
    }

    void TearDown() override { EXPECT_EQ(h.registry.openHandles(), 0) << "a key was left open"; }
};

TEST_F(RegisterProfileTest, ProfileBecomesTheClientsSettings) {
    h.installKazaa("alice");
    for (int i : {0, 1, 2, 3, 4, 6}) // a gap at 5
        h.setText(kLocal, "Dir" + std::to_string(i), "old");
    bob(h.form(), {"C:\\Music", "D:\\Films"}).RegisterProfile();

    EXPECT_EQ(h.text(kLocal, "DownloadDir"), "E:\\Incoming");
    EXPECT_EQ(h.text(kTransfer, "DlDir0"), "E:\\Incoming");
    EXPECT_EQ(h.text(kUser, "UserName"), "bob");
    EXPECT_EQ(h.number(kTransfer, "ConcurrentDownloads"), 4);
    EXPECT_EQ(h.number(kTransfer, "ConcurrentUploads"), 6);
    EXPECT_EQ(h.number(kAdvanced, "MaxSearchResult"), 250);
    EXPECT_EQ(h.text(kLocal, "Dir0"), "012345:C:\\Music");
    EXPECT_EQ(h.text(kLocal, "Dir1"), "012345:D:\\Films");
    for (int i : {2, 3, 4})
        EXPECT_FALSE(h.hasValue(kLocal, "Dir" + std::to_string(i))) << i;
    EXPECT_EQ(h.text(kLocal, "Dir6"), "old") << "removal stops at the first gap";
    EXPECT_EQ(h.form().lab_currentprofile.caption(), "bob");
    EXPECT_TRUE(h.readFile("C:\\FastTrackProfiles\\bob.profile").starts_with("E:\\Incoming\r\n4"));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(RegisterProfileTest, OverlongTextsAreSkippedSilently) {
    h.installKazaa();
    const std::string fits = "C:\\" + std::string(245, 'f');    // 248 characters
    const std::string tooLong = "C:\\" + std::string(246, 't'); // 249 characters
    Form1& form = bob(h.form(), {fits, tooLong, "C:\\After"});
    form.txt_Downloadfolder.setText("C:\\" + std::string(253, 'd')); // 256 characters
    form.RegisterProfile();
    EXPECT_EQ(h.text(kLocal, "Dir0"), "012345:" + fits);
    EXPECT_FALSE(h.hasValue(kLocal, "Dir1"));
    EXPECT_EQ(h.text(kLocal, "Dir2"), "012345:C:\\After");
    EXPECT_EQ(h.text(kLocal, "DownloadDir"), "C:\\Downloads");
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(RegisterProfileTest, MissingLocalContentKeyIsReportedOnceAndThenCreated) {
    h.setText(kUser, "UserName", "alice");
    bob(h.form(), {"C:\\Music"}).RegisterProfile();
    EXPECT_EQ(h.messageLog(),
              std::vector<std::string>{"Error|Could not open the Key: \\" + kLocal});
    EXPECT_EQ(h.text(kLocal, "DownloadDir"), "E:\\Incoming");
    EXPECT_EQ(h.text(kLocal, "Dir0"), "012345:C:\\Music");
}

TEST_F(RegisterProfileTest, NoCurrentProfileDoesNothing) {
    Form1& form = bob(h.form(), {"C:\\Music"});
    form.str_currentprofilename = "";
    form.RegisterProfile();
    EXPECT_EQ(h.registry.calls(), 0);
    EXPECT_FALSE(h.exists("C:\\FastTrackProfiles"));
}

// An empty number field (the import found no value) leaves the client's value alone,
// silently; text that is no number is refused with a message; the rest is registered.
TEST_F(RegisterProfileTest, NumberFieldsThatHoldNoNumber) {
    h.installKazaa();
    Form1& form = bob(h.form(), {});
    form.txt_Downloads.setText("");
    form.txt_Uploads.setText("lots");
    form.RegisterProfile();
    EXPECT_EQ(h.number(kTransfer, "ConcurrentDownloads"), 3);
    EXPECT_EQ(h.number(kTransfer, "ConcurrentUploads"), 2);
    EXPECT_EQ(h.number(kAdvanced, "MaxSearchResult"), 250);
    EXPECT_EQ(h.messageLog(),
              std::vector<std::string>{"Error|Could not create the value: \\" + kTransfer +
                                       "\\ConcurrentUploads with the data: lots (not a whole "
                                       "number from -2147483648 to 2147483647)"});
}

// Every write fails: each is reported, in the order of writing, and registration still
// runs to its end.
TEST_F(RegisterProfileTest, FailedWritesAreReportedInOrder) {
    struct ReadOnlyRegistry : EmulatedRegistry {
        long setValue(RegKey, const std::string&, std::uint32_t, const std::uint8_t*,
                      std::uint32_t) override {
            return kErrorAccessDenied;
        }
    } readOnly;
    Services services{readOnly, *h.files, h.shell, h.dialogs, h.clock, h.windows};
    Form1 form(services);
    bob(form, {"C:\\Music"}).RegisterProfile();
    const std::string value = "Error|Could not create the value: \\";
    EXPECT_EQ(h.messageLog(), (std::vector<std::string>{
                                  "Error|Could not open the Key: \\" + kLocal,
                                  value + kLocal + "\\DownloadDir with the data: E:\\Incoming",
                                  value + kUser + "\\UserName with the data: bob",
                                  value + kTransfer + "\\DlDir0 with the data: E:\\Incoming",
                                  value + kLocal + "\\Dir0 with the data: 012345:C:\\Music",
                                  value + kTransfer + "\\ConcurrentDownloads with the data: 4",
                                  value + kTransfer + "\\ConcurrentUploads with the data: 6",
                                  value + kAdvanced + "\\MaxSearchResult with the data: 250"}));
    EXPECT_EQ(form.lab_currentprofile.caption(), "bob");
    EXPECT_EQ(readOnly.openHandles(), 0);
}

} // namespace
} // namespace morvane::test
