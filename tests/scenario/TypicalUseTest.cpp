// The typical use, from start to registration, on whichever platform the build tests: the
// emulated registry and C: drive natively, the real ones of the Wine prefix under Wine. The
// view is headless; the test acts as the user on the controls.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/MainWindow.h"
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

// The client's folders are named in other scripts, and two profiles were written by an earlier
// version in Windows-1252: every name is imported, loaded, stored and registered unchanged.
TEST_F(TypicalUseTest, StartSwitchEditAndRegister) {
    const std::string olga = kProfiles + "\\olga.profile", home = kProfiles + "\\home.profile";
    // The client's settings: shared folders with a gap after the third (one without a path),
    // and a user name with capitals, whose lower-cased profile is stored with filter settings.
    platform.put(kLocal, "DownloadDir", sz("C:\\Загрузки"));
    platform.put(kLocal, "Dir0", sz("012345:C:\\日本語\\Ωmega"));
    platform.put(kLocal, "Dir1", sz("012345:C:\\Shared Films"));
    platform.put(kLocal, "Dir2", sz("abcdefgC:\\Old Stuff"));
    platform.put(kLocal, "Dir4", sz("012345:C:\\Beyond the gap"));
    platform.put(kUser, "UserName", sz("Olga"));
    platform.put(kTransfer, "ConcurrentDownloads", dword(3), kRegDword);
    platform.put(kTransfer, "ConcurrentUploads", dword(2), kRegDword);
    platform.put(kAdvanced, "MaxSearchResult", dword(100), kRegDword);
    const std::string filters = "|C:\\Vid\xe9o|png;|C:\\Images|odt;|C:\\Docs|msi;|C:\\Apps";
    platform.writeFile(olga, crlf("C:\\Old|1|1|50|EOF!|mp3;|C:\\Musique \xe9t\xe9|avi;" + filters));
    platform.writeFile(home, crlf("C:\\T\xe9l\xe9"
                                  "chargements|2|4|200|D:\\\xc9t\xe9|EOF!"));
    platform.writeFile(kProfiles + "\\work.profile", crlf("C:\\Work|2|2|50|EOF!"));

    // 1. Start-up finds Kazaa and imports its settings as the profile "olga", stored in UTF-8
    //    with the filter settings that were stored under that name.
    MainWindow form(services);
    ASSERT_TRUE(form.Form_Load());
    EXPECT_EQ(form.registeredProfileName.caption(), "olga");
    std::vector<std::string> listed = form.profileList.items();
    // The current profile first, the rest in the file system's order.
    std::sort(listed.begin() + std::min<std::size_t>(1, listed.size()), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"olga", "home", "work"}));
    const std::string olgaStart = "C:\\Загрузки|3|2|100|C:\\日本語\\Ωmega|C:\\Shared Films|C:\\Old "
                                  "Stuff|EOF!|mp3;|C:\\Musique été|";
    const std::string filtersUtf8 = "|C:\\Vidéo|png;|C:\\Images|odt;|C:\\Docs|msi;|C:\\Apps";
    EXPECT_EQ(platform.readFile(olga), crlf(olgaStart + "avi;" + filtersUtf8));

    // 2. Left presses: "olga" is stored as the controls hold it, the old file loads with its
    //    paths; stored again on leaving, it loads the same again.
    const auto pressOn = [&](const std::string& name) {
        const std::vector<std::string>& rows = form.profileList.items();
        Press(form.profileList, ui::kLeftButton, int(std::ranges::find(rows, name) - rows.begin()));
    };
    form.filterRows[1].extensions.setText("mpg;avi;");
    for (int pass = 0; pass < 2; ++pass) {
        pressOn("home");
        EXPECT_EQ(form.downloadFolderBox.text(), "C:\\Téléchargements") << pass;
        EXPECT_EQ(form.sharedFolderList.items(), std::vector<std::string>{"D:\\Été"}) << pass;
        pressOn(pass == 0 ? "olga" : "home");
    }
    EXPECT_EQ(platform.readFile(olga), crlf(olgaStart + "mpg;avi;" + filtersUtf8));
    EXPECT_EQ(form.profiles.currentName(), "home");
    EXPECT_EQ(form.registeredProfileName.caption(), "olga"); // still the registered one

    // 3. "Maximum Downloads" emptied and left: it becomes 1, and the file says so.
    while (!form.downloadsBox.text().empty())
        Type(form.downloadsBox, "\b");
    form.downloadsBox.userLeft();
    EXPECT_EQ(form.downloadsBox.text(), "1");
    EXPECT_TRUE(platform.readFile(home).value_or("").starts_with(
        "C:\\Téléchargements\r\n1\r\n4\r\n200\r\nD:\\Été\r\nEOF!\r\n"));

    // 4. REGISTER PROFILE: the old shared folders up to the gap go, the profile's values are
    //    the client's now.
    form.commandBar[RegisterProfileItem].click();
    EXPECT_EQ(platform.stored(kLocal, "DownloadDir"), sz("C:\\Téléchargements"));
    EXPECT_EQ(platform.stored(kLocal, "Dir0"), sz("012345:D:\\Été"));
    for (const char* gone : {"Dir1", "Dir2", "Dir3"})
        EXPECT_EQ(platform.stored(kLocal, gone), "<missing>") << gone;
    EXPECT_EQ(platform.stored(kLocal, "Dir4"), sz("012345:C:\\Beyond the gap"));
    EXPECT_EQ(platform.stored(kUser, "UserName"), sz("home"));
    EXPECT_EQ(platform.stored(kTransfer, "DlDir0"), sz("C:\\Téléchargements"));
    EXPECT_EQ(platform.stored(kTransfer, "ConcurrentDownloads"), dword(1));
    EXPECT_EQ(platform.stored(kTransfer, "ConcurrentUploads"), dword(4));
    EXPECT_EQ(platform.stored(kAdvanced, "MaxSearchResult"), dword(200));
    EXPECT_EQ(form.registeredProfileName.caption(), "home");
    pressOn("olga");
    form.commandBar[RegisterProfileItem].click();
    EXPECT_EQ(platform.stored(kLocal, "DownloadDir"), sz("C:\\Загрузки"));
    EXPECT_EQ(platform.stored(kLocal, "Dir0"), sz("012345:C:\\日本語\\Ωmega"));
    EXPECT_TRUE(view.dialogs.messages.empty()) << view.dialogs.messages[0].text;
}

TEST_F(TypicalUseTest, ClientWithoutItsKeysShowsSixMessagesAndStoresNothing) {
    MainWindow form(services);
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
    EXPECT_EQ(form.profileList.items(), std::vector<std::string>{""});
    // No profile without a name, and reading created none of the client's keys.
    EXPECT_EQ(platform.files().listFiles(kProfiles + "\\*"), std::vector<std::string>{"kazaa.id"});
    RegKey handle = 0;
    EXPECT_NE(platform.registry().openKey(kHkeyCurrentUser, "Software\\Kazaa", handle),
              kErrorSuccess);
}

} // namespace
} // namespace morvane::test
