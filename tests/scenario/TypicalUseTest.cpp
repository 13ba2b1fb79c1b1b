// The typical use, from start to registration, on whichever platform the build tests: the
// emulated registry and C: drive natively, the real ones of the Wine prefix under Wine. The
// view is headless; the test acts as the user on the controls.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/Form1.h"
#include "contract/PlatformUnderTest.h"
#include "contract/StoredValueType.h"
#include "platform/emulated/Headless.h"

namespace morvane::test {
namespace {

const std::string kLocal = "Software\\Kazaa\\LocalContent";
const std::string kUser = "Software\\Kazaa\\UserDetails";
const std::string kTransfer = "Software\\Kazaa\\Transfer";
const std::string kAdvanced = "Software\\Kazaa\\Advanced";
const std::string kProfiles = "C:\\FastTrackProfiles";

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

std::string dword(std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    return {static_cast<char>(bits & 0xff), static_cast<char>((bits >> 8) & 0xff),
            static_cast<char>((bits >> 16) & 0xff), static_cast<char>((bits >> 24) & 0xff)};
}

class TypicalUseTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* client : {"Software\\Kazaa", "Software\\Grokster", "Software\\Fileshare"})
            platform.clearKey(client);
        platform.clearFolder(kProfiles);
        incoming = platform.scratchFolder() + "\\Incoming";
        work = platform.scratchFolder() + "\\Work downloads";
        ASSERT_TRUE(platform.files().makeDirectory(incoming));
        ASSERT_TRUE(platform.files().makeDirectory(work));
    }

    void put(const std::string& key, const std::string& name, std::uint32_t type,
             const std::string& bytes) {
        RegKey handle = 0;
        ASSERT_EQ(platform.registry().createKey(kHkeyCurrentUser, key, handle), kErrorSuccess);
        EXPECT_EQ(platform.registry().setValue(handle, name, type,
                                               reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                               static_cast<std::uint32_t>(bytes.size())),
                  kErrorSuccess);
        platform.registry().closeKey(handle);
    }
    void putText(const std::string& key, const std::string& name, const std::string& text) {
        put(key, name, kRegSz, text + '\0');
    }
    void putNumber(const std::string& key, const std::string& name, std::int32_t number) {
        put(key, name, kRegDword, dword(number));
    }

    // The stored bytes of a value; "<missing>" when there is none.
    std::string stored(const std::string& key, const std::string& name) {
        RegKey handle = 0;
        if (platform.registry().openKey(kHkeyCurrentUser, key, handle) != kErrorSuccess)
            return "<missing>";
        std::string data(4096, '\0');
        auto size = static_cast<std::uint32_t>(data.size());
        long rc = platform.registry().queryValue(
            handle, name, reinterpret_cast<std::uint8_t*>(data.data()), size);
        platform.registry().closeKey(handle);
        if (rc != kErrorSuccess)
            return "<missing>";
        data.resize(size);
        return data;
    }
    std::string text(const std::string& key, const std::string& name) {
        return stored(key, name) + (StoredValueType(platform, key, name) == kRegSz ? "" : "<type>");
    }
    std::string number(const std::string& key, const std::string& name) {
        return stored(key, name) +
               (StoredValueType(platform, key, name) == kRegDword ? "" : "<type>");
    }

    std::string file(const std::string& name) {
        return platform.readFile(kProfiles + "\\" + name).value_or("<missing>");
    }

    std::vector<std::string> messageLog() const {
        std::vector<std::string> log;
        for (const ShownMessage& m : dialogs.messages)
            log.push_back(m.caption + "|" + m.text);
        return log;
    }

    // The list after its first entry, in name order: the listing's own order is the file
    // system's.
    static std::vector<std::string> othersSorted(const ui::ListBox& list) {
        std::vector<std::string> rest(list.items().begin() + std::min(1, list.count()),
                                      list.items().end());
        std::sort(rest.begin(), rest.end());
        return rest;
    }

    PlatformUnderTest platform;
    HeadlessDialogs dialogs;
    HeadlessClock clock;
    HeadlessWindowManager windows;
    RecordingShell shell;
    Services services{platform.registry(), platform.files(), shell, dialogs, clock, windows};
    std::string incoming;
    std::string work;
};

