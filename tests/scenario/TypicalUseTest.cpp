// The typical use, from start to registration, on whichever platform the build tests: the
// emulated registry and C: drive natively, the real ones of the Wine prefix under Wine. The
// view is headless; the test acts as the user on the controls.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/Form1.h"
#include "contract/PlatformUnderTest.h"

namespace morvane::test {
namespace {

const std::string kLocal = "Software\\Kazaa\\LocalContent";
const std::string kUser = "Software\\Kazaa\\UserDetails";
const std::string kTransfer = "Software\\Kazaa\\Transfer";
const std::string kAdvanced = "Software\\Kazaa\\Advanced";
const std::string kProfiles = "C:\\FastTrackProfiles";

// The bytes of a text file whose lines are given joined by '|'.
std::string crlf(std::string lines) {
    for (std::size_t at = 0; (at = lines.find('|', at)) != std::string::npos;)
        lines.replace(at, 1, "\r\n");
    return lines + "\r\n";
}

class TypicalUseTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.clearKey("Software\\Kazaa");
        platform.clearFolder(kProfiles);
        platform.writeFile(kProfiles + "\\kazaa.id", "");
    }

    PlatformUnderTest platform;
    Services services = platform.services();
    HeadlessView& view = platform.view;
};

TEST_F(TypicalUseTest, StartSwitchEditAndRegister) {
    const std::string incoming = "D:\\Incoming", work = "D:\\Work downloads";
    const std::string alice = kProfiles + "\\alice.profile";
    // The client's settings: shared folders with a gap after the third, and a user name with
    // capitals, whose lower-cased profile is stored with filter settings of its own.
    platform.put(kLocal, "DownloadDir", sz(incoming));
    platform.put(kLocal, "Dir0", sz("012345:C:\\Music"));
    platform.put(kLocal, "Dir1", sz("012345:C:\\Shared Films"));
    platform.put(kLocal, "Dir2", sz("abcdefgC:\\Old Stuff"));
    platform.put(kLocal, "Dir4", sz("012345:C:\\Beyond the gap"));
    platform.put(kUser, "UserName", sz("Alice"));
    platform.put(kTransfer, "ConcurrentDownloads", dword(3), kRegDword);
    platform.put(kTransfer, "ConcurrentUploads", dword(2), kRegDword);
    platform.put(kAdvanced, "MaxSearchResult", dword(100), kRegDword);
    const std::string filters = "|D:\\Video|png;|D:\\Pictures|odt;|D:\\Docs|msi;|D:\\Apps";
    platform.writeFile(alice, crlf("D:\\Old|9|9|999|EOF!|ogg;|D:\\Audio|mkv;" + filters));
    const auto workFile = [&](const std::string& downloads) {
        return crlf(work + "|" + downloads + "|4|200|D:\\Work share|EOF!|ogg;flac;|E:\\Audio|" +
                    "mkv;|E:\\Video|png;|E:\\Pictures|odt;|E:\\Documents|msi;|E:\\Software");
    };
    platform.writeFile(kProfiles + "\\work.profile", workFile("5"));
    platform.writeFile(kProfiles + "\\home.profile", crlf("C:\\Home|2|2|50|EOF!"));

    // 1. Start-up finds Kazaa and imports its settings as the profile "alice", stored with
    //    the filter settings that were stored under that name.
    Form1 form(services);
    ASSERT_TRUE(form.Form_Load());
    EXPECT_EQ(form.lab_currentprofile.caption(), "alice");
    std::vector<std::string> listed = form.list_Profiles.items();
    // The current profile first, the rest in the file system's order.
    std::sort(listed.begin() + std::min<std::size_t>(1, listed.size()), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"alice", "home", "work"}));
    const std::string aliceStart =
        incoming + "|3|2|100|C:\\Music|C:\\Shared Films|C:\\Old Stuff|EOF!|ogg;|D:\\Audio|";
    EXPECT_EQ(platform.readFile(alice), crlf(aliceStart + "mkv;" + filters));
    EXPECT_TRUE(view.dialogs.messages.empty()) << view.dialogs.messages[0].text;

    // 2. A left press on "work": "alice" is stored as the controls hold it, "work" loaded.
    form.txt_filterext[1].setText("mpg;avi;");
    const std::vector<std::string>& rows = form.list_Profiles.items();
    form.list_Profiles.press(ui::kLeftButton, int(std::ranges::find(rows, "work") - rows.begin()));
    EXPECT_EQ(platform.readFile(alice), crlf(aliceStart + "mpg;avi;" + filters));
    EXPECT_EQ(form.str_currentprofilename, "work");
    EXPECT_EQ(form.lab_currentprofile.caption(), "alice"); // still the registered one

    // 3. "Maximum Downloads" emptied and left: it becomes 1, and the file (the loaded values
    //    all written back) says so.
    while (!form.txt_Downloads.text().empty())
        form.txt_Downloads.type('\b');
    form.txt_Downloads.userLeft();
    EXPECT_EQ(form.txt_Downloads.text(), "1");
    EXPECT_EQ(platform.readFile(kProfiles + "\\work.profile"), workFile("1"));

    // 4. REGISTER PROFILE: the old shared folders up to the gap go, the profile's values are
    //    the client's now.
    form.Label2[4].click();
    EXPECT_EQ(platform.stored(kLocal, "DownloadDir"), sz(work));
    EXPECT_EQ(platform.stored(kLocal, "Dir0"), sz("012345:D:\\Work share"));
    for (const char* gone : {"Dir1", "Dir2", "Dir3"})
        EXPECT_EQ(platform.stored(kLocal, gone), "<missing>") << gone;
    EXPECT_EQ(platform.stored(kLocal, "Dir4"), sz("012345:C:\\Beyond the gap"));
    EXPECT_EQ(platform.stored(kUser, "UserName"), sz("work"));
    EXPECT_EQ(platform.stored(kTransfer, "DlDir0"), sz(work));
    EXPECT_EQ(platform.stored(kTransfer, "ConcurrentDownloads"), dword(1));
    EXPECT_EQ(platform.stored(kTransfer, "ConcurrentUploads"), dword(4));
    EXPECT_EQ(platform.stored(kAdvanced, "MaxSearchResult"), dword(200));
    EXPECT_EQ(form.lab_currentprofile.caption(), "work");
    EXPECT_TRUE(view.dialogs.messages.empty()) << view.dialogs.messages[0].text;
}

