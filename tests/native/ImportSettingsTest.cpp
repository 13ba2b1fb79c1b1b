// The import of the client's settings at start-up, and CutAtNull, which every text read
// from the registry goes through.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/TargetApplication.h"
#include "registry/CutAtNull.h"
#include "support/Harness.h"
#include "support/ScriptedRegistry.h"

namespace morvane::test {
namespace {

const std::string kLocal = "Software\\Kazaa\\LocalContent";
const std::string kUser = "Software\\Kazaa\\UserDetails";
const std::string kTransfer = "Software\\Kazaa\\Transfer";
const std::string kAdvanced = "Software\\Kazaa\\Advanced";

TEST(CutAtNullTest, KeepsWhatComesBeforeTheFirstNul) {
    using namespace std::string_literals;
    EXPECT_EQ(CutAtNull("C:\\Downloads"), "C:\\Downloads");
    EXPECT_EQ(CutAtNull(""), "");
    EXPECT_EQ(CutAtNull("\0abc"s), "");
    EXPECT_EQ(CutAtNull("alice\0   "s), "alice");
    EXPECT_EQ(CutAtNull("a\0b\0c"s), "a");
    EXPECT_EQ(CutAtNull("ends with nul\0"s), "ends with nul");
}

class ImportSettingsTest : public ::testing::Test {
protected:
    Harness h;

    // The window with Kazaa as its target, as start-up leaves it before the import.
    Form1& kazaaForm() {
        Form1& form = h.form();
        form.SetTarget(kTargetApplications[1]);
        return form;
    }

