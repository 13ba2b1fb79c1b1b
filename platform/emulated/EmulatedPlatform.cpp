#include "platform/emulated/EmulatedPlatform.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>

namespace morvane {

namespace fs = std::filesystem;

namespace {

fs::path freshRoot(const std::string& purpose) {
    static std::atomic<int> counter{0};
    fs::path root =
        fs::temp_directory_path() /
        ("morvane-" + purpose + "-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::error_code ec;
    fs::remove_all(root, ec);
    fs::create_directories(root / "c", ec);
    return root;
}

} // namespace

EmulatedPlatform::EmulatedPlatform(const std::string& purpose)
    : files(std::make_unique<EmulatedFileSystem>(freshRoot(purpose))),
      services(servicesOver(registry, *files)) {}

EmulatedPlatform::~EmulatedPlatform() {
    std::error_code ec;
    fs::remove_all(files->root(), ec);
}

bool EmulatedPlatform::writeFile(const std::string& path, const std::string& bytes) {
    const fs::path host = files->hostPath(path);
    std::error_code ec;
    fs::create_directories(host.parent_path(), ec);
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
}

std::optional<std::string> EmulatedPlatform::readFile(const std::string& path) const {
    const fs::path host = files->hostPath(path);
    std::error_code ec;
    if (host.empty() || !fs::is_regular_file(host, ec))
        return std::nullopt;
    std::ifstream in(host, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void EmulatedPlatform::emptyDrive() {
    std::error_code ec;
    const fs::path drive = files->root() / "c";
    fs::remove_all(drive, ec);
    fs::create_directories(drive, ec);
}

} // namespace morvane
