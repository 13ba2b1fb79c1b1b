// What only the real system can show: the shell takes the notification icon's record, and the
// tick count behind the XP fallback.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/Win32Shell.h"
#include "platform/win32/XpCompat.h"

namespace morvane {
namespace {

// The 32-bit build hands the shell the first shells' 88-byte record.
TEST(Win32Services, NotificationIconIsAddedAndDeletedOnce) {
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window) << "needs a display";
    auto handle = [](auto h) { return reinterpret_cast<std::uintptr_t>(h); };
    auto icon = handle(LoadIconA(nullptr, IDI_APPLICATION));
    NotifyIconRecord record{0, handle(window), 7, NIF_MESSAGE | NIF_ICON, WM_MOUSEMOVE, icon};
    Win32Shell shell;
    EXPECT_TRUE(shell.notifyIcon(kNotifyAdd, record));
    EXPECT_FALSE(shell.notifyIcon(kNotifyAdd, record)) << "already there";
    EXPECT_TRUE(shell.notifyIcon(kNotifyDelete, record));
    EXPECT_FALSE(shell.notifyIcon(kNotifyDelete, record)) << "already gone";
    DestroyWindow(window);
}

TEST(XpCompat, WidenedTickCountCountsEachWrapOfThe32BitCount) {
    std::uint32_t last = 0;
    std::uint64_t high = 0;
    EXPECT_EQ(0xFFFFFF00u, widenTickCount(0xFFFFFF00u, last, high));
    EXPECT_EQ(0x100000010ull, widenTickCount(0x10, last, high)) << "wrapped once";
    EXPECT_EQ(0x100000020ull, widenTickCount(0x20, last, high)) << "the same wrap";
}

} // namespace
} // namespace morvane
