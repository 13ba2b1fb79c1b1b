// What only the real system can show: the notification icon's record, the clock's format
// and scale, and the tick count behind the XP fallback.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <cctype>

#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/XpCompat.h"

namespace morvane {
namespace {

TEST(Win32Services, NotificationIconIsAddedAndDeletedOnce) {
    HWND window = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window) << "needs a display";
    NotifyIconRecord record;
    record.hWnd = reinterpret_cast<std::uintptr_t>(window);
    record.uID = 7;
    record.uFlags = NIF_MESSAGE | NIF_ICON;
    record.uCallbackMessage = WM_MOUSEMOVE;
    record.hIcon = reinterpret_cast<std::uintptr_t>(LoadIconA(nullptr, IDI_APPLICATION));
    Win32Shell shell;
    EXPECT_TRUE(shell.notifyIcon(kNotifyAdd, record));
    EXPECT_FALSE(shell.notifyIcon(kNotifyAdd, record)) << "already there";
    EXPECT_TRUE(shell.notifyIcon(kNotifyDelete, record));
    EXPECT_FALSE(shell.notifyIcon(kNotifyDelete, record)) << "already gone";
    DestroyWindow(window);
}

TEST(Win32Services, ClockTellsTheTimeInTheSystemsFormatAtTheScreensScale) {
    Win32Clock clock;
    const std::string time = clock.timeOfDay();
    ASSERT_FALSE(time.empty());
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(time[0]))) << time;
    EXPECT_EQ(std::string::npos, time.find('\0')) << "no terminator in the text";
    EXPECT_EQ(15, clock.twipsPerPixelX()); // the test prefix keeps 96 dots per inch
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
