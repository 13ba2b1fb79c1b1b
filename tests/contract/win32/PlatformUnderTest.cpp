// The Windows builds' test platform: the real registry and C: drive of the build's Wine prefix,
// which every test shares: each instance removes what it cleared, again, when it goes.
#include "contract/PlatformUnderTest.h"

#include <windows.h>

#include <shlwapi.h>

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"

namespace morvane::test {

namespace fs = std::filesystem;

namespace {

struct RealPlatform {
    Win32Registry registry;
    Win32FileSystem files;
};

} // namespace

PlatformUnderTest::PlatformUnderTest() {
    auto platform = std::make_shared<RealPlatform>();
    registry_ = &platform->registry;
    files_ = &platform->files;
    platform_ = std::move(platform);
    clearFolder(folder_); // an earlier run that crashed may have left it
    if (!files_->makeDirectory(folder_))
        ADD_FAILURE() << "cannot make " << folder_;
}

PlatformUnderTest::~PlatformUnderTest() {
    for (const auto& [path, handle] : held_)
        CloseHandle(handle);
    for (const std::string& key : std::vector(keys_))
        clearKey(key);
    for (const std::string& folder : std::vector(folders_))
        clearFolder(folder);
}

// Paths are UTF-8, as the program's own calls take them.
fs::path PlatformUnderTest::host(const std::string& path) const {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
}

// XP has no RegDeleteTree; the shell's light API deletes a tree there too.
bool PlatformUnderTest::deleteKeyTree(const std::string& path) {
    const DWORD result = SHDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

void PlatformUnderTest::holdOpen(const std::string& path, bool held) {
    if (!held) {
        std::erase_if(held_,
                      [&](auto& file) { return file.first == path && CloseHandle(file.second); });
        return;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        ADD_FAILURE() << "cannot open " << path;
    else
        held_.emplace_back(path, file);
}

void PlatformUnderTest::setHidden(const std::string& path) {
    if (!SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN))
        ADD_FAILURE() << "cannot hide " << path;
}

} // namespace morvane::test
