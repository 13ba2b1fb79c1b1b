// The native build's test platform: the emulated platform bundle, all fresh.
#include "contract/PlatformUnderTest.h"

#include "platform/emulated/EmulatedPlatform.h"

namespace morvane::test {

namespace {

EmulatedFileSystem& emulated(FileSystem& files) {
    return static_cast<EmulatedFileSystem&>(files);
}

} // namespace

PlatformUnderTest::PlatformUnderTest() {
    auto platform = std::make_shared<EmulatedPlatform>("platform");
    registry_ = &platform->registry;
    files_ = platform->files.get();
    platform_ = std::move(platform);
    if (!files_->makeDirectory(folder_))
        ADD_FAILURE() << "cannot make " << folder_;
}

// Everything lives in the bundle's own temporary drive and memory: nothing else to clear.
PlatformUnderTest::~PlatformUnderTest() = default;

std::filesystem::path PlatformUnderTest::host(const std::string& path) const {
    return emulated(*files_).hostPath(path);
}

// The registry starts empty and is gone with the instance: a key to clear has no subkeys.
bool PlatformUnderTest::deleteKeyTree(const std::string& path) {
    long result = registry_->deleteKey(kHkeyCurrentUser, path);
    return result == kErrorSuccess || result == kErrorFileNotFound;
}

void PlatformUnderTest::holdOpen(const std::string& path, bool held) {
    emulated(*files_).holdOpen(path, held);
}

void PlatformUnderTest::setHidden(const std::string& path) {
    std::error_code ec;
    if (!readFile(path) && !std::filesystem::is_directory(host(path), ec))
        ADD_FAILURE() << "cannot hide " << path << ": no such file or folder";
    emulated(*files_).setHidden(path);
}

} // namespace morvane::test
