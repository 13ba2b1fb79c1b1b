// The typical use, from start to registration, on whichever platform the build tests: the
// emulated registry and C: drive natively, the real ones of the Wine prefix under Wine. The
// view is headless; the test acts as the user on the controls.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/Form1.h"
#include "contract/PlatformUnderTest.h"
#include "platform/emulated/Headless.h"

namespace morvane::test {
namespace {

const std::string kLocal = "Software\\Kazaa\\LocalContent";
const std::string kUser = "Software\\Kazaa\\UserDetails";
const std::string kTransfer = "Software\\Kazaa\\Transfer";
const std::string kAdvanced = "Software\\Kazaa\\Advanced";
const std::string kProfiles = "C:\\FastTrackProfiles";

// The bytes of a text file whose lines are given joined by '|'.
std::string crlf(const std::string& lines) {
    std::string bytes;
    for (char c : lines + '|')
        bytes += c == '|' ? std::string("\r\n") : std::string(1, c);
    return bytes;
}

// Stored bytes tell the type apart: a text carries its NUL, a number is four bytes.
std::string sz(const std::string& text) {
    return text + '\0';
}
std::string dword(unsigned char number) {
    return std::string(1, char(number)) + std::string(3, 0);
}

class TypicalUseTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform.clearKey("Software\\Kazaa");
        platform.clearFolder(kProfiles);
        platform.writeFile(kProfiles + "\\kazaa.id", "");
    }

