// The registry rules the program depends on, proven on both the emulation and the real
// registry: buffer sizes, letter case, missing keys and values, key trees.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "contract/PlatformUnderTest.h"

namespace morvane {
namespace {

const std::string kRoot = "Software\\MorvaneContract";

class RegistryContract : public ::testing::Test {
protected:
    void SetUp() override { platform.clearKey(kRoot); }
    // A key below the scratch key ("\A\B"; "" for itself), created with its parents.
    RegKey create(const std::string& sub) {
        RegKey key = 0;
        EXPECT_EQ(kErrorSuccess, reg.createKey(kHkeyCurrentUser, kRoot + sub, key)) << sub;
        return key;
    }
    bool exists(const std::string& sub) {
        RegKey key = 0;
        return reg.openKey(kHkeyCurrentUser, kRoot + sub, key) == kErrorSuccess &&
               reg.closeKey(key) == kErrorSuccess;
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

TEST_F(RegistryContract, AReadFillsTheBufferOrLeavesItUntouchedAndNamesIgnoreCase) {
    const std::string fits(254, 'a');
    platform.put(kRoot + "\\Kazaa\\UserDetails", "Fits", fits + '\0');
    platform.put(kRoot + "\\Kazaa\\UserDetails", "TooLong", std::string(255, 'b') + '\0');
    platform.put(kRoot + "\\Kazaa\\UserDetails", "Number", std::string(4, '\xff'), kRegDword);
    RegKey key = create("\\KAZAA\\userdetails");
    EXPECT_EQ(read(key, "FITS", 255), std::pair(kErrorSuccess, fits + '\0'));
    EXPECT_EQ(read(key, "TooLong", 255), std::pair(kErrorMoreData, std::string(255, '#')));
    EXPECT_EQ(read(key, "Number", 4), std::pair(kErrorSuccess, std::string(4, '\xff'))); // -1
    EXPECT_EQ(read(key, "Absent", 8), std::pair(kErrorFileNotFound, std::string(8, '#')));
    EXPECT_EQ(kErrorSuccess, reg.deleteValue(key, "fits"));
    EXPECT_NE(kErrorSuccess, reg.deleteValue(key, "Fits")) << "already gone";
    reg.closeKey(key);
}

// A key is made with its parents; a key with subkeys is not deleted; a handle on a deleted key
// fails its calls but still closes.
TEST_F(RegistryContract, KeysGrowWithTheirParentsAndShrinkLeafFirst) {
    EXPECT_EQ(kErrorSuccess, reg.closeKey(create("\\A\\B")));
    EXPECT_TRUE(exists("\\A")) << "the parent was made";
    EXPECT_NE(kErrorSuccess, reg.deleteKey(kHkeyCurrentUser, kRoot + "\\A"));
    EXPECT_TRUE(exists("\\A\\B")) << "a refused delete changes nothing";
    RegKey gone = create("\\A\\B");
    ASSERT_EQ(kErrorSuccess, reg.deleteKey(kHkeyCurrentUser, kRoot + "\\a\\b"));
    const std::uint8_t text[] = {'x', 0};
    EXPECT_NE(kErrorSuccess, reg.setValue(gone, "V", kRegSz, text, sizeof text));
    EXPECT_EQ(kErrorSuccess, reg.closeKey(gone));
    EXPECT_FALSE(exists("\\A\\B")) << "the failed write did not bring the key back";
}

} // namespace
} // namespace morvane
