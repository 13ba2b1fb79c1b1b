#include "fuzz/FuzzDrive.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace morvane::fuzz {

namespace fs = std::filesystem;

namespace {

// One drive per process: made at first use, removed when the fuzzer exits.
EmulatedFileSystem& sharedDrive() {
    static const fs::path root = [] {
        fs::path made = fs::temp_directory_path() / ("morvane-fuzz-" + std::to_string(::getpid()));
        fs::remove_all(made);
        fs::create_directories(made / "c");
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(
                fs::temp_directory_path() / ("morvane-fuzz-" + std::to_string(::getpid())), ec);
        });
        return made;
    }();
    static EmulatedFileSystem files(root);
    return files;
}

} // namespace

void Check(bool ok, const char* what) {
    if (ok)
        return;
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}

FuzzPlatform::FuzzPlatform() : files(sharedDrive()) {}

void FuzzPlatform::writeFile(const std::string& path, const std::string& bytes) {
    const fs::path host = files.hostPath(path);
    fs::create_directories(host.parent_path());
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string FuzzPlatform::readFile(const std::string& path) {
    std::ifstream in(files.hostPath(path), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace morvane::fuzz
