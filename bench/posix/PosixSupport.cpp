// The benchmarks' platform on Linux: the emulated C: drive in a temporary folder, and the
// POSIX calls for the baselines.

#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "bench/BenchSupport.h"
#include "platform/emulated/EmulatedPlatform.h"

namespace morvane::bench {

namespace fs = std::filesystem;

namespace {

std::string slashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

} // namespace

// The emulated platform bundle, its drive gone with it.
struct BenchDrive::Impl {
    EmulatedPlatform platform{"bench"};
};

BenchDrive::BenchDrive() : impl_(std::make_unique<Impl>()) {}

BenchDrive::~BenchDrive() = default;

Services& BenchDrive::services() {
    return impl_->platform.services;
}

bool BenchDrive::makeFolder(const std::string& relative) {
    std::error_code ec;
    const fs::path folder = hostPath(relative);
    fs::remove_all(folder, ec);
    return fs::create_directories(folder, ec);
}

bool BenchDrive::useSeededFolder(const std::string&) {
    return false; // a fresh drive each time, and files are made quickly here
}

std::string BenchDrive::windowsPath(const std::string& relative) const {
    return "C:\\" + relative;
}

std::string BenchDrive::hostPath(const std::string& relative) const {
    return (impl_->platform.files->root() / "c" / slashes(relative)).string();
}

std::vector<std::string> ListFolder(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return names;
    const std::string ending = pattern.size() > 1 ? pattern.substr(1) : std::string(); // ".dat"
    auto matches = [&ending](const std::string& name) {
        return name.size() >= ending.size() &&
               std::equal(ending.begin(), ending.end(), name.end() - ending.size(),
                          [](char a, char b) { return std::tolower(a) == std::tolower(b); });
    };
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && matches(name))
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

std::string ReadTail(const std::string& file, std::size_t bytes) {
    std::string data;
    const int fd = ::open(file.c_str(), O_RDONLY);
    if (fd < 0)
        return data;
    struct stat info {};
    if (::fstat(fd, &info) == 0) {
        const auto size = static_cast<std::uint64_t>(info.st_size);
        const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(bytes, size));
        data.resize(count);
        const ssize_t got = ::pread(fd, data.data(), count, static_cast<off_t>(size - count));
        data.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    ::close(fd);
    return data;
}

bool RenameFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool MoveOverFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool WriteFile(const std::string& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

bool MakeSparseFile(const std::string& file, std::uint64_t size, const std::string& tail) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    bool ok = size >= tail.size() && ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    if (ok)
        ok = ::pwrite(fd, tail.data(), tail.size(), static_cast<off_t>(size - tail.size())) ==
             static_cast<ssize_t>(tail.size());
    ::close(fd);
    return ok;
}

bool RemoveTree(const std::string& folder) {
    std::error_code ec;
    fs::remove_all(folder, ec);
    return !ec;
}

char HostSeparator() {
    return '/';
}

long long PeakMemoryKiB() {
    // VmHWM: the resident set's high-water mark.
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stoll(line.substr(6));
    return -1;
}

long long HeapInUseKiB() {
    return static_cast<long long>(::mallinfo2().uordblks / 1024);
}

void ResetPeakMemory() {
    // Writing 5 resets the high-water mark (Linux 4.0 and later).
    std::ofstream("/proc/self/clear_refs") << "5";
}

} // namespace morvane::bench
