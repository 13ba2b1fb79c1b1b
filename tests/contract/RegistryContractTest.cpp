// The registry rules the program depends on, proven on both the emulation and the real
// registry: buffer sizes, letter case, missing keys and values, key trees.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "contract/PlatformUnderTest.h"

namespace morvane {
namespace {

class RegistryContract : public ::testing::Test {
protected:
    // A key below the scratch key ("" for itself), created with its parents.
    RegKey create(const std::string& sub) {
        RegKey key = 0;
        EXPECT_EQ(kErrorSuccess, reg.createKey(kHkeyCurrentUser, path(sub), key)) << sub;
        return key;
    }
    bool exists(const std::string& sub) {
        RegKey key = 0;
        return reg.openKey(kHkeyCurrentUser, path(sub), key) == kErrorSuccess &&
               reg.closeKey(key) == kErrorSuccess;
    }
    std::string path(const std::string& sub) const {
        return sub.empty() ? platform.scratchKey() : platform.scratchKey() + "\\" + sub;
    }
    long set(RegKey key, const std::string& name, std::uint32_t type, const std::string& data) {
        return reg.setValue(key, name, type, reinterpret_cast<const std::uint8_t*>(data.data()),
                            static_cast<std::uint32_t>(data.size()));
    }
    // The result of a read into a buffer of size bytes filled with '#', and the whole buffer.
    std::pair<long, std::string> read(RegKey key, const std::string& name, std::uint32_t size) {
        std::string buffer(size, '#');
        long result =
            reg.queryValue(key, name, reinterpret_cast<std::uint8_t*>(buffer.data()), size);
        return {result, buffer};
    }

    test::PlatformUnderTest platform;
    Registry& reg = platform.registry();
};

TEST_F(RegistryContract, AReadFillsTheBufferOrLeavesItUntouched) {
    RegKey key = create("");
    const std::string fits(254, 'a');
    ASSERT_EQ(kErrorSuccess, set(key, "Fits", kRegSz, fits + '\0'));
    ASSERT_EQ(kErrorSuccess, set(key, "TooLong", kRegSz, std::string(255, 'b') + '\0'));
    ASSERT_EQ(kErrorSuccess, set(key, "Number", kRegDword, std::string(4, '\xff'))); // -1
    EXPECT_EQ(read(key, "Fits", 255), std::pair(kErrorSuccess, fits + '\0'));
    EXPECT_EQ(read(key, "TooLong", 255), std::pair(kErrorMoreData, std::string(255, '#')));
    EXPECT_EQ(read(key, "Number", 4), std::pair(kErrorSuccess, std::string(4, '\xff')));
    EXPECT_EQ(read(key, "Absent", 8), std::pair(kErrorFileNotFound, std::string(8, '#')));
    EXPECT_EQ(kErrorSuccess, reg.closeKey(key));
}

TEST_F(RegistryContract, KeyAndValueNamesIgnoreLetterCase) {
    RegKey key = create("Kazaa\\UserDetails");
    ASSERT_EQ(kErrorSuccess, set(key, "UserName", kRegSz, std::string("alice", 6)));
    RegKey other = create("KAZAA\\userdetails");
    EXPECT_EQ(read(other, "USERNAME", 8), std::pair(kErrorSuccess, std::string("alice\0##", 8)));
    ASSERT_EQ(kErrorSuccess, set(other, "username", kRegSz, std::string("bob", 4)));
    EXPECT_EQ(read(key, "UserName", 4), std::pair(kErrorSuccess, std::string("bob", 4)));

    EXPECT_EQ(kErrorSuccess, reg.deleteValue(key, "USERNAME"));
    EXPECT_NE(kErrorSuccess, reg.deleteValue(other, "UserName")) << "already gone";
    EXPECT_EQ(kErrorSuccess, reg.closeKey(key));
    EXPECT_EQ(kErrorSuccess, reg.closeKey(other));
}

TEST_F(RegistryContract, KeyTreesGrowWithTheirParentsAndShrinkLeafFirst) {
    EXPECT_FALSE(exists("")) << "the scratch key starts absent";
    // The program closes every key before it deletes one; so do these tests.
    EXPECT_EQ(kErrorSuccess, reg.closeKey(create("A\\B\\C")));
    EXPECT_TRUE(exists("") && exists("A") && exists("A\\B")) << "the parents were made";

    EXPECT_NE(kErrorSuccess, reg.deleteKey(kHkeyCurrentUser, path("A\\B")));
    EXPECT_TRUE(exists("A\\B\\C")) << "a refused delete changes nothing";
    EXPECT_EQ(kErrorSuccess, reg.deleteKey(kHkeyCurrentUser, path("a\\b\\c")));
    EXPECT_EQ(kErrorSuccess, reg.deleteKey(kHkeyCurrentUser, path("A\\B")));
    EXPECT_FALSE(exists("A\\B"));

    // A handle on a deleted key fails its calls but still closes.
    RegKey gone = create("Gone");
    ASSERT_EQ(kErrorSuccess, reg.deleteKey(kHkeyCurrentUser, path("Gone")));
    EXPECT_NE(kErrorSuccess, set(gone, "V", kRegSz, std::string("x", 2)));
    EXPECT_EQ(kErrorSuccess, reg.closeKey(gone));
    EXPECT_FALSE(exists("Gone")) << "the failed write did not bring the key back";
}

} // namespace
} // namespace morvane
