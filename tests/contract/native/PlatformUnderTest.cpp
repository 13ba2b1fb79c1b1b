// The native build's test platform: the emulated registry and file system, all fresh.
#include "contract/PlatformUnderTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "contract/ScratchGuards.h"
#include "platform/emulated/EmulatedFileSystem.h"
#include "platform/emulated/EmulatedRegistry.h"

namespace morvane::test {

namespace fs = std::filesystem;

struct PlatformUnderTest::Impl {
    fs::path root;
    EmulatedRegistry registry;
    std::unique_ptr<EmulatedFileSystem> files;
    std::string folder = "C:\\MorvaneContract";
    std::string key = "Software\\MorvaneContract";

    // Makes the folder and its missing parents, as a scenario's set-up expects.
    bool makeFolders(const std::string& path) {
        if (path.size() <= 3 || files->directoryExists(path))
            return true;
        return makeFolders(parentFolder(path)) && files->makeDirectory(path);
    }
};

PlatformUnderTest::PlatformUnderTest() : impl_(std::make_unique<Impl>()) {
    static std::atomic<int> instances{0};
    impl_->root = fs::temp_directory_path() / ("morvane-platform-" + std::to_string(getpid()) +
                                               "-" + std::to_string(++instances));
    std::error_code ec;
    fs::remove_all(impl_->root, ec);
    fs::create_directories(impl_->root / "c", ec);
    if (ec)
        ADD_FAILURE() << "cannot make " << impl_->root << ": " << ec.message();
    impl_->files = std::make_unique<EmulatedFileSystem>(impl_->root);
    if (!impl_->files->makeDirectory(impl_->folder))
        ADD_FAILURE() << "cannot make " << impl_->folder;
}

PlatformUnderTest::~PlatformUnderTest() {
    // Everything lives below the root, the registry in memory: nothing else to clear.
    std::error_code ec;
    fs::remove_all(impl_->root, ec);
}

Registry& PlatformUnderTest::registry() {
    return impl_->registry;
}

FileSystem& PlatformUnderTest::files() {
    return *impl_->files;
}

bool PlatformUnderTest::isWin32() {
    return false;
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
    // The registry starts empty. A key written since cannot be cleared here (the interface
    // lists no subkeys), so say so rather than leave it in place silently.
    impl_->registry.deleteKey(kHkeyCurrentUser, path);
    RegKey key = 0;
    if (impl_->registry.openKey(kHkeyCurrentUser, path, key) == kErrorSuccess) {
        impl_->registry.closeKey(key);
        ADD_FAILURE() << "clearKey(" << path << ") after the key was given subkeys";
    }
}

void PlatformUnderTest::clearFolder(const std::string& path) {
    if (!mayClearFolder(path)) {
        ADD_FAILURE() << "refusing to clear the folder " << path;
        return;
    }
    fs::path host = impl_->files->hostPath(path);
    std::error_code ec;
    if (!host.empty())
        fs::remove_all(host, ec);
    if (ec || impl_->files->directoryExists(path))
        ADD_FAILURE() << "cannot clear " << path;
}

void PlatformUnderTest::writeFile(const std::string& path, const std::string& bytes) {
    if (!impl_->makeFolders(parentFolder(path))) {
        ADD_FAILURE() << "cannot make the folders of " << path;
        return;
    }
    fs::path host = impl_->files->hostPath(path);
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (host.empty() || !out)
        ADD_FAILURE() << "cannot write " << path;
}

std::optional<std::string> PlatformUnderTest::readFile(const std::string& path) {
    fs::path host = impl_->files->hostPath(path);
    std::error_code ec;
    if (host.empty() || !fs::is_regular_file(host, ec))
        return std::nullopt;
    std::ifstream in(host, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void PlatformUnderTest::setHidden(const std::string& path) {
    if (!readFile(path)) {
        ADD_FAILURE() << "cannot hide " << path << ": no such file";
        return;
    }
    impl_->files->setHidden(path);
}

} // namespace morvane::test
