// What only the real system can show: a move onto another volume is refused rather than copied,
// and the tick count behind the XP fallback.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "contract/PlatformUnderTest.h"
#include "platform/win32/XpCompat.h"

namespace morvane {
namespace {

// Under Wine on Linux, Z:\dev\shm is a memory file system: another volume than the prefix's
// C:, as a mounted folder or a junction is on Windows. Only a copy gets a file there.
TEST(Win32Services, AMoveOntoAnotherVolumeIsRefusedNotCopied) {
    test::PlatformUnderTest platform;
    const std::string other = "Z:\\dev\\shm\\morvane-" + std::to_string(GetCurrentProcessId());
    const std::string song = platform.scratchFolder() + "\\song.mp3";
    const std::string probe = platform.scratchFolder() + "\\probe.mp3";
    if (!CreateDirectoryA(other.c_str(), nullptr))
        GTEST_SKIP() << "no folder " << other << " to move to";
    platform.writeFile(song, "song");
    platform.writeFile(probe, "probe");
    const bool sameVolume = MoveFileExA(probe.c_str(), (other + "\\probe.mp3").c_str(), 0);
    const bool copied = sameVolume || MoveFileA(probe.c_str(), (other + "\\probe.mp3").c_str());
    if (!sameVolume) {
        EXPECT_TRUE(copied) << "a move allowed to copy gets the file onto " << other;
        EXPECT_FALSE(platform.files().rename(song, other + "\\song.mp3"));
        EXPECT_EQ(platform.readFile(song), "song") << "left where it was";
        EXPECT_EQ(GetFileAttributesA((other + "\\song.mp3").c_str()), INVALID_FILE_ATTRIBUTES);
    }
    DeleteFileA((other + "\\probe.mp3").c_str());
    DeleteFileA((other + "\\song.mp3").c_str());
    RemoveDirectoryA(other.c_str());
    if (sameVolume)
        GTEST_SKIP() << other << " is on the same volume as C: here";
}

// The client, an ANSI program in the system's code page, reads its keys through the system's
// conversion from UTF-16: text the program stores in UTF-8 must be those characters there.
TEST(Win32Services, TextStoredInUtf8IsTheSameCharactersInTheRegistry) {
    ASSERT_EQ(GetACP(), 65001u) << "the manifest's UTF-8 code page";
    test::PlatformUnderTest platform;
    const std::string key = "Software\\MorvaneContract\\Кино";
    platform.clearKey("Software\\MorvaneContract");
    platform.put(key, "Dir0", std::string("012345:C:\\日本語\\Ωmega") + '\0');
    HKEY handle = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER,
                            L"Software\\MorvaneContract\\\u041a\u0438\u043d\u043e", 0, KEY_READ,
                            &handle),
              ERROR_SUCCESS);
    wchar_t data[64] = {};
    DWORD size = sizeof data;
    EXPECT_EQ(
        RegQueryValueExW(handle, L"Dir0", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
        ERROR_SUCCESS);
    RegCloseKey(handle);
    EXPECT_EQ(std::wstring(data), L"012345:C:\\\u65e5\u672c\u8a9e\\\u03a9mega");
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