    void put(const std::string& key, const std::string& name, const std::string& bytes,
             std::uint32_t type = kRegSz) {
        RegKey handle = 0;
        ASSERT_EQ(platform.registry().createKey(kHkeyCurrentUser, key, handle), kErrorSuccess);
        EXPECT_EQ(platform.registry().setValue(handle, name, type,
                                               reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                               static_cast<std::uint32_t>(bytes.size())),
                  kErrorSuccess);
        platform.registry().closeKey(handle);
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
        return rc == kErrorSuccess ? data.substr(0, size) : "<missing>";
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

    PlatformUnderTest platform;
    HeadlessDialogs dialogs;
    HeadlessClock clock;
    HeadlessWindowManager windows;
    RecordingShell shell;
    Services services{platform.registry(), platform.files(), shell, dialogs, clock, windows};
};

TEST_F(TypicalUseTest, StartSwitchEditAndRegister) {
    const std::string incoming = platform.scratchFolder() + "\\Incoming";
    const std::string work = platform.scratchFolder() + "\\Work downloads";
    // The client's settings: shared folders with a gap after the third, and a user name with
    // capitals, whose lower-cased profile is stored with filter settings of its own.
    put(kLocal, "DownloadDir", sz(incoming));
    put(kLocal, "Dir0", sz("012345:C:\\Music"));
    put(kLocal, "Dir1", sz("012345:C:\\Shared Films"));
    put(kLocal, "Dir2", sz("abcdefgC:\\Old Stuff"));
    put(kLocal, "Dir4", sz("012345:C:\\Beyond the gap"));
    put(kUser, "UserName", sz("Alice"));
    put(kTransfer, "ConcurrentDownloads", dword(3), kRegDword);
    put(kTransfer, "ConcurrentUploads", dword(2), kRegDword);
    put(kAdvanced, "MaxSearchResult", dword(100), kRegDword);
    const std::string filters = "|D:\\Video|png;|D:\\Pictures|odt;|D:\\Docs|msi;|D:\\Apps";
    platform.writeFile(kProfiles + "\\alice.profile",
                       crlf("D:\\Old|9|9|999|EOF!|ogg;|D:\\Audio|mkv;" + filters));
    const auto workFile = [&](const std::string& downloads) {
        return crlf(work + "|" + downloads + "|4|200|D:\\Work share|EOF!|ogg;flac;|" + work +
                    "\\Audio|mkv;|" + work + "\\Video|png;|" + work + "\\Pictures|odt;|" + work +
                    "\\Documents|msi;|" + work + "\\Software");
    };
    platform.writeFile(kProfiles + "\\work.profile", workFile("5"));
    platform.writeFile(kProfiles + "\\home.profile", crlf("C:\\Home|2|2|50|EOF!"));

    // 1. Start-up finds Kazaa and imports its settings as the profile "alice", stored with
    //    the filter settings that were stored under that name.
    Form1 form(services);
    ASSERT_TRUE(form.Form_Load());
    EXPECT_EQ(form.lab_application.caption(), "Kazaa");
    EXPECT_EQ(form.str_currentprofilename, "alice");
    EXPECT_EQ(form.lab_currentprofile.caption(), "alice");
    std::vector<std::string> listed = form.list_Profiles.items();
    // The current profile first, the rest in the file system's order.
    std::sort(listed.begin() + std::min<std::size_t>(1, listed.size()), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"alice", "home", "work"}));
    const std::string aliceStart =
        incoming + "|3|2|100|C:\\Music|C:\\Shared Films|C:\\Old Stuff|EOF!|ogg;|D:\\Audio|";
    EXPECT_EQ(file("alice.profile"), crlf(aliceStart + "mkv;" + filters));
    EXPECT_EQ(messageLog(), std::vector<std::string>{});

    // 2. A left press on "work": "alice" is stored as the controls hold it, "work" loaded.
    form.txt_filterext[1].setText("mpg;avi;");
    const std::vector<std::string>& rows = form.list_Profiles.items();
    form.list_Profiles.press(
        ui::kLeftButton,
        static_cast<int>(std::find(rows.begin(), rows.end(), "work") - rows.begin()));
    EXPECT_EQ(file("alice.profile"), crlf(aliceStart + "mpg;avi;" + filters));
    EXPECT_EQ(form.str_currentprofilename, "work");
    EXPECT_EQ(form.lab_currentprofile.caption(), "alice"); // still the registered one

    // 3. "Maximum Downloads" emptied and left: it becomes 1, and the file (the loaded values
    //    all written back) says so.
    ASSERT_EQ(form.Label4.caption(), "Maximum Downloads");
    while (!form.txt_Downloads.text().empty())
        form.txt_Downloads.type('\b');
    form.txt_Downloads.userLeft();
    EXPECT_EQ(form.txt_Downloads.text(), "1");
    EXPECT_EQ(file("work.profile"), workFile("1"));

    // 4. REGISTER PROFILE: the old shared folders up to the gap go, the profile's values are
    //    the client's now.
    ASSERT_EQ(form.Label2[4].caption(), "REGISTER PROFILE");
    form.Label2[4].click();
    EXPECT_EQ(stored(kLocal, "DownloadDir"), sz(work));
    EXPECT_EQ(stored(kLocal, "Dir0"), sz("012345:D:\\Work share"));
    for (const char* gone : {"Dir1", "Dir2", "Dir3"})
        EXPECT_EQ(stored(kLocal, gone), "<missing>") << gone;
    EXPECT_EQ(stored(kLocal, "Dir4"), sz("012345:C:\\Beyond the gap"));
    EXPECT_EQ(stored(kUser, "UserName"), sz("work"));
    EXPECT_EQ(stored(kTransfer, "DlDir0"), sz(work));
    EXPECT_EQ(stored(kTransfer, "ConcurrentDownloads"), dword(1));
    EXPECT_EQ(stored(kTransfer, "ConcurrentUploads"), dword(4));
    EXPECT_EQ(stored(kAdvanced, "MaxSearchResult"), dword(200));
    EXPECT_EQ(form.lab_currentprofile.caption(), "work");
    EXPECT_EQ(messageLog(), std::vector<std::string>{});

    // The next start finds the registered profile as the client's own.
    Form1 next(services);
    ASSERT_TRUE(next.Form_Load());
    EXPECT_EQ(next.str_currentprofilename, "work");
    EXPECT_EQ(next.list_Folders.items(), std::vector<std::string>{"D:\\Work share"});
}

TEST_F(TypicalUseTest, ClientWithoutItsKeysShowsSixMessagesAndStoresNothing) {
    Form1 form(services);
    ASSERT_TRUE(form.Form_Load());
    const std::string open = "Error|Could not open the key: \\";
    EXPECT_EQ(messageLog(),
              (std::vector<std::string>{open + kLocal, open + kUser, open + kLocal,
                                        open + kTransfer, open + kTransfer, open + kAdvanced}));
    for (const ShownMessage& m : dialogs.messages)
        EXPECT_TRUE(m.buttons == MessageButtons::Ok && m.icon == MessageIcon::None) << m.text;
    EXPECT_EQ(form.list_Profiles.items(), std::vector<std::string>{""});
    // No profile without a name, and reading created none of the client's keys.
    EXPECT_EQ(platform.files().listFiles(kProfiles + "\\*"), std::vector<std::string>{"kazaa.id"});
    RegKey handle = 0;
    EXPECT_NE(platform.registry().openKey(kHkeyCurrentUser, "Software\\Kazaa", handle),
              kErrorSuccess);
}

} // namespace
} // namespace morvane::test