// The client's folders named in other scripts, and profiles an earlier version wrote in
// Windows-1252: imported, loaded, stored and registered, every name unchanged.
TEST_F(TypicalUseTest, NamesInEveryScriptAndOldWesternProfilesKeepTheirCharacters) {
    const std::string olga = kProfiles + "\\olga.profile", home = kProfiles + "\\home.profile";
    platform.put(kLocal, "DownloadDir", sz("C:\\Загрузки"));
    platform.put(kLocal, "Dir0", sz("012345:C:\\日本語\\Ωmega"));
    platform.put(kUser, "UserName", sz("Olga"));
    platform.put(kTransfer, "ConcurrentDownloads", dword(3), kRegDword);
    platform.put(kTransfer, "ConcurrentUploads", dword(2), kRegDword);
    platform.put(kAdvanced, "MaxSearchResult", dword(9), kRegDword);
    const std::string filters = "|avi;|C:\\Vid\xe9o|png;|C:\\Images|odt;|C:\\Docs|msi;|C:\\Apps";
    platform.writeFile(olga, crlf("C:\\Old|1|1|50|EOF!|mp3;|C:\\Musique \xe9t\xe9" + filters));
    platform.writeFile(home, crlf("C:\\T\xe9l\xe9"
                                  "chargements|2|2|50|D:\\\xc9t\xe9|EOF!"));

    Form1 form(services);
    ASSERT_TRUE(form.Form_Load());
    const std::string olgaFile =
        crlf("C:\\Загрузки|3|2|9|C:\\日本語\\Ωmega|EOF!|mp3;|C:\\Musique été|avi;|C:\\Vidéo|" +
             std::string("png;|C:\\Images|odt;|C:\\Docs|msi;|C:\\Apps"));
    EXPECT_EQ(platform.readFile(olga), olgaFile) << "the filter settings read, all stored in UTF-8";

    // The old file loads with its paths; stored again on leaving, it loads the same again.
    const auto pressOn = [&](const std::string& name) {
        const std::vector<std::string>& rows = form.list_Profiles.items();
        form.list_Profiles.press(ui::kLeftButton,
                                 int(std::ranges::find(rows, name) - rows.begin()));
    };
    for (int pass = 0; pass < 2; ++pass) {
        pressOn("home");
        EXPECT_EQ(form.txt_Downloadfolder.text(), "C:\\Téléchargements") << pass;
        EXPECT_EQ(form.list_Folders.items(), std::vector<std::string>{"D:\\Été"}) << pass;
        pressOn("olga");
    }
    EXPECT_EQ(platform.readFile(olga), olgaFile);

    form.Label2[4].click(); // REGISTER PROFILE
    EXPECT_EQ(platform.stored(kLocal, "DownloadDir"), sz("C:\\Загрузки"));
    EXPECT_EQ(platform.stored(kLocal, "Dir0"), sz("012345:C:\\日本語\\Ωmega"));
    EXPECT_EQ(platform.stored(kTransfer, "DlDir0"), sz("C:\\Загрузки"));
    pressOn("home");
    form.Label2[4].click();
    EXPECT_EQ(platform.stored(kLocal, "DownloadDir"), sz("C:\\Téléchargements"));
    EXPECT_EQ(platform.stored(kLocal, "Dir0"), sz("012345:D:\\Été"));
    EXPECT_TRUE(view.dialogs.messages.empty()) << view.dialogs.messages[0].text;
}

TEST_F(TypicalUseTest, ClientWithoutItsKeysShowsSixMessagesAndStoresNothing) {
    Form1 form(services);
    ASSERT_TRUE(form.Form_Load());
    std::vector<std::string> shown;
    for (const ShownMessage& m : view.dialogs.messages)
        shown.push_back(
            m.caption + "|" + m.text +
            (m.buttons == MessageButtons::Ok && m.icon == MessageIcon::None ? "" : "?"));
    const std::string open = "Error|Could not open the key: \\";
    EXPECT_EQ(shown,
              (std::vector<std::string>{open + kLocal, open + kUser, open + kLocal,
                                        open + kTransfer, open + kTransfer, open + kAdvanced}));
    EXPECT_EQ(form.list_Profiles.items(), std::vector<std::string>{""});
    // No profile without a name, and reading created none of the client's keys.
    EXPECT_EQ(platform.files().listFiles(kProfiles + "\\*"), std::vector<std::string>{"kazaa.id"});
    RegKey handle = 0;
    EXPECT_NE(platform.registry().openKey(kHkeyCurrentUser, "Software\\Kazaa", handle),
              kErrorSuccess);
}

} // namespace
} // namespace morvane::test
