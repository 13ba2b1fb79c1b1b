#pragma once
// The registry and file system a test build runs against: the emulation natively (a fresh
// in-memory registry and temporary C: drive per instance), the real Win32 services of the
// build's own Wine prefix under Wine (shared by every test, so what a test touches is cleared).
// Paths are Windows paths on C:. A helper that fails says so to GoogleTest where it happens.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/PathRules.h"
#include "platform/Services.h"
#include "platform/emulated/Headless.h"
#include "support/RegistryValues.h"

namespace morvane::test {

class PlatformUnderTest {
public:
    PlatformUnderTest();  // with an empty scratch folder
    ~PlatformUnderTest(); // clears again what clear* cleared

    Registry& registry() { return *registry_; }
    FileSystem& files() { return *files_; }
    // The headless view, and the services of a window shown on it over this platform.
    HeadlessView view;
    Services services() { return view.servicesOver(*registry_, *files_); }
    // A folder for the test's own files ("C:\...", no trailing backslash), empty at the start.
    const std::string& scratchFolder() const { return folder_; }

    // Deletes a key below HKEY_CURRENT_USER\Software (not Wine's or the system's) with its
    // subkeys and values, now and when the instance goes. Call it before the test writes.
    void clearKey(const std::string& path) {
        bool safe = mayClear(path, "software\\", "wine|microsoft|classes|policies");
        if (safe)
            keys_.push_back(path);
        if (!safe || !deleteKeyTree(path))
            ADD_FAILURE() << "cannot clear the key " << path;
    }
    // Deletes a folder on C: below its root (not the system's) with everything in it, now and
    // when the instance goes.
    void clearFolder(const std::string& path) {
        bool safe =
            mayClear(path, "c:\\", "windows|users|programdata|program files|program files (x86)");
        if (safe)
            folders_.push_back(path);
        std::error_code ec;
        if (!safe || std::filesystem::remove_all(host(path), ec) == static_cast<std::uintmax_t>(-1))
            ADD_FAILURE() << "cannot clear the folder " << path;
    }

    // Writes a file's bytes exactly, creating it and its missing folders or replacing it.
    void writeFile(const std::string& path, const std::string& bytes) {
        const std::filesystem::path file = host(path);
        std::error_code ec;
        std::filesystem::create_directories(file.parent_path(), ec);
        std::filesystem::remove(file, ec); // a hidden file cannot be truncated on Windows
        std::ofstream out(file, std::ios::binary);
        if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush())
            ADD_FAILURE() << "cannot write " << path;
    }
    // A file's bytes; none when it does not exist or cannot be read.
    std::optional<std::string> readFile(const std::string& path) {
        std::error_code ec;
        std::ifstream in(host(path), std::ios::binary);
        if (!std::filesystem::is_regular_file(host(path), ec) || !in)
            return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Gives an existing file the hidden attribute.
    void setHidden(const std::string& path);
    // Holds a file open without sharing its deletion (as a program still writing it would),
    // or lets it go; whatever is held is let go with the instance.
    void holdOpen(const std::string& path, bool held);

    // A value below HKEY_CURRENT_USER, its key created; its stored bytes ("<missing>": none).
    void put(const std::string& key, const std::string& name, const std::string& bytes,
             std::uint32_t type = kRegSz) {
        putValue(*registry_, key, name, bytes, type);
    }
    std::string stored(const std::string& key, const std::string& name) {
        return storedValue(*registry_, key, name);
    }

private:
    // Both builds refuse the same paths (under Wine, Z: is this machine's root folder), so a
    // test that would wipe too much fails natively first: below prefix ("c:\" or "software\"),
    // and not in a folder or key of the system's (listed "a|b").
    static bool mayClear(std::string path, const std::string& prefix, const std::string& system) {
        path = LowerCase(path);
        if (!path.starts_with(prefix) || path.find("..") != std::string::npos)
            return false;
        path = path.substr(prefix.size(), path.find('\\', prefix.size()) - prefix.size());
        return !path.empty() && ("|" + system + "|").find("|" + path + "|") == std::string::npos;
    }
    // Where a C: path lives for this process.
    std::filesystem::path host(const std::string& path) const;
    // True when the key is gone now.
    bool deleteKeyTree(const std::string& path);

    std::shared_ptr<void> platform_; // what the registry and file system belong to
    Registry* registry_ = nullptr;
    FileSystem* files_ = nullptr;
    const std::string folder_ = "C:\\MorvaneContract";
    std::vector<std::string> keys_;
    std::vector<std::string> folders_;
    std::vector<std::pair<std::string, void*>> held_;
};

} // namespace morvane::test