TEST_F(TypicalUseTest, StartSwitchEditAndRegister) {
    // The client as it left its settings: three shared folders, then a gap, then a stray one.
    putText(kLocal, "DownloadDir", incoming);
    putText(kLocal, "Dir0", "012345:C:\\Music");
    putText(kLocal, "Dir1", "012345:C:\\Shared Films");
    putText(kLocal, "Dir2", "abcdefgC:\\Old Stuff");
    putText(kLocal, "Dir4", "012345:C:\\Beyond the gap");
    putText(kUser, "UserName", "alice");
    putText(kTransfer, "DlDir0", incoming);
    putNumber(kTransfer, "ConcurrentDownloads", 3);
    putNumber(kTransfer, "ConcurrentUploads", 2);
    putNumber(kAdvanced, "MaxSearchResult", 100);

    platform.writeFile(kProfiles + "\\kazaa.id", "");
    std::vector<std::string> workLines = {work,
                                          "5",
                                          "4",
                                          "200",
                                          "D:\\Work share",
                                          "EOF!",
                                          "ogg;flac;",
                                          work + "\\Audio",
                                          "mkv;",
                                          work + "\\Video",
                                          "png;",
                                          work + "\\Pictures",
                                          "odt;",
                                          work + "\\Documents",
                                          "msi;",
                                          work + "\\Software"};
    platform.writeFile(kProfiles + "\\work.profile", crlfLines(workLines));
    platform.writeFile(kProfiles + "\\home.profile",
                       crlfLines({"C:\\Home", "2", "2", "50", "EOF!"}));

    // 1. Start-up finds Kazaa, imports its settings as the profile "alice" and stores it.
    Form1 form(services);
    ASSERT_TRUE(form.Form_Load());
    EXPECT_EQ(form.lab_application.caption(), "Kazaa");
    EXPECT_EQ(form.str_currentprofilename, "alice");
    ASSERT_GE(form.list_Profiles.count(), 1);
    EXPECT_EQ(form.list_Profiles.item(0), "alice");
    EXPECT_EQ(othersSorted(form.list_Profiles), (std::vector<std::string>{"home", "work"}));
    EXPECT_EQ(form.lab_currentprofile.caption(), "alice");
    EXPECT_EQ(form.list_Folders.items(),
              (std::vector<std::string>{"C:\\Music", "C:\\Shared Films", "C:\\Old Stuff"}));
    std::vector<std::string> aliceLines = {incoming,
                                           "3",
                                           "2",
                                           "100",
                                           "C:\\Music",
                                           "C:\\Shared Films",
                                           "C:\\Old Stuff",
                                           "EOF!",
                                           "mp3;wav;mid;wma;",
                                           incoming,
                                           "mpg;avi;mov;mpeg;wmv;",
                                           incoming,
                                           "bmp;jpg;jpeg;gif;tif;",
                                           incoming,
                                           "doc;pdf;",
                                           incoming,
                                           "exe;zip;",
                                           incoming};
    ASSERT_EQ(aliceLines.size(), 15u + 3u);
    EXPECT_EQ(file("alice.profile"), crlfLines(aliceLines));
    EXPECT_TRUE(dialogs.messages.empty()) << messageLog().front();

    // 2. A left press on "work": "alice" is stored as the controls hold it, "work" loaded.
    form.txt_filterext[1].setText("mpg;avi;");
    aliceLines[10] = "mpg;avi;";
    const auto row =
        std::find(form.list_Profiles.items().begin(), form.list_Profiles.items().end(), "work") -
        form.list_Profiles.items().begin();
    form.list_Profiles.press(ui::kLeftButton, static_cast<int>(row));
    EXPECT_EQ(file("alice.profile"), crlfLines(aliceLines));
    EXPECT_EQ(form.str_currentprofilename, "work");
    EXPECT_EQ(form.txt_profilename.text(), "work");
    EXPECT_EQ(form.txt_Downloadfolder.text(), work);
    EXPECT_EQ(form.txt_Downloads.text(), "5");
    EXPECT_EQ(form.txt_Uploads.text(), "4");
    EXPECT_EQ(form.txt_Searchresults.text(), "200");
    EXPECT_EQ(form.list_Folders.items(), std::vector<std::string>{"D:\\Work share"});
    EXPECT_EQ(form.txt_filterext[0].text(), "ogg;flac;");
    EXPECT_EQ(form.txt_filterfolder[4].text(), work + "\\Software");
    EXPECT_TRUE(form.frm_Details.visible());
    EXPECT_EQ(form.lab_currentprofile.caption(), "alice"); // still the registered one
    EXPECT_EQ(file("work.profile"), crlfLines(workLines));

    // 3. "Maximum Downloads" emptied and left: it becomes 1, and the file says so.
    ASSERT_EQ(form.Label4.caption(), "Maximum Downloads");
    while (!form.txt_Downloads.text().empty())
        form.txt_Downloads.type('\b');
    form.txt_Downloads.userLeft();
    EXPECT_EQ(form.txt_Downloads.text(), "1");
    workLines[1] = "1";
    EXPECT_EQ(file("work.profile"), crlfLines(workLines));

    // 4. REGISTER PROFILE: the old shared folders up to the gap go, the profile's values are
    //    the client's now.
    ASSERT_EQ(form.Label2[4].caption(), "REGISTER PROFILE");
    form.Label2[4].click();
    EXPECT_EQ(text(kLocal, "DownloadDir"), work + '\0');
    EXPECT_EQ(text(kLocal, "Dir0"), std::string("012345:D:\\Work share") + '\0');
    EXPECT_EQ(stored(kLocal, "Dir1"), "<missing>");
    EXPECT_EQ(stored(kLocal, "Dir2"), "<missing>");
    EXPECT_EQ(stored(kLocal, "Dir3"), "<missing>");
    EXPECT_EQ(text(kLocal, "Dir4"), std::string("012345:C:\\Beyond the gap") + '\0');
    EXPECT_EQ(text(kUser, "UserName"), std::string("work") + '\0');
    EXPECT_EQ(text(kTransfer, "DlDir0"), work + '\0');
    EXPECT_EQ(number(kTransfer, "ConcurrentDownloads"), dword(1));
    EXPECT_EQ(number(kTransfer, "ConcurrentUploads"), dword(4));
    EXPECT_EQ(number(kAdvanced, "MaxSearchResult"), dword(200));
    EXPECT_EQ(form.lab_currentprofile.caption(), "work");
    EXPECT_EQ(file("work.profile"), crlfLines(workLines));
    EXPECT_TRUE(dialogs.messages.empty()) << messageLog().front();

    // The next start finds the registered profile as the client's own.
    dialogs.messages.clear();
    Form1 next(services);
    ASSERT_TRUE(next.Form_Load());
    EXPECT_EQ(next.str_currentprofilename, "work");
    EXPECT_EQ(next.txt_Downloads.text(), "1");
    EXPECT_EQ(next.list_Folders.items(), std::vector<std::string>{"D:\\Work share"});
    EXPECT_EQ(next.txt_filterext[0].text(), "ogg;flac;");
    EXPECT_EQ(othersSorted(next.list_Profiles), (std::vector<std::string>{"alice", "home"}));
    EXPECT_EQ(file("work.profile"), crlfLines(workLines));
}

