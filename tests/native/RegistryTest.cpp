// The client's registry: GetKey, SetKey, DelKey and DelKeyValue, and the import and the
// registration of the program's state, on the emulated registry, where every key opened must
// be closed again.
// Missing keys and values, the import of a whole client and registering a whole profile are
// the typical-use scenario's.

#include <gtest/gtest.h>

#include <climits>

#include "core/ProfileManager.h"
#include "registry/CutAtNull.h"
#include "registry/RegistryHelpers.h"
#include "registry/TargetApplication.h"
#include "support/Harness.h"

namespace morvane::test {
namespace {

const std::string kLocal = "Software\\Kazaa\\LocalContent";
const std::string kTransfer = "Software\\Kazaa\\Transfer";
const std::string kAdvanced = "Software\\Kazaa\\Advanced";
const std::string kNul(1, '\0');
const std::string kMissing = "<missing>";
const std::string kNotANumber = " (not a whole number from -2147483648 to 2147483647)";
using Log = std::vector<std::string>;

class RegistryTest : public ::testing::Test {
protected:
    Harness h;
    ProfileManager core{h.registry, *h.files, h.dialogs};

    std::string get(const std::string& name, bool dword = false) {
        return GetKey(h.registry, h.dialogs, kHkeyCurrentUser, kLocal, dword, name);
    }
    void TearDown() override { EXPECT_EQ(h.registry.openHandles(), 0) << "a key was left open"; }
};

// A text comes back as the whole 255-byte buffer: the value, its NUL, then the buffer's spaces.
// A number field can hold anything a hand-edited profile file gave it: nothing is made up
// for the client, and the user hears about it.
TEST_F(RegistryTest, TextsComeBackAsTheWholeBufferAndOnlyWholeNumbersAreStored) {
    h.put(kLocal, "Long", sz(std::string(254, 'a')));
    h.put(kLocal, "TooLong", sz(std::string(255, 'b')));
    SetKey(h.registry, h.dialogs, kHkeyCurrentUser, kLocal, false, "Empty", "");
    EXPECT_EQ(h.stored(kLocal, "Empty"), kNul) << "stored as its NUL alone";
    EXPECT_EQ(get("Empty"), kNul + std::string(254, ' '));
    EXPECT_EQ(get("Long"), std::string(254, 'a') + kNul);
    EXPECT_EQ(get("TooLong"), "") << "with its NUL it does not fit";
    // In UTF-8 the buffer holds as many characters, whatever their bytes.
    std::string omegas;
    for (int i = 0; i < 254; ++i)
        omegas += "Ω";
    h.put(kLocal, "Script", sz("C:\\日本"));
    h.put(kLocal, "LongScript", sz(omegas));
    h.put(kLocal, "TooLongScript", sz(omegas + "Ω"));
    EXPECT_EQ(get("Script"), "C:\\日本" + kNul + std::string(249, ' '));
    EXPECT_EQ(get("LongScript"), omegas + kNul);
    EXPECT_EQ(get("TooLongScript"), "");
    const std::pair<const char*, std::int32_t> numbers[] = {
        {"007", 7}, {"-2147483648", INT_MIN}, {"2147483647", INT_MAX}, {"16909060", 0x01020304}};
    for (const auto& [text, number] : numbers) {
        SetKey(h.registry, h.dialogs, kHkeyCurrentUser, kLocal, true, "N", text);
        EXPECT_EQ(h.stored(kLocal, "N"), dword(number)) << text;
        EXPECT_EQ(get("N", true), std::to_string(number)) << text;
    }
    EXPECT_EQ(h.registry.typeOf(kLocal, "N"), kRegDword);
    EXPECT_TRUE(h.dialogs.messages.empty());
    for (const char* text :
         {"", "abc", "12a", "-", " 5", "1.5", "2147483648", "-2147483649", "99999999999999999999"})
        SetKey(h.registry, h.dialogs, kHkeyCurrentUser, kLocal, true, "N", text);
    EXPECT_EQ(h.stored(kLocal, "N"), dword(0x01020304));
    EXPECT_EQ(h.dialogs.messages.size(), 9u);
    EXPECT_EQ(h.messageLog().back(), "Error|Could not create the value: \\" + kLocal +
                                         "\\N with the data: 99999999999999999999" + kNotANumber);
}

// Keys that cannot be made, opened or deleted are reported; arguments over 255 characters
// touch nothing and say nothing.
TEST_F(RegistryTest, FailedKeysAreReportedAndOverlongArgumentsTouchNothing) {
    const std::string longKey = "Software\\" + std::string(247, 'k'); // 256 characters
    const std::string longText(256, 'n');
    EXPECT_EQ(GetKey(h.registry, h.dialogs, kHkeyCurrentUser, longKey, false, "DownloadDir"), "");
    EXPECT_EQ(get(longText), "");
    SetKey(h.registry, h.dialogs, kHkeyCurrentUser, longKey, false, "DownloadDir", "C:\\New");
    SetKey(h.registry, h.dialogs, kHkeyCurrentUser, kLocal, false, longText, "C:\\New");
    SetKey(h.registry, h.dialogs, kHkeyCurrentUser, kLocal, false, "DownloadDir", longText);
    DelKey(h.registry, h.dialogs, kHkeyCurrentUser, longKey);
    EXPECT_EQ(DelKeyValue(h.registry, h.dialogs, kHkeyCurrentUser, longKey, "DownloadDir"),
              KeyResult::Refused);
    EXPECT_EQ(DelKeyValue(h.registry, h.dialogs, kHkeyCurrentUser, kLocal, longText),
              KeyResult::Refused);
    EXPECT_EQ(h.registry.calls(), 0);
    EXPECT_TRUE(h.dialogs.messages.empty());

    h.put(kLocal, "v", sz("x"));
    DelKey(h.registry, h.dialogs, kHkeyCurrentUser, kLocal);
    EXPECT_TRUE(h.dialogs.messages.empty());
    DelKey(h.registry, h.dialogs, kHkeyCurrentUser, kLocal); // gone already
    EXPECT_EQ(DelKeyValue(h.registry, h.dialogs, kHkeyCurrentUser, kLocal, "v"), KeyResult::Failed);
    SetKey(h.registry, h.dialogs, 0x80000002u, kLocal, false, "v", "x"); // a root it cannot open
    EXPECT_EQ(h.messageLog(), (Log{"Error|Could not delete the Key: \\" + kLocal,
                                   "Error|Could not open the Key: \\" + kLocal,
                                   "Error|Could not create the Key: \\" + kLocal}));
    // Characters are counted, not bytes: 255 of them in another script are taken.
    std::string key = "Software\\", data;
    for (int i = 0; i < 246; ++i)
        key += "Ж";
    while (data.size() < 254 * 3)
        data += "語";
    SetKey(h.registry, h.dialogs, kHkeyCurrentUser, key, false, "DownloadDir", data);
    EXPECT_EQ(CutAtNull(GetKey(h.registry, h.dialogs, kHkeyCurrentUser, key, false, "DownloadDir")),
              data);
}

// A value is cut at its first NUL. Dropping the prefix from the raw buffer of a value too
// short to hold a path would list the buffer's filling spaces as a folder.
TEST_F(RegistryTest, ImportLeavesMissingValuesEmptyAndListsNothingForValuesWithoutAPath) {
    h.put(kLocal, "Dir0", sz("abc"));
    h.put(kLocal, "Dir1", sz("012345:"));
    h.put(kLocal, "Dir2", sz("012345:C:\\Kept" + kNul + "old"));
    for (const char* key : {"UserDetails", "Transfer", "Advanced"})
        h.put(std::string("Software\\Kazaa\\") + key, "Other", sz("x"));
    core.SetTarget(kTargetApplications[1]);
    const Profile client = core.ImportSettings();
    EXPECT_EQ(client.sharedFolders, Log{"C:\\Kept"});
    EXPECT_EQ(core.currentName() + client.downloadFolder + client.downloads + client.uploads +
                  client.searchResults,
              "");
    EXPECT_EQ(core.values().sharedFolders, client.sharedFolders);
    EXPECT_TRUE(h.dialogs.messages.empty());
}

// However many "Dir" values the client holds, neither the import nor the removal before
// registration goes past "Dir32767".
TEST_F(RegistryTest, ImportAndRegistrationStopAtFolderIndex32767) {
    h.installKazaa("bob");
    for (int i = 0; i <= 32768; ++i)
        h.put(kLocal, "Dir" + std::to_string(i), sz("012345:C:\\S" + std::to_string(i)));
    core.SetTarget(kTargetApplications[1]);
    const Profile client = core.ImportSettings();
    ASSERT_EQ(client.sharedFolders.size(), 32768u);
    EXPECT_EQ(client.sharedFolders[32767], "C:\\S32767");
    EXPECT_EQ(client.searchResults, "100"); // the reads after the folders still ran

    core.values().sharedFolders.clear();
    core.RegisterProfile();
    EXPECT_EQ(h.stored(kLocal, "Dir32767"), kMissing);
    EXPECT_EQ(h.stored(kLocal, "Dir32768"), sz("012345:C:\\S32768"));
}

// Kazaa as the target and "bob" as the current profile, with values of its own.
ProfileManager& bob(ProfileManager& core, const Log& folders) {
    core.SetTarget(kTargetApplications[1]);
    core.setCurrentName("bob");
    core.values() = {"", "E:\\Incoming", "4", "6", "250", folders, {}};
    return core;
}

// Without a current profile registration does nothing. The client has no LocalContent key:
// it is reported once, then created. Texts too long for the registry are skipped silently. An
// empty number field (the import found no value) leaves the client's value alone, silently;
// a number too big for the value is refused with a message.
TEST_F(RegistryTest, RegistrationSkipsWhatCannotBeWrittenAndRegistersTheRest) {
    bob(core, {"C:\\Music"}).setCurrentName("");
    core.RegisterProfile();
    EXPECT_EQ(h.registry.calls(), 0);
    EXPECT_FALSE(h.exists("C:\\FastTrackProfiles"));

    h.put(kTransfer, "ConcurrentDownloads", dword(3), kRegDword);
    const std::string fits = "C:\\" + std::string(245, 'f'); // 248 characters
    bob(core, {fits, fits + "t", "C:\\After"});
    core.values().downloadFolder = "C:\\" + std::string(253, 'd'); // 256 characters
    core.values().downloads = "";
    core.values().uploads = "99999999999"; // a hand-edited profile file
    const Registration registration = core.RegisterProfile();
    EXPECT_EQ(std::pair(registration.failed, registration.refused), std::pair(2, 3));
    EXPECT_EQ(h.stored(kLocal, "Dir0"), sz("012345:" + fits));
    EXPECT_EQ(h.stored(kLocal, "Dir1"), kMissing);
    EXPECT_EQ(h.stored(kLocal, "Dir2"), sz("012345:C:\\After"));
    EXPECT_EQ(h.stored(kLocal, "DownloadDir") + h.stored(kTransfer, "DlDir0"), kMissing + kMissing);
    EXPECT_EQ(h.stored(kTransfer, "ConcurrentDownloads"), dword(3));
    EXPECT_EQ(h.stored(kAdvanced, "MaxSearchResult"), dword(250));
    EXPECT_EQ(h.messageLog(),
              (Log{"Error|Could not open the Key: \\" + kLocal,
                   "Error|Could not create the value: \\" + kTransfer +
                       "\\ConcurrentUploads with the data: 99999999999" + kNotANumber}));
    EXPECT_TRUE(h.exists("C:\\FastTrackProfiles\\bob.profile")) << "the profile is saved too";
}

} // namespace
} // namespace morvane::test
