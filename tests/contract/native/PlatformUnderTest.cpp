// The native build's test platform: the emulated registry and file system, all fresh.
#include "contract/PlatformUnderTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <unistd.h>

#include "contract/ScratchGuards.h"
#include "platform/emulated/EmulatedFileSystem.h"
#include "platform/emulated/EmulatedRegistry.h"

namespace morvane::test {

namespace fs = std::filesystem;

PlatformUnderTest::PlatformUnderTest()
    : registry_(std::make_unique<EmulatedRegistry>()), folder_("C:\\MorvaneContract"),
      key_("Software\\MorvaneContract") {
    static std::atomic<int> instances{0};
    fs::path root = fs::temp_directory_path() / ("morvane-platform-" + std::to_string(getpid()) +
                                                 "-" + std::to_string(++instances));
    std::error_code ec;
    fs::remove_all(root, ec);
    fs::create_directories(root / "c" / "MorvaneContract", ec);
    if (ec)
        ADD_FAILURE() << "cannot make " << root << ": " << ec.message();
    files_ = std::make_unique<EmulatedFileSystem>(root);
}

PlatformUnderTest::~PlatformUnderTest() {
    // Everything lives below the root, the registry in memory: nothing else to clear.
    std::error_code ec;
    fs::remove_all(static_cast<EmulatedFileSystem&>(*files_).root(), ec);
}

bool PlatformUnderTest::isWin32() {
    return false;
}

fs::path PlatformUnderTest::host(const std::string& path) const {
    return static_cast<EmulatedFileSystem&>(*files_).hostPath(path);
}

// The interface lists no subkeys: a key given subkeys since the test began stays, and says so.
bool PlatformUnderTest::deleteKeyTree(const std::string& path) {
    registry_->deleteKey(kHkeyCurrentUser, path);
    RegKey key = 0;
    if (registry_->openKey(kHkeyCurrentUser, path, key) != kErrorSuccess)
        return true;
    registry_->closeKey(key);
    return false;
}

void PlatformUnderTest::clearKey(const std::string& path) {
    if (!mayClearKey(path) || !deleteKeyTree(path))
        ADD_FAILURE() << "cannot clear the key " << path;
}

void PlatformUnderTest::clearFolder(const std::string& path) {
    std::error_code ec;
    if (!mayClearFolder(path) || fs::remove_all(host(path), ec) == static_cast<std::uintmax_t>(-1))
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
    if (!readFile(path))
        ADD_FAILURE() << "cannot hide " << path << ": no such file";
    static_cast<EmulatedFileSystem&>(*files_).setHidden(path);
}

} // namespace morvane::test
