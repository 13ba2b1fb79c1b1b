// The registry rules the program depends on, proven on both the emulation and the real
// registry: buffer sizes, letter case, missing keys and values, key trees.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "contract/PlatformUnderTest.h"

namespace morvane {
namespace {

class RegistryContract : public ::testing::Test {
protected:
    // A key below the scratch key, created with its parents; 0 when creation failed.
    RegKey create(const std::string& sub) {
        RegKey key = 0;
        EXPECT_EQ(kErrorSuccess, reg.createKey(kHkeyCurrentUser, path(sub), key)) << sub;
        opened.push_back(key);
        return key;
    }
    long open(const std::string& sub) {
        RegKey key = 0;
        long result = reg.openKey(kHkeyCurrentUser, path(sub), key);
        if (result == kErrorSuccess)
            opened.push_back(key);
        return result;
    }
    // REG_SZ as the program writes it: the text and its NUL.
    long setText(RegKey key, const std::string& name, const std::string& text) {
        return reg.setValue(key, name, kRegSz, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                            static_cast<std::uint32_t>(text.size() + 1));
    }
    std::string path(const std::string& sub) const {
        return sub.empty() ? platform.scratchKey() : platform.scratchKey() + "\\" + sub;
    }
    // The program closes every key before it deletes one; so do these tests.
    void closeAll() {
        for (RegKey key : opened)
            EXPECT_EQ(kErrorSuccess, reg.closeKey(key));
        opened.clear();
    }
    void TearDown() override { closeAll(); }

