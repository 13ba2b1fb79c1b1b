#include "platform/win32/Win32FileSystem.h"

#include "platform/TextLines.h"

#include <windows.h>

#include <algorithm>

namespace morvane {

namespace {

// A drive that is not ready (an empty floppy or card reader) must fail quietly instead of
// asking the user to insert a disk.
class QuietDriveErrors {
public:
    QuietDriveErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~QuietDriveErrors() { SetErrorMode(previous_); }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    UINT previous_;
};

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid())
            CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// The client may still hold a download open, even one being renamed away: share everything.
HANDLE openForReading(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::optional<std::string> readAll(HANDLE file) {
    std::string content;
    char chunk[16384];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &got, nullptr))
            return std::nullopt;
        if (got == 0)
            return content;
        content.append(chunk, got);
    }
}

bool writeAll(HANDLE file, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD put = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
        if (!WriteFile(file, content.data() + done, want, &put, nullptr) || put == 0)
            return false;
        done += put;
    }
    return true;
}

} // namespace

bool Win32FileSystem::directoryExists(const std::string& path) {
    QuietDriveErrors quiet;
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::makeDirectory(const std::string& path) {
    QuietDriveErrors quiet;
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

std::vector<std::string> Win32FileSystem::listFiles(const std::string& pattern) {
    QuietDriveErrors quiet;
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    // FindFirstFile reports folders and hidden files too; the program wants ordinary files.
    const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if (!(found.dwFileAttributes & skipped))
            names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool Win32FileSystem::writeLines(const std::string& path, const std::vector<std::string>& lines) {
    QuietDriveErrors quiet;
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid() && writeAll(file.get(), content);
}

std::optional<std::vector<std::string>> Win32FileSystem::readLines(const std::string& path) {
    QuietDriveErrors quiet;
    FileHandle file(openForReading(path));
    if (!file.valid())
        return std::nullopt;
    std::optional<std::string> content = readAll(file.get());
    if (!content)
        return std::nullopt;
    return splitLines(*content);
}

std::optional<std::uint64_t> Win32FileSystem::fileLength(const std::string& path) {
    QuietDriveErrors quiet;
    FileHandle file(openForReading(path));
    LARGE_INTEGER length;
    if (!file.valid() || !GetFileSizeEx(file.get(), &length))
        return std::nullopt;
    return static_cast<std::uint64_t>(length.QuadPart);
}

std::optional<std::string> Win32FileSystem::readBytes(const std::string& path,
                                                      std::uint64_t position, std::size_t count) {
    QuietDriveErrors quiet;
    FileHandle file(openForReading(path));
    if (!file.valid())
        return std::nullopt;
    LARGE_INTEGER offset;
    offset.QuadPart = static_cast<LONGLONG>(position);
    if (!SetFilePointerEx(file.get(), offset, nullptr, FILE_BEGIN))
        return std::nullopt;
    std::string bytes(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        DWORD got = 0;
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 20));
        if (!ReadFile(file.get(), bytes.data() + done, want, &got, nullptr))
            return std::nullopt;
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

bool Win32FileSystem::rename(const std::string& from, const std::string& to) {
    QuietDriveErrors quiet;
    return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool Win32FileSystem::replace(const std::string& from, const std::string& to) {
    QuietDriveErrors quiet;
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

bool Win32FileSystem::deleteFile(const std::string& path) {
    QuietDriveErrors quiet;
    return DeleteFileA(path.c_str()) != FALSE;
}

} // namespace morvane