TEST_F(TypicalUseTest, ClientWithoutItsKeysShowsSixMessagesAndStoresNothing) {
    platform.writeFile(kProfiles + "\\kazaa.id", "");
    Form1 form(services);
    ASSERT_TRUE(form.Form_Load());
    EXPECT_EQ(messageLog(), (std::vector<std::string>{
                                "Error|Could not open the key: \\" + kLocal,
                                "Error|Could not open the key: \\" + kUser,
                                "Error|Could not open the key: \\" + kLocal,
                                "Error|Could not open the key: \\" + kTransfer,
                                "Error|Could not open the key: \\" + kTransfer,
                                "Error|Could not open the key: \\" + kAdvanced,
                            }));
    for (const ShownMessage& m : dialogs.messages) {
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
        EXPECT_EQ(m.icon, MessageIcon::None);
    }
    EXPECT_EQ(form.str_currentprofilename, "");
    EXPECT_EQ(form.list_Profiles.items(), std::vector<std::string>{""});
    // No profile without a name, and reading created none of the client's keys.
    EXPECT_EQ(platform.files().listFiles(kProfiles + "\\*"), std::vector<std::string>{"kazaa.id"});
    RegKey handle = 0;
    EXPECT_NE(platform.registry().openKey(kHkeyCurrentUser, "Software\\Kazaa", handle),
              kErrorSuccess);
}

// File names ignore letter case on this platform too: the stored profile of the lower-cased
// user name keeps its filter settings through the import.
TEST_F(TypicalUseTest, UserNameWithCapitalsKeepsTheStoredProfile) {
    putText(kLocal, "DownloadDir", incoming);
    putText(kUser, "UserName", "Alice");
    putNumber(kTransfer, "ConcurrentDownloads", 3);
    putNumber(kTransfer, "ConcurrentUploads", 2);
    putNumber(kAdvanced, "MaxSearchResult", 100);
    platform.writeFile(kProfiles + "\\kazaa.id", "");
    platform.writeFile(
        kProfiles + "\\alice.profile",
        crlfLines({"D:\\Old", "9", "9", "999", "EOF!", "ogg;", "D:\\Audio", "mkv;", "D:\\Video",
                   "png;", "D:\\Pictures", "odt;", "D:\\Documents", "msi;", "D:\\Software"}));
    Form1 form(services);
    ASSERT_TRUE(form.Form_Load());
    EXPECT_EQ(form.str_currentprofilename, "alice");
    EXPECT_EQ(form.list_Profiles.items(), std::vector<std::string>{"alice"});
    EXPECT_EQ(form.lab_currentprofile.caption(), "alice");
    EXPECT_EQ(
        file("alice.profile"),
        crlfLines({incoming, "3", "2", "100", "EOF!", "ogg;", "D:\\Audio", "mkv;", "D:\\Video",
                   "png;", "D:\\Pictures", "odt;", "D:\\Documents", "msi;", "D:\\Software"}));
    EXPECT_TRUE(dialogs.messages.empty()) << messageLog().front();
}

} // namespace
} // namespace morvane::test
