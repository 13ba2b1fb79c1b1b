#pragma once
// The registry and file system that a test build runs against: the emulation in the native
// build (a fresh in-memory registry and a fresh temporary C: drive per instance), the real
// Win32 services under Wine in the Windows builds (the build's own Wine prefix, shared by
// every test, so whatever a test touches must be cleared).
//
// One instance per test, typically a fixture member:
//
//     void SetUp() override {
//         platform.clearKey("Software\\Kazaa");          // absent now and after the test
//         platform.clearFolder("C:\\FastTrackProfiles");
//         platform.writeFile("C:\\Downloads\\a.dat", bytes); // makes C:\Downloads too
//     }
//     ... use platform.registry() and platform.files(), check with platform.readFile(...)
//
// Paths are Windows paths on drive C:. Every failure of a helper is reported to GoogleTest
// (ADD_FAILURE) where it happens, so set-up that did not take effect fails the test.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace morvane::test {

class PlatformUnderTest {
public:
    // Makes an empty scratch folder and ensures the scratch key is absent.
    PlatformUnderTest();
    // Removes the scratch folder and key, and every folder and key passed to clear*.
    ~PlatformUnderTest();
    PlatformUnderTest(const PlatformUnderTest&) = delete;
    PlatformUnderTest& operator=(const PlatformUnderTest&) = delete;

    Registry& registry() { return *registry_; }
    FileSystem& files() { return *files_; }
    // True when these are the real Win32 services.
    static bool isWin32();

    // A folder of this instance alone ("C:\...", no trailing backslash), empty at the start.
    const std::string& scratchFolder() const { return folder_; }
    // A key path below HKEY_CURRENT_USER of this instance alone, absent at the start.
    const std::string& scratchKey() const { return key_; }

    // Deletes a key below HKEY_CURRENT_USER\Software (not Wine's or the system's) with its
    // subkeys and values, now and when the instance goes. Call it before the test writes.
    void clearKey(const std::string& path);
    // Deletes a folder on C: below its root (not the system's) with everything in it, now
    // and when the instance goes.
    void clearFolder(const std::string& path);

    // Writes a file's bytes exactly, creating it or replacing it, and its missing folders.
    void writeFile(const std::string& path, const std::string& bytes);
    // A file's bytes; none when it does not exist or cannot be read.
    std::optional<std::string> readFile(const std::string& path);
    // Gives an existing file the hidden attribute.
    void setHidden(const std::string& path);

private:
    // Where a C: path lives for this process.
    std::filesystem::path host(const std::string& path) const;
    // True when the key is gone now.
    bool deleteKeyTree(const std::string& path);

    std::unique_ptr<Registry> registry_;
    std::unique_ptr<FileSystem> files_;
    std::string folder_;
    std::string key_;
    std::vector<std::string> clearedKeys_;
    std::vector<std::string> clearedFolders_;
};

} // namespace morvane::test