    void TearDown() override { EXPECT_EQ(h.registry.openHandles(), 0) << "a key was left open"; }
};

TEST_F(ImportSettingsTest, ClientsSettingsBecomeTheCurrentProfile) {
    h.installKazaa("alice");
    h.setText(kLocal, "Dir1", "012345:D:\\Films and more");
    Form1& form = kazaaForm();
    form.ImportSettings(form.str_currentprofilename);

    EXPECT_EQ(form.str_currentprofilename, "alice");
    EXPECT_EQ(form.list_Profiles.items(), std::vector<std::string>{"alice"});
    EXPECT_EQ(form.list_Profiles.listIndex(), -1);
    EXPECT_EQ(form.txt_profilename.text(), "alice");
    EXPECT_EQ(form.lab_currentprofile.caption(), "alice");
    EXPECT_EQ(form.txt_Downloadfolder.text(), "C:\\Downloads");
    EXPECT_EQ(form.list_Folders.items(),
              (std::vector<std::string>{"C:\\Music", "D:\\Films and more"}));
    EXPECT_EQ(form.txt_Downloads.text(), "3");
    EXPECT_EQ(form.txt_Uploads.text(), "2");
    EXPECT_EQ(form.txt_Searchresults.text(), "100");
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(ImportSettingsTest, NameVariableIsSetThroughTheReference) {
    h.installKazaa("bob");
    Form1& form = kazaaForm();
    std::string name = "previous";
    form.ImportSettings(name);
    EXPECT_EQ(name, "bob");
    EXPECT_EQ(form.str_currentprofilename, "bob");
}

TEST_F(ImportSettingsTest, SharedFoldersEndAtTheFirstMissingIndex) {
    h.installKazaa();
    h.setText(kLocal, "Dir1", "012345:C:\\Two");
    h.setText(kLocal, "Dir3", "012345:C:\\Four");
    Form1& form = kazaaForm();
    form.ImportSettings(form.str_currentprofilename);
    EXPECT_EQ(form.list_Folders.items(), (std::vector<std::string>{"C:\\Music", "C:\\Two"}));
}

TEST_F(ImportSettingsTest, AnySevenCharacterPrefixIsDropped) {
    h.installKazaa();
    h.setText(kLocal, "Dir0", "ABCDEFGE:\\Share");
    h.setText(kLocal, "Dir1", "0123456" + std::string(247, 'p')); // 254 characters in all
    Form1& form = kazaaForm();
    form.ImportSettings(form.str_currentprofilename);
    EXPECT_EQ(form.list_Folders.items(),
              (std::vector<std::string>{"E:\\Share", std::string(247, 'p')}));
}

// The raw buffer of a value shorter than its prefix holds the value, its NUL and spaces;
// dropping seven characters of it would leave a "folder" of spaces. Such values, and a
// prefix with no path after it, list nothing, and the values after them are still read.
TEST_F(ImportSettingsTest, ValuesWithoutAPathAfterThePrefixListNothing) {
    h.installKazaa();
    h.setText(kLocal, "Dir0", "abc");
    h.setText(kLocal, "Dir1", "");
    h.setText(kLocal, "Dir2", "012345:");
    h.setText(kLocal, "Dir3", "012345");
    h.setText(kLocal, "Dir4", "012345:C:\\Kept");
    h.setText(kLocal, "Dir5", "012345: ");
    Form1& form = kazaaForm();
    form.ImportSettings(form.str_currentprofilename);
    EXPECT_EQ(form.list_Folders.items(), (std::vector<std::string>{"C:\\Kept", " "}));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(ImportSettingsTest, MissingValuesLeaveFieldsEmptyWithoutMessages) {
    h.setText(kLocal, "Other", "x");
    h.setText(kUser, "Other", "x");
    h.setText(kTransfer, "Other", "x");
    h.setText(kAdvanced, "Other", "x");
    Form1& form = kazaaForm();
    form.ImportSettings(form.str_currentprofilename);
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(form.str_currentprofilename, "");
    EXPECT_EQ(form.list_Profiles.items(), std::vector<std::string>{""});
    EXPECT_EQ(form.txt_profilename.text(), "");
    EXPECT_EQ(form.lab_currentprofile.caption(), "");
    EXPECT_EQ(form.txt_Downloadfolder.text(), "");
    EXPECT_EQ(form.list_Folders.count(), 0);
    EXPECT_EQ(form.txt_Downloads.text(), "");
    EXPECT_EQ(form.txt_Uploads.text(), "");
    EXPECT_EQ(form.txt_Searchresults.text(), "");
}

TEST_F(ImportSettingsTest, ClientWithoutKeysGivesSixMessagesInOrder) {
    Form1& form = kazaaForm();
    form.ImportSettings(form.str_currentprofilename);
    EXPECT_EQ(h.messageLog(), (std::vector<std::string>{
                                  "Error|Could not open the key: \\" + kLocal,
                                  "Error|Could not open the key: \\" + kUser,
                                  "Error|Could not open the key: \\" + kLocal,
                                  "Error|Could not open the key: \\" + kTransfer,
                                  "Error|Could not open the key: \\" + kTransfer,
                                  "Error|Could not open the key: \\" + kAdvanced,
                              }));
    EXPECT_EQ(form.txt_Downloads.text(), "");
    // The import ran to its end: the filter settings got their defaults.
    EXPECT_EQ(form.txt_filterext[3].text(), "doc;pdf;");
}

TEST_F(ImportSettingsTest, NumbersAndTextAtTheirLimits) {
    h.installKazaa();
    h.setNumber(kTransfer, "ConcurrentDownloads", -1);
    h.setText(kLocal, "DownloadDir", std::string(255, 'x')); // too long to read
    h.setText(kLocal, "Dir1", "012345:" + std::string(248, 'y'));
    Form1& form = kazaaForm();
    form.ImportSettings(form.str_currentprofilename);
    EXPECT_EQ(form.txt_Downloads.text(), "-1");
    EXPECT_EQ(form.txt_Downloadfolder.text(), "");
    // The over-long folder reads as missing and ends the list there.
    EXPECT_EQ(form.list_Folders.items(), std::vector<std::string>{"C:\\Music"});
}

TEST_F(ImportSettingsTest, FolderCounterStopsAtItsBoundWhateverTheRegistryHolds) {
    h.installKazaa();
    ScriptedRegistry scripted(h.registry);
    Services services{scripted, *h.files, h.shell, h.dialogs, h.clock, h.windows};
    Form1 form(services);
    form.SetTarget(kTargetApplications[1]);
    scripted.everyValueExists = true;
    form.ImportSettings(form.str_currentprofilename);

    ASSERT_EQ(form.list_Folders.count(), 32768);
    EXPECT_EQ(form.list_Folders.item(32767), "C:\\Shared");
    std::vector<std::string> dirs;
    for (const std::string& name : scripted.queried)
        if (name.rfind("Dir", 0) == 0)
            dirs.push_back(name);
    EXPECT_EQ(dirs.front(), "Dir0");
    EXPECT_EQ(dirs.back(), "Dir32767");
    EXPECT_EQ(std::count(dirs.begin(), dirs.end(), "Dir32768"), 0);
    // The reads after the folders still happened.
    EXPECT_EQ(scripted.queried.back(), "MaxSearchResult");
}

// ---- The user name as the profile's name

const char* const kAliceProfile = "C:\\FastTrackProfiles\\alice.profile";

// A stored profile of that name with filter settings of its own.
std::string storedAlice() {
    return "D:\\Old\r\n5\r\n5\r\n50\r\nD:\\OldShare\r\nEOF!\r\n"
           "ogg;\r\nD:\\Audio\r\navi;\r\nD:\\Video\r\npng;\r\nD:\\Pics\r\ntxt;\r\nD:\\Docs\r\n"
           "msi;\r\nD:\\Apps\r\n";
}

TEST_F(ImportSettingsTest, LowerCaseUserNameTakesTheStoredFilterSettings) {
    h.installKazaa("alice");
    h.writeFile(kAliceProfile, storedAlice());
    Form1& form = kazaaForm();
    form.ImportSettings(form.str_currentprofilename);
    EXPECT_EQ(form.txt_filterext[0].text(), "ogg;");
    EXPECT_EQ(form.txt_filterfolder[4].text(), "D:\\Apps");
    // Only the filter section comes from the file.
    EXPECT_EQ(form.txt_Downloadfolder.text(), "C:\\Downloads");
    EXPECT_EQ(form.list_Folders.items(), std::vector<std::string>{"C:\\Music"});
}

TEST_F(ImportSettingsTest, CapitalLettersInTheUserNameKeepTheStoredProfile) {
    h.installKazaa("Alice");
    h.writeFile(kAliceProfile, storedAlice());
    h.writeFile("C:\\FastTrackProfiles\\kazaa.id", "");
    Form1& form = h.form();
    ASSERT_TRUE(form.Form_Load()); // import, save and listing, as at every start

    EXPECT_EQ(form.str_currentprofilename, "alice");
    EXPECT_EQ(form.list_Profiles.items(), std::vector<std::string>{"alice"});
    EXPECT_EQ(form.txt_profilename.text(), "alice");
    EXPECT_EQ(form.lab_currentprofile.caption(), "alice");
    for (int i = 0; i < 5; ++i)
        EXPECT_NE(form.txt_filterfolder[i].text(), "C:\\Downloads") << i;
    EXPECT_EQ(form.txt_filterext[2].text(), "png;");
    // The file now holds the client's values with the stored filter settings.
    EXPECT_EQ(h.readFile(kAliceProfile),
              "C:\\Downloads\r\n3\r\n2\r\n100\r\nC:\\Music\r\nEOF!\r\n"
              "ogg;\r\nD:\\Audio\r\navi;\r\nD:\\Video\r\npng;\r\nD:\\Pics\r\ntxt;\r\nD:\\Docs\r\n"
              "msi;\r\nD:\\Apps\r\n");
    EXPECT_EQ(h.files->listFiles("C:\\FastTrackProfiles\\*.profile"),
              std::vector<std::string>{"alice.profile"});
    EXPECT_TRUE(h.dialogs.messages.empty());
}

} // namespace
} // namespace morvane::test