    test::PlatformUnderTest platform;
    Registry& reg = platform.registry();
    std::vector<RegKey> opened;
};

TEST_F(RegistryContract, TextOfUpTo254CharactersFitsA255ByteBuffer) {
    RegKey key = create("Limits");
    const std::string fits(254, 'a');
    const std::string tooLong(255, 'b');
    ASSERT_EQ(kErrorSuccess, setText(key, "Fits", fits));
    ASSERT_EQ(kErrorSuccess, setText(key, "TooLong", tooLong));

    std::vector<std::uint8_t> buffer(255, '#');
    std::uint32_t size = 255;
    ASSERT_EQ(kErrorSuccess, reg.queryValue(key, "Fits", buffer.data(), size));
    EXPECT_EQ(255u, size);
    EXPECT_EQ(fits + '\0', std::string(buffer.begin(), buffer.end()));

    std::fill(buffer.begin(), buffer.end(), '#');
    size = 255;
    EXPECT_EQ(kErrorMoreData, reg.queryValue(key, "TooLong", buffer.data(), size));
    EXPECT_EQ(256u, size) << "the size needed";
    EXPECT_EQ(std::string(255, '#'), std::string(buffer.begin(), buffer.end()))
        << "a failed read leaves the buffer as it was";
}

TEST_F(RegistryContract, TextCarriesItsNulAndDwordKeepsAllBits) {
    RegKey key = create("");
    ASSERT_EQ(kErrorSuccess, setText(key, "Name", "abc"));
    const std::int32_t minusOne = -1;
    ASSERT_EQ(kErrorSuccess, reg.setValue(key, "Number", kRegDword,
                                          reinterpret_cast<const std::uint8_t*>(&minusOne), 4));

    std::uint8_t buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    std::uint32_t size = sizeof buffer;
    ASSERT_EQ(kErrorSuccess, reg.queryValue(key, "Name", buffer, size));
    EXPECT_EQ(4u, size);
    EXPECT_EQ(std::string("abc\0#", 5), std::string(buffer, buffer + 5));

    std::memset(buffer, 0, sizeof buffer);
    size = 4;
    ASSERT_EQ(kErrorSuccess, reg.queryValue(key, "Number", buffer, size));
    EXPECT_EQ(4u, size);
    EXPECT_EQ(std::vector<std::uint8_t>({0xFF, 0xFF, 0xFF, 0xFF}),
              std::vector<std::uint8_t>(buffer, buffer + 4));
}

TEST_F(RegistryContract, KeyAndValueNamesIgnoreLetterCase) {
    RegKey key = create("Kazaa\\UserDetails");
    ASSERT_EQ(kErrorSuccess, setText(key, "UserName", "alice"));
    EXPECT_EQ(kErrorSuccess, open("KAZAA\\userdetails"));

    // The same value under another spelling: read it, then overwrite it.
    RegKey other = opened.back();
    std::uint8_t buffer[32] = {};
    std::uint32_t size = sizeof buffer;
    ASSERT_EQ(kErrorSuccess, reg.queryValue(other, "USERNAME", buffer, size));
    EXPECT_STREQ("alice", reinterpret_cast<const char*>(buffer));
    ASSERT_EQ(kErrorSuccess, setText(other, "username", "bob"));
    size = sizeof buffer;
    ASSERT_EQ(kErrorSuccess, reg.queryValue(key, "UserName", buffer, size));
    EXPECT_STREQ("bob", reinterpret_cast<const char*>(buffer));
    EXPECT_EQ(4u, size);
}

TEST_F(RegistryContract, MissingKeysAndValuesFailWithoutTouchingTheBuffer) {
    RegKey key = create("");
    EXPECT_NE(kErrorSuccess, open("Missing"));
    EXPECT_NE(kErrorSuccess, open("Missing\\Deeper"));

    std::uint8_t buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    std::uint32_t size = sizeof buffer;
    EXPECT_EQ(kErrorFileNotFound, reg.queryValue(key, "Absent", buffer, size));
    EXPECT_EQ(std::string(8, '#'), std::string(buffer, buffer + 8));

    EXPECT_NE(kErrorSuccess, reg.deleteValue(key, "Absent"));
    ASSERT_EQ(kErrorSuccess, setText(key, "Present", "x"));
    EXPECT_EQ(kErrorSuccess, reg.deleteValue(key, "PRESENT"));
    size = sizeof buffer;
    EXPECT_EQ(kErrorFileNotFound, reg.queryValue(key, "Present", buffer, size));
    EXPECT_NE(kErrorSuccess, reg.deleteValue(key, "Present"));
}

TEST_F(RegistryContract, CreatingANestedKeyCreatesItsParents) {
    EXPECT_NE(kErrorSuccess, open("")) << "the scratch key starts absent";
    create("A\\B\\C");
    EXPECT_EQ(kErrorSuccess, open(""));
    EXPECT_EQ(kErrorSuccess, open("A"));
    EXPECT_EQ(kErrorSuccess, open("A\\B"));
    // Creating an existing key opens it, values intact.
    RegKey again = create("A\\B\\C");
    ASSERT_EQ(kErrorSuccess, setText(again, "V", "1"));
    RegKey third = create("a\\b\\c");
    std::uint8_t buffer[4] = {};
    std::uint32_t size = sizeof buffer;
    EXPECT_EQ(kErrorSuccess, reg.queryValue(third, "V", buffer, size));
}

TEST_F(RegistryContract, OnlyALeafKeyCanBeDeleted) {
    create("Tree\\Leaf");
    closeAll();
    EXPECT_NE(kErrorSuccess, reg.deleteKey(kHkeyCurrentUser, path("Tree")));
    EXPECT_EQ(kErrorSuccess, open("Tree\\Leaf")) << "a refused delete changes nothing";
    closeAll();

    EXPECT_EQ(kErrorSuccess, reg.deleteKey(kHkeyCurrentUser, path("TREE\\leaf")));
    EXPECT_NE(kErrorSuccess, open("Tree\\Leaf"));
    EXPECT_EQ(kErrorSuccess, reg.deleteKey(kHkeyCurrentUser, path("Tree")));
    EXPECT_NE(kErrorSuccess, open("Tree"));
    EXPECT_NE(kErrorSuccess, reg.deleteKey(kHkeyCurrentUser, path("Tree")));
}

TEST_F(RegistryContract, AHandleOnADeletedKeyStopsWorkingButStillCloses) {
    RegKey key = 0;
    ASSERT_EQ(kErrorSuccess, reg.createKey(kHkeyCurrentUser, path("Gone"), key));
    ASSERT_EQ(kErrorSuccess, reg.deleteKey(kHkeyCurrentUser, path("Gone")));
    const std::uint8_t data[2] = {'x', 0};
    EXPECT_NE(kErrorSuccess, reg.setValue(key, "V", kRegSz, data, 2));
    EXPECT_EQ(kErrorSuccess, reg.closeKey(key));
    EXPECT_NE(kErrorSuccess, open("Gone")) << "the failed write did not bring the key back";
}

TEST_F(RegistryContract, RootsOtherThanCurrentUserAreRefused) {
    const std::uint32_t localMachine = 0x80000002u;
    RegKey key = 0;
    EXPECT_EQ(kErrorInvalidHandle, reg.openKey(localMachine, "Software", key));
    EXPECT_EQ(kErrorInvalidHandle, reg.createKey(localMachine, path(""), key));
    EXPECT_EQ(kErrorInvalidHandle, reg.deleteKey(localMachine, path("")));
    EXPECT_NE(kErrorSuccess, open("")) << "nothing was created under another root's name";
}

} // namespace
} // namespace morvane
