// GetKey, SetKey, DelKey and DelKeyValue on the emulated registry: what they read and write,
// the messages they show, and that every key they open is closed again.

#include <gtest/gtest.h>

#include <climits>

#include "support/Harness.h"
#include "support/ScriptedRegistry.h"

namespace morvane::test {
namespace {

const std::string kKey = "Software\\Kazaa\\LocalContent";

class RegistryHelpersTest : public ::testing::Test {
protected:
    Harness h;
    Form1& form = h.form();

    void TearDown() override { EXPECT_EQ(h.registry.openHandles(), 0) << "a key was left open"; }

    // The stored bytes of a value, NUL included; none when it is missing.
    std::optional<std::string> raw(const std::string& key, const std::string& name) {
        RegKey handle = 0;
        if (h.registry.openKey(kHkeyCurrentUser, key, handle) != kErrorSuccess)
            return std::nullopt;
        std::string data(4096, '\0');
        auto size = static_cast<std::uint32_t>(data.size());
        long rc =
            h.registry.queryValue(handle, name, reinterpret_cast<std::uint8_t*>(data.data()), size);
        h.registry.closeKey(handle);
        if (rc != kErrorSuccess)
            return std::nullopt;
        data.resize(size);
        return data;
    }

    bool keyExists(const std::string& key) {
        RegKey handle = 0;
        if (h.registry.openKey(kHkeyCurrentUser, key, handle) != kErrorSuccess)
            return false;
        h.registry.closeKey(handle);
        return true;
    }

    std::vector<std::string> errorBox(const std::string& text) { return {"Error|" + text}; }
};

// ---- GetKey

TEST_F(RegistryHelpersTest, GetKeyTextIsTheWholeSpaceFilledBuffer) {
    h.setText(kKey, "DownloadDir", "C:\\Down");
    std::string got = form.GetKey(kHkeyCurrentUser, kKey, false, "DownloadDir");
    EXPECT_EQ(got, "C:\\Down" + std::string(1, '\0') + std::string(247, ' '));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(RegistryHelpersTest, GetKeyReadsTextUpTo254Characters) {
    h.setText(kKey, "Long", std::string(254, 'a'));
    h.setText(kKey, "TooLong", std::string(255, 'b'));
    h.setText(kKey, "Empty", "");
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, false, "Long"),
              std::string(254, 'a') + std::string(1, '\0'));
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, false, "TooLong"), "");
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, false, "Empty"),
              std::string(1, '\0') + std::string(254, ' '));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(RegistryHelpersTest, GetKeyNumbersAreSignedDecimalText) {
    const std::pair<std::int32_t, const char*> cases[] = {{5, "5"},
                                                          {0, "0"},
                                                          {-1, "-1"},
                                                          {100, "100"},
                                                          {INT_MAX, "2147483647"},
                                                          {INT_MIN, "-2147483648"},
                                                          {0x01020304, "16909060"}};
    for (const auto& [number, text] : cases) {
        h.setNumber(kKey, "N", number);
        EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, true, "N"), text);
    }
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(RegistryHelpersTest, GetKeyMissingValueIsEmptyAndSilent) {
    h.setText(kKey, "Other", "x");
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, false, "DownloadDir"), "");
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, true, "ConcurrentDownloads"), "");
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(RegistryHelpersTest, GetKeyMissingKeyIsReportedAndNotCreated) {
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, "Software\\Nobody\\Here", false, "Name"), "");
    EXPECT_EQ(h.messageLog(), errorBox("Could not open the key: \\Software\\Nobody\\Here"));
    EXPECT_EQ(h.dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_FALSE(keyExists("Software\\Nobody"));
}

// ---- SetKey

