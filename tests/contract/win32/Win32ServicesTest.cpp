// What only the real system can show: attributes the emulation has no notion of, files held
// open by another program, the notification icon, hidden processes, the pointer and the DPI.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "contract/PlatformUnderTest.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32Shell.h"

namespace morvane {
namespace {

class Win32Services : public ::testing::Test {
protected:
    std::string at(const std::string& name) const { return platform.scratchFolder() + "\\" + name; }

    test::PlatformUnderTest platform;
};

TEST_F(Win32Services, ListingSkipsSystemFiles) {
    platform.writeFile(at("a.dat"), "1");
    platform.writeFile(at("sys.dat"), "2");
    ASSERT_TRUE(SetFileAttributesA(at("sys.dat").c_str(), FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(std::vector<std::string>({"a.dat"}), platform.files().listFiles(at("*.dat")));
    SetFileAttributesA(at("sys.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Win32Services, AFileHeldOpenByAnotherProgramCanStillBeRead) {
    platform.writeFile(at("busy.dat"), "0123456789");
    // As a client writing a download holds it: writing, and allowing a rename.
    HANDLE held = CreateFileA(at("busy.dat").c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    FileSystem& files = platform.files();
    EXPECT_EQ(10u, files.fileLength(at("busy.dat")));
    EXPECT_EQ(std::string("234"), files.readBytes(at("busy.dat"), 2, 3));
    EXPECT_EQ(std::vector<std::string>({"0123456789"}), files.readLines(at("busy.dat")));
    CloseHandle(held);
}

TEST_F(Win32Services, NotificationIconIsAddedAndDeletedOnce) {
    HWND window = CreateWindowA("STATIC", "tray owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window) << "needs a display";
    NotifyIconRecord record;
    record.hWnd = reinterpret_cast<std::uintptr_t>(window);
    record.uID = 7;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = 0x0200;
    record.hIcon = reinterpret_cast<std::uintptr_t>(LoadIconA(nullptr, IDI_APPLICATION));
    std::strcpy(record.szTip, "Morvane");

    Win32Shell shell;
    EXPECT_TRUE(shell.notifyIcon(kNotifyAdd, record));
    EXPECT_FALSE(shell.notifyIcon(kNotifyAdd, record)) << "already there";
    EXPECT_TRUE(shell.notifyIcon(kNotifyDelete, record));
    EXPECT_FALSE(shell.notifyIcon(kNotifyDelete, record)) << "already gone";
    DestroyWindow(window);
}

TEST_F(Win32Services, HiddenCommandRunsWithoutBeingWaitedFor) {
    const std::string marker = at("ran.txt");
    Win32Shell shell;
    shell.runHidden("echo ran> " + marker);
    // The command runs on its own; give it a generous while to finish.
    std::optional<std::string> written;
    for (int i = 0; i < 400 && !(written && !written->empty()); ++i) {
        Sleep(25);
        written = platform.readFile(marker);
    }
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(0u, written->find("ran")) << *written;
    // The command may still be closing the file; the scratch folder goes after the test.
    for (int i = 0; i < 400 && !DeleteFileA(marker.c_str()); ++i)
        Sleep(25);
}

TEST_F(Win32Services, ClockGivesTimePointerAndScale) {
    Win32Clock clock;
    std::string time = clock.timeOfDay();
    ASSERT_FALSE(time.empty());
    EXPECT_EQ(std::string::npos, time.find('\0')) << "no terminator in the text";
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(time[0]))) << time;

    clock.setWaitPointer(true);
    EXPECT_TRUE(clock.waiting());
    EXPECT_EQ(LoadCursor(nullptr, IDC_WAIT), GetCursor());
    clock.setWaitPointer(false);
    EXPECT_FALSE(clock.waiting());
    EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), GetCursor());

    // The test prefix keeps the default 96 dots per inch.
    EXPECT_EQ(15, clock.twipsPerPixelX());
    EXPECT_EQ(15, clock.twipsPerPixelY());
}

} // namespace
} // namespace morvane
