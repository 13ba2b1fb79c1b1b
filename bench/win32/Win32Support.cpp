// The benchmarks' platform on Windows: the real C: drive through the program's own Win32
// services, and kernel32 calls for the baselines.

#include <windows.h>
// After windows.h, which they build on.
#include <psapi.h>
#include <winioctl.h>

#include <algorithm>

#include "bench/BenchSupport.h"
#include "platform/emulated/Headless.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"

namespace morvane::bench {

struct BenchDrive::Impl {
    Win32FileSystem files;
    Win32Registry registry;
    RecordingShell shell;
    HeadlessDialogs dialogs;
    HeadlessClock clock;
    HeadlessWindowManager windows;
    Services services{registry, files, shell, dialogs, clock, windows};
    std::vector<std::string> made; // removed with the drive, newest first
};

BenchDrive::BenchDrive() : impl_(std::make_unique<Impl>()) {}

BenchDrive::~BenchDrive() {
    for (auto it = impl_->made.rbegin(); it != impl_->made.rend(); ++it)
        RemoveTree(*it);
}

Services& BenchDrive::services() {
    return impl_->services;
}

bool BenchDrive::makeFolder(const std::string& relative) {
    const std::string folder = hostPath(relative);
    if (GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false; // someone's folder: leave it alone
    // Every missing level, so each one made here is also removed here.
    std::vector<std::string> levels;
    for (std::size_t at = folder.find('\\', 3);; at = folder.find('\\', at + 1)) {
        const std::string level = folder.substr(0, at);
        if (GetFileAttributesA(level.c_str()) == INVALID_FILE_ATTRIBUTES) {
            if (!CreateDirectoryA(level.c_str(), nullptr))
                return false;
            levels.push_back(level);
        }
        if (at == std::string::npos)
            break;
    }
    if (!levels.empty())
        impl_->made.push_back(levels.front());
    return true;
}

bool BenchDrive::useSeededFolder(const std::string& relative) {
    return GetFileAttributesA((hostPath(relative) + "\\.seeded").c_str()) !=
           INVALID_FILE_ATTRIBUTES;
}

std::string BenchDrive::windowsPath(const std::string& relative) const {
    return "C:\\" + relative;
}

std::string BenchDrive::hostPath(const std::string& relative) const {
    return windowsPath(relative);
}

std::vector<std::string> ListFolder(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

std::string ReadTail(const std::string& file, std::size_t bytes) {
    std::string data;
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return data;
    LARGE_INTEGER size;
    if (GetFileSizeEx(handle, &size)) {
        const auto total = static_cast<std::uint64_t>(size.QuadPart);
        const auto count = static_cast<DWORD>(std::min<std::uint64_t>(bytes, total));
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(total - count);
        data.resize(count);
        DWORD got = 0;
        if (!SetFilePointerEx(handle, at, nullptr, FILE_BEGIN) ||
            !ReadFile(handle, data.data(), count, &got, nullptr))
            got = 0;
        data.resize(got);
    }
    CloseHandle(handle);
    return data;
}

bool RenameFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), 0) != 0; // as the product: never a copy
}

bool MoveOverFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool WriteFile(const std::string& file, const std::string& bytes) {
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(handle);
    return ok;
}

bool MakeSparseFile(const std::string& file, std::uint64_t size, const std::string& tail) {
    if (size < tail.size())
        return false;
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD returned = 0;
    // Where the file system cannot make holes the file is still correct, only not sparse.
    DeviceIoControl(handle, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size - tail.size());
    DWORD written = 0;
    const bool ok =
        SetFilePointerEx(handle, at, nullptr, FILE_BEGIN) &&
        ::WriteFile(handle, tail.data(), static_cast<DWORD>(tail.size()), &written, nullptr) &&
        written == tail.size();
    CloseHandle(handle);
    return ok;
}

bool RemoveTree(const std::string& folder) {
    bool ok = true;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                ok = RemoveTree(path) && ok;
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ok = DeleteFileA(path.c_str()) && ok;
            }
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    return RemoveDirectoryA(folder.c_str()) && ok;
}

char HostSeparator() {
    return '\\';
}

long long PeakMemoryKiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)))
        return -1;
    return static_cast<long long>(counters.PeakWorkingSetSize / 1024);
}

long long HeapInUseKiB() {
    // The blocks in use on every heap of the process (the C runtime's among them).
    std::vector<HANDLE> heaps(64);
    DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (count > heaps.size()) {
        heaps.resize(count);
        count = GetProcessHeaps(count, heaps.data());
    }
    unsigned long long bytes = 0;
    for (DWORD i = 0; i < count && i < heaps.size(); ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                bytes += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return static_cast<long long>(bytes / 1024);
}

void ResetPeakMemory() {
    // Windows keeps the peak for the process's life; the figure is then the peak so far.
}

} // namespace morvane::bench
