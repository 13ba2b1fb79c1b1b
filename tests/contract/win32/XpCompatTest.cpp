// The 64-bit tick count that stands in for GetTickCount64 on XP.
#include <gtest/gtest.h>

#include "platform/win32/XpCompat.h"

namespace morvane {
namespace {

TEST(XpCompat, WidenedTickCountCountsEachWrapOfThe32BitCount) {
    std::uint32_t last = 0;
    std::uint64_t high = 0;
    EXPECT_EQ(1000u, widenTickCount(1000, last, high));
    EXPECT_EQ(0xFFFFFF00u, widenTickCount(0xFFFFFF00u, last, high));
    EXPECT_EQ(0xFFFFFF00u, widenTickCount(0xFFFFFF00u, last, high)) << "same reading, no wrap";
    EXPECT_EQ(0x100000010ull, widenTickCount(0x10, last, high)) << "wrapped once";
    EXPECT_EQ(0x100000020ull, widenTickCount(0x20, last, high));
    widenTickCount(0xFFFFFFFFu, last, high);
    EXPECT_EQ(0x200000000ull, widenTickCount(0, last, high)) << "wrapped twice";
}

} // namespace
} // namespace morvane