TEST_F(RegistryHelpersTest, SetKeyTextCarriesItsNulAndCreatesTheWholePath) {
    form.SetKey(kHkeyCurrentUser, "Software\\New\\Deep\\Key", false, "Name", "C:\\Share");
    EXPECT_EQ(raw("Software\\New\\Deep\\Key", "Name"), std::string("C:\\Share") + '\0');
    EXPECT_EQ(h.type("Software\\New\\Deep\\Key", "Name"), kRegSz);
    form.SetKey(kHkeyCurrentUser, kKey, false, "Empty", "");
    EXPECT_EQ(raw(kKey, "Empty"), std::string(1, '\0'));
    EXPECT_EQ(h.type(kKey, "Empty"), kRegSz);
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(RegistryHelpersTest, SetKeyNumberIsAFourByteLittleEndianDword) {
    form.SetKey(kHkeyCurrentUser, kKey, true, "N", "16909060");
    EXPECT_EQ(raw(kKey, "N"), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(h.type(kKey, "N"), kRegDword);
    const std::pair<const char*, std::int32_t> cases[] = {{"0", 0},
                                                          {"7", 7},
                                                          {"0042", 42},
                                                          {"+3", 3},
                                                          {"-1", -1},
                                                          {"2147483647", INT_MAX},
                                                          {"-2147483648", INT_MIN}};
    for (const auto& [text, number] : cases) {
        form.SetKey(kHkeyCurrentUser, kKey, true, "N", text);
        EXPECT_EQ(h.number(kKey, "N"), number) << text;
    }
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST_F(RegistryHelpersTest, SetKeyRefusesANumberThatIsNotOneAndSaysSo) {
    h.setNumber(kKey, "ConcurrentDownloads", 9);
    for (const char* text : {"", "abc", "12a", "-", "+", " 5", "5 ", "1.5", "2147483648",
                             "-2147483649", "99999999999999999999"}) {
        h.dialogs.messages.clear();
        form.SetKey(kHkeyCurrentUser, kKey, true, "ConcurrentDownloads", text);
        EXPECT_EQ(h.number(kKey, "ConcurrentDownloads"), 9) << text;
        EXPECT_EQ(h.messageLog(), errorBox(std::string("Could not create the value: \\") + kKey +
                                           "\\ConcurrentDownloads with the data: " + text +
                                           " (not a whole number from -2147483648 to 2147483647)"))
            << text;
    }
    // Nothing is made up for a value that did not exist either, and no key is created for it.
    form.SetKey(kHkeyCurrentUser, "Software\\Fresh", true, "N", "");
    EXPECT_FALSE(keyExists("Software\\Fresh"));
}

TEST_F(RegistryHelpersTest, SetKeyFailuresAreReportedAndTheKeyClosed) {
    ScriptedRegistry scripted(h.registry);
    Services services{scripted, *h.files, h.shell, h.dialogs, h.clock, h.windows};
    Form1 other(services);

    scripted.failCreate = true;
    other.SetKey(kHkeyCurrentUser, kKey, false, "DownloadDir", "C:\\D");
    EXPECT_EQ(h.messageLog(), errorBox("Could not create the Key: \\" + kKey));

    h.dialogs.messages.clear();
    scripted.failCreate = false;
    scripted.failSet = true;
    other.SetKey(kHkeyCurrentUser, kKey, false, "DownloadDir", "C:\\D");
    other.SetKey(kHkeyCurrentUser, kKey, true, "ConcurrentUploads", "4");
    EXPECT_EQ(h.messageLog(),
              (std::vector<std::string>{"Error|Could not create the value: \\" + kKey +
                                            "\\DownloadDir with the data: C:\\D",
                                        "Error|Could not create the value: \\" + kKey +
                                            "\\ConcurrentUploads with the data: 4"}));
    EXPECT_FALSE(h.hasValue(kKey, "DownloadDir"));
}

// ---- DelKey and DelKeyValue

TEST_F(RegistryHelpersTest, DelKeyDeletesOrReports) {
    h.setText("Software\\Gone\\Leaf", "v", "x");
    form.DelKey(kHkeyCurrentUser, "Software\\Gone\\Leaf");
    EXPECT_FALSE(keyExists("Software\\Gone\\Leaf"));
    EXPECT_TRUE(keyExists("Software\\Gone"));
    EXPECT_TRUE(h.dialogs.messages.empty());

    form.DelKey(kHkeyCurrentUser, "Software\\Gone\\Leaf");
    h.setText("Software\\Parent\\Child", "v", "x");
    form.DelKey(kHkeyCurrentUser, "Software\\Parent"); // has a subkey: refused
    EXPECT_EQ(h.messageLog(),
              (std::vector<std::string>{"Error|Could not delete the Key: \\Software\\Gone\\Leaf",
                                        "Error|Could not delete the Key: \\Software\\Parent"}));
    EXPECT_TRUE(keyExists("Software\\Parent\\Child"));
}

TEST_F(RegistryHelpersTest, DelKeyValueTellsWhetherTheValueWasDeleted) {
    h.setText(kKey, "Dir0", "012345:C:\\A");
    EXPECT_EQ(form.DelKeyValue(kHkeyCurrentUser, kKey, "Dir0"), 0);
    EXPECT_FALSE(h.hasValue(kKey, "Dir0"));
    EXPECT_EQ(form.DelKeyValue(kHkeyCurrentUser, kKey, "Dir0"), 1);
    EXPECT_TRUE(h.dialogs.messages.empty());

    EXPECT_EQ(form.DelKeyValue(kHkeyCurrentUser, "Software\\Missing", "Dir0"), 1);
    EXPECT_EQ(h.messageLog(), errorBox("Could not open the Key: \\Software\\Missing"));
    EXPECT_FALSE(keyExists("Software\\Missing"));
}

// ---- The 255-character limit

TEST_F(RegistryHelpersTest, ArgumentsOver255CharactersTouchNothingAndSayNothing) {
    const std::string longKey = "Software\\" + std::string(247, 'k'); // 256 characters
    const std::string longName(256, 'n');
    const std::string longData(256, 'd');
    h.setText(kKey, "DownloadDir", "C:\\Keep");
    const int before = h.registry.calls();

    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, longKey, false, "DownloadDir"), "");
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, false, longName), "");
    form.SetKey(kHkeyCurrentUser, longKey, false, "DownloadDir", "C:\\New");
    form.SetKey(kHkeyCurrentUser, kKey, false, longName, "C:\\New");
    form.SetKey(kHkeyCurrentUser, kKey, false, "DownloadDir", longData);
    form.SetKey(kHkeyCurrentUser, kKey, true, "DownloadDir", std::string(256, '1'));
    form.DelKey(kHkeyCurrentUser, longKey);
    EXPECT_EQ(form.DelKeyValue(kHkeyCurrentUser, longKey, "DownloadDir"), 1);
    EXPECT_EQ(form.DelKeyValue(kHkeyCurrentUser, kKey, longName), 1);

    EXPECT_EQ(h.registry.calls(), before);
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(h.text(kKey, "DownloadDir"), "C:\\Keep");
}

TEST_F(RegistryHelpersTest, ArgumentsOfExactly255CharactersAreUsed) {
    const std::string name(255, 'n');
    const std::string data(255, 'd');
    form.SetKey(kHkeyCurrentUser, kKey, false, name, data);
    EXPECT_EQ(h.text(kKey, name), data);
    EXPECT_EQ(form.DelKeyValue(kHkeyCurrentUser, kKey, name), 0);
}

} // namespace
} // namespace morvane::test
