// The Windows builds' test platform: the real registry and C: drive of the test's Wine prefix.
// Every test shares them, so each instance works below names of its own process and removes
// what it touched.
#include "contract/PlatformUnderTest.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "contract/ScratchGuards.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"

namespace morvane::test {

namespace {

// Deletes a key below HKEY_CURRENT_USER with its subkeys; true when it is gone.
bool deleteKeyTree(const std::string& path) {
    HKEY key = nullptr;
    LONG opened = RegOpenKeyA(HKEY_CURRENT_USER, path.c_str(), &key);
    if (opened == ERROR_FILE_NOT_FOUND)
        return true;
    if (opened != ERROR_SUCCESS)
        return false;
    // XP has no RegDeleteTree: collect the subkeys first, then delete them one by one.
    std::vector<std::string> subkeys;
    char name[256];
    for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS; ++i)
        subkeys.emplace_back(name);
    RegCloseKey(key);
    for (const std::string& subkey : subkeys)
        if (!deleteKeyTree(path + "\\" + subkey))
            return false;
    return RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()) == ERROR_SUCCESS;
}

// Deletes a folder with everything in it; true when it is gone.
bool deleteFolderTree(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    bool ok = true;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string entry = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                ok = deleteFolderTree(entry) && ok;
            } else {
                SetFileAttributesA(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
                ok = DeleteFileA(entry.c_str()) && ok;
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryA(path.c_str()) && ok;
}

bool makeFolders(const std::string& path) {
    if (path.size() <= 3)
        return true;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return makeFolders(parentFolder(path)) && CreateDirectoryA(path.c_str(), nullptr);
}

} // namespace

struct PlatformUnderTest::Impl {
    Win32Registry registry;
    Win32FileSystem files;
    std::string folder = "C:\\morvane-contract-" + std::to_string(GetCurrentProcessId());
    std::string key = "Software\\MorvaneContract\\" + std::to_string(GetCurrentProcessId());
    std::vector<std::string> clearedKeys;
    std::vector<std::string> clearedFolders;
};

PlatformUnderTest::PlatformUnderTest() : impl_(std::make_unique<Impl>()) {
    // A crashed earlier run with the same process id may have left them behind.
    if (!deleteFolderTree(impl_->folder) || !CreateDirectoryA(impl_->folder.c_str(), nullptr))
        ADD_FAILURE() << "cannot make an empty " << impl_->folder;
    if (!deleteKeyTree(impl_->key))
        ADD_FAILURE() << "cannot clear HKCU\\" << impl_->key;
}

PlatformUnderTest::~PlatformUnderTest() {
    for (const std::string& key : impl_->clearedKeys)
        if (!deleteKeyTree(key))
            ADD_FAILURE() << "cannot clear HKCU\\" << key << " after the test";
    for (const std::string& folder : impl_->clearedFolders)
        if (!deleteFolderTree(folder))
            ADD_FAILURE() << "cannot clear " << folder << " after the test";
    if (!deleteKeyTree(impl_->key) || !deleteFolderTree(impl_->folder))
        ADD_FAILURE() << "cannot remove the scratch key or folder after the test";
    // Fails while another process's scratch key is still there, which is fine.
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\MorvaneContract");
}

Registry& PlatformUnderTest::registry() {
    return impl_->registry;
}

FileSystem& PlatformUnderTest::files() {
    return impl_->files;
}

bool PlatformUnderTest::isWin32() {
    return true;
}

const std::string& PlatformUnderTest::scratchFolder() const {
    return impl_->folder;
}

const std::string& PlatformUnderTest::scratchKey() const {
    return impl_->key;
}

void PlatformUnderTest::clearKey(const std::string& path) {
    if (!mayClearKey(path)) {
        ADD_FAILURE() << "refusing to clear the key " << path;
        return;
    }
    impl_->clearedKeys.push_back(path);
    if (!deleteKeyTree(path))
        ADD_FAILURE() << "cannot clear HKCU\\" << path;
}

void PlatformUnderTest::clearFolder(const std::string& path) {
    if (!mayClearFolder(path)) {
        ADD_FAILURE() << "refusing to clear the folder " << path;
        return;
    }
    impl_->clearedFolders.push_back(path);
    if (!deleteFolderTree(path))
        ADD_FAILURE() << "cannot clear " << path;
}

void PlatformUnderTest::writeFile(const std::string& path, const std::string& bytes) {
    if (!makeFolders(parentFolder(path))) {
        ADD_FAILURE() << "cannot make the folders of " << path;
        return;
    }
    // A hidden file cannot be recreated with ordinary attributes: clear them first.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot write " << path << " (error " << GetLastError() << ")";
        return;
    }
    DWORD written = 0;
    bool ok = bytes.empty() ||
              (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size());
    CloseHandle(file);
    if (!ok)
        ADD_FAILURE() << "cannot write " << path;
}

std::optional<std::string> PlatformUnderTest::readFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr)) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    if (!ok)
        return std::nullopt;
    return bytes;
}

void PlatformUnderTest::setHidden(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !SetFileAttributesA(path.c_str(),
                            (attributes & ~FILE_ATTRIBUTE_NORMAL) | FILE_ATTRIBUTE_HIDDEN))
        ADD_FAILURE() << "cannot hide " << path;
}

} // namespace morvane::test
