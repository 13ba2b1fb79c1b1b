// The native build's test platform: the emulated registry and file system, all fresh.
#include "contract/PlatformUnderTest.h"

#include <unistd.h>

#include "platform/emulated/EmulatedFileSystem.h"
#include "platform/emulated/EmulatedRegistry.h"

namespace morvane::test {

namespace fs = std::filesystem;

PlatformUnderTest::PlatformUnderTest() : registry_(std::make_unique<EmulatedRegistry>()) {
    fs::path root = fs::temp_directory_path() / ("morvane-platform-" + std::to_string(getpid()) +
                                                 "-" + std::to_string(std::uintptr_t(this)));
    std::error_code ec;
    fs::remove_all(root, ec);
    if (!fs::create_directories(root / "c" / "MorvaneContract", ec))
        ADD_FAILURE() << "cannot make " << root << ": " << ec.message();
    files_ = std::make_unique<EmulatedFileSystem>(root);
}

// Everything lives below the root, the registry in memory: nothing else to clear.
PlatformUnderTest::~PlatformUnderTest() {
    std::error_code ec;
    fs::remove_all(static_cast<EmulatedFileSystem&>(*files_).root(), ec);
}

fs::path PlatformUnderTest::host(const std::string& path) const {
    return static_cast<EmulatedFileSystem&>(*files_).hostPath(path);
}

// The registry starts empty and is gone with the instance: a key to clear has no subkeys.
bool PlatformUnderTest::deleteKeyTree(const std::string& path) {
    long result = registry_->deleteKey(kHkeyCurrentUser, path);
    return result == kErrorSuccess || result == kErrorFileNotFound;
}

void PlatformUnderTest::holdOpen(const std::string& path, bool held) {
    static_cast<EmulatedFileSystem&>(*files_).holdOpen(path, held);
}

void PlatformUnderTest::setHidden(const std::string& path) {
    std::error_code ec;
    if (!readFile(path) && !fs::is_directory(host(path), ec))
        ADD_FAILURE() << "cannot hide " << path << ": no such file or folder";
    static_cast<EmulatedFileSystem&>(*files_).setHidden(path);
}

} // namespace morvane::test
