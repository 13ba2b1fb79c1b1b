// GetKey, SetKey, DelKey and DelKeyValue on the emulated registry: what they read and write,
// the messages they show, and that every key they open is closed again.

#include <gtest/gtest.h>

#include <climits>

#include "support/Harness.h"

namespace morvane::test {
namespace {

const std::string kKey = "Software\\Kazaa\\LocalContent";
const std::string kNul(1, '\0');

class RegistryHelpersTest : public ::testing::Test {
protected:
    Harness h;
    Form1& form = h.form();

    void TearDown() override { EXPECT_EQ(h.registry.openHandles(), 0) << "a key was left open"; }
};

TEST_F(RegistryHelpersTest, GetKeyReadsTheRawBufferOrNumbersAsDecimalText) {
    h.setText(kKey, "Seven", "C:\\Down");
    h.setText(kKey, "Long", std::string(254, 'a'));
    h.setText(kKey, "TooLong", std::string(255, 'b'));
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, false, "Seven"),
              "C:\\Down" + kNul + std::string(247, ' '));
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, false, "Long"), std::string(254, 'a') + kNul);
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, false, "TooLong"), "");
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, false, "Missing"), "");
    const std::pair<std::int32_t, const char*> numbers[] = {
        {5, "5"}, {-1, "-1"}, {INT_MIN, "-2147483648"}, {0x01020304, "16909060"}};
    for (const auto& [number, text] : numbers) {
        h.setNumber(kKey, "N", number);
        EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, true, "N"), text);
    }
    EXPECT_TRUE(h.dialogs.messages.empty());

    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, "Software\\Nobody\\Here", false, "Name"), "");
    EXPECT_EQ(h.messageLog(),
              std::vector<std::string>{"Error|Could not open the key: \\Software\\Nobody\\Here"});
}

TEST_F(RegistryHelpersTest, SetKeyWritesTextWithItsNulAndNumbersAsDwords) {
    form.SetKey(kHkeyCurrentUser, "Software\\New\\Deep", false, "Name", "C:\\Share");
    EXPECT_EQ(h.text("Software\\New\\Deep", "Name"), "C:\\Share");
    EXPECT_EQ(h.type("Software\\New\\Deep", "Name"), kRegSz);
    form.SetKey(kHkeyCurrentUser, kKey, false, "Empty", "");
    // Stored as its NUL alone: without it the read would leave the buffer all spaces.
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, false, "Empty"), kNul + std::string(254, ' '));

    const std::pair<const char*, std::int32_t> numbers[] = {
        {"0042", 42}, {"-1", -1}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}};
    for (const auto& [text, number] : numbers) {
        form.SetKey(kHkeyCurrentUser, kKey, true, "N", text);
        EXPECT_EQ(h.number(kKey, "N"), number) << text;
    }
    EXPECT_EQ(h.type(kKey, "N"), kRegDword);
    EXPECT_TRUE(h.dialogs.messages.empty());

    form.SetKey(0x80000002u, kKey, false, "DownloadDir", "C:\\D"); // a root it cannot open
    EXPECT_EQ(h.messageLog(),
              std::vector<std::string>{"Error|Could not create the Key: \\" + kKey});
}

// A number field can hold anything a hand-edited profile file gave it: nothing is made up
// for the client, and the user hears about it once.
TEST_F(RegistryHelpersTest, SetKeyRefusesTextThatIsNoWholeNumber) {
    h.setNumber(kKey, "ConcurrentDownloads", 9);
    for (const char* text : {"", "abc", "12a", "-", " 5", "1.5", "2147483648", "-2147483649",
                             "99999999999999999999"}) {
        h.dialogs.messages.clear();
        form.SetKey(kHkeyCurrentUser, kKey, true, "ConcurrentDownloads", text);
        EXPECT_EQ(h.number(kKey, "ConcurrentDownloads"), 9) << text;
        EXPECT_EQ(h.messageLog(),
                  std::vector<std::string>{"Error|Could not create the value: \\" + kKey +
                                           "\\ConcurrentDownloads with the data: " + text +
                                           " (not a whole number from -2147483648 to 2147483647)"})
            << text;
    }
}

TEST_F(RegistryHelpersTest, DeletesReportOnlyWhatTheUserMustKnow) {
    h.setText("Software\\Gone\\Leaf", "v", "x");
    form.DelKey(kHkeyCurrentUser, "Software\\Gone\\Leaf"); // deleted: a second time fails
    h.setText(kKey, "Dir0", "012345:C:\\A");
    EXPECT_EQ(form.DelKeyValue(kHkeyCurrentUser, kKey, "Dir0"), 0);
    EXPECT_FALSE(h.hasValue(kKey, "Dir0"));
    EXPECT_EQ(form.DelKeyValue(kHkeyCurrentUser, kKey, "Dir0"), 1); // silently
    EXPECT_TRUE(h.dialogs.messages.empty());

    form.DelKey(kHkeyCurrentUser, "Software\\Gone\\Leaf");
    EXPECT_EQ(form.DelKeyValue(kHkeyCurrentUser, "Software\\Missing", "Dir0"), 1);
    EXPECT_EQ(h.messageLog(),
              (std::vector<std::string>{"Error|Could not delete the Key: \\Software\\Gone\\Leaf",
                                        "Error|Could not open the Key: \\Software\\Missing"}));
}

TEST_F(RegistryHelpersTest, ArgumentsOver255CharactersTouchNothingAndSayNothing) {
    const std::string longKey = "Software\\" + std::string(247, 'k'); // 256 characters
    const std::string longText(256, 'n');
    const int before = h.registry.calls();
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, longKey, false, "DownloadDir"), "");
    EXPECT_EQ(form.GetKey(kHkeyCurrentUser, kKey, false, longText), "");
    form.SetKey(kHkeyCurrentUser, longKey, false, "DownloadDir", "C:\\New");
    form.SetKey(kHkeyCurrentUser, kKey, false, longText, "C:\\New");
    form.SetKey(kHkeyCurrentUser, kKey, false, "DownloadDir", longText);
    form.DelKey(kHkeyCurrentUser, longKey);
    EXPECT_EQ(form.DelKeyValue(kHkeyCurrentUser, longKey, "DownloadDir"), 1);
    EXPECT_EQ(form.DelKeyValue(kHkeyCurrentUser, kKey, longText), 1);
    EXPECT_EQ(h.registry.calls(), before);
    EXPECT_TRUE(h.dialogs.messages.empty());

    const std::string name(255, 'n'); // exactly at the limit: used
    form.SetKey(kHkeyCurrentUser, kKey, false, name, std::string(255, 'd'));
    EXPECT_EQ(h.text(kKey, name), std::string(255, 'd'));
    EXPECT_EQ(form.DelKeyValue(kHkeyCurrentUser, kKey, name), 0);
}

} // namespace
} // namespace morvane::test
