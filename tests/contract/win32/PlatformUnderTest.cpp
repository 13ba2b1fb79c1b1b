// The Windows builds' test platform: the real registry and C: drive of the test's Wine prefix.
// Every test shares them, so each instance works below names of its own process and removes
// what it touched.
#include "contract/PlatformUnderTest.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "contract/ScratchGuards.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"

namespace morvane::test {

namespace fs = std::filesystem;

PlatformUnderTest::PlatformUnderTest()
    : registry_(std::make_unique<Win32Registry>()), files_(std::make_unique<Win32FileSystem>()),
      folder_("C:\\morvane-contract-" + std::to_string(GetCurrentProcessId())),
      key_("Software\\MorvaneContract\\" + std::to_string(GetCurrentProcessId())) {
    // A crashed earlier run with the same process id may have left them behind.
    clearFolder(folder_);
    clearKey(key_);
    if (!files_->makeDirectory(folder_))
        ADD_FAILURE() << "cannot make " << folder_;
}

PlatformUnderTest::~PlatformUnderTest() {
    std::error_code ec;
    for (const std::string& key : clearedKeys_)
        if (!deleteKeyTree(key))
            ADD_FAILURE() << "cannot clear HKCU\\" << key << " after the test";
    for (const std::string& folder : clearedFolders_)
        if (fs::remove_all(folder, ec) == static_cast<std::uintmax_t>(-1))
            ADD_FAILURE() << "cannot clear " << folder << " after the test";
    // Fails while another process's scratch key is still there, which is fine.
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\MorvaneContract");
}

bool PlatformUnderTest::isWin32() {
    return true;
}

fs::path PlatformUnderTest::host(const std::string& path) const {
    return path;
}

// XP has no RegDeleteTree: the subkeys go first, one by one.
bool PlatformUnderTest::deleteKeyTree(const std::string& path) {
    HKEY key = nullptr;
    LONG opened = RegOpenKeyA(HKEY_CURRENT_USER, path.c_str(), &key);
    if (opened != ERROR_SUCCESS)
        return opened == ERROR_FILE_NOT_FOUND;
    char name[256];
    while (RegEnumKeyA(key, 0, name, sizeof name) == ERROR_SUCCESS &&
           deleteKeyTree(path + "\\" + name)) {
    }
    RegCloseKey(key);
    return RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()) == ERROR_SUCCESS;
}

void PlatformUnderTest::clearKey(const std::string& path) {
    if (mayClearKey(path))
        clearedKeys_.push_back(path);
    if (!mayClearKey(path) || !deleteKeyTree(path))
        ADD_FAILURE() << "cannot clear the key " << path;
}

void PlatformUnderTest::clearFolder(const std::string& path) {
    if (mayClearFolder(path))
        clearedFolders_.push_back(path);
    std::error_code ec;
    if (!mayClearFolder(path) || fs::remove_all(path, ec) == static_cast<std::uintmax_t>(-1))
        ADD_FAILURE() << "cannot clear the folder " << path;
}

void PlatformUnderTest::writeFile(const std::string& path, const std::string& bytes) {
    if (!writeHostFile(host(path), bytes))
        ADD_FAILURE() << "cannot write " << path;
}

std::optional<std::string> PlatformUnderTest::readFile(const std::string& path) {
    return readHostFile(host(path));
}

void PlatformUnderTest::setHidden(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !SetFileAttributesA(path.c_str(),
                            (attributes & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_HIDDEN))
        ADD_FAILURE() << "cannot hide " << path;
}

} // namespace morvane::test
