#include "fuzz/FuzzPlatform.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/Form1.h"

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

FuzzPlatform::FuzzPlatform() : files(sharedDrive()) {
    // Every input starts on an empty drive, so one input's files never steer the next.
    std::error_code ec;
    const fs::path drive = files.root() / "c";
    fs::remove_all(drive, ec);
    fs::create_directories(drive, ec);
}

std::string ProfileBytes(const Form1& form) {
    std::string bytes = form.txt_Downloadfolder.text() + "\r\n" + form.txt_Downloads.text() +
                        "\r\n" + form.txt_Uploads.text() + "\r\n" + form.txt_Searchresults.text() +
                        "\r\n";
    for (const std::string& folder : form.list_Folders.items())
        bytes += folder + "\r\n";
    bytes += "EOF!\r\n";
    for (std::size_t i = 0; i < form.txt_filterext.size(); ++i)
        bytes += form.txt_filterext[i].text() + "\r\n" + form.txt_filterfolder[i].text() + "\r\n";
    return bytes;
}

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
