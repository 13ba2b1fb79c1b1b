#include "platform/win32/Win32FileSystem.h"

#include "platform/PathRules.h"
#include "platform/TextLines.h"
#include "platform/Wildcard.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace morvane {

namespace {

// A drive that is not ready (an empty floppy or card reader) must fail quietly instead of
// asking the user to insert a disk. The thread's own mode where the system has one (Windows 7
// on): the process-wide switch is a slow round trip under Wine, paid on every file read.
class QuietDriveErrors {
public:
    QuietDriveErrors() {
        if (setThreadMode() && setThreadMode()(SEM_FAILCRITICALERRORS, &previous_)) {
            thread_ = true;
            return;
        }
        previous_ = SetErrorMode(SEM_FAILCRITICALERRORS);
    }
    ~QuietDriveErrors() {
        if (thread_)
            setThreadMode()(previous_, nullptr);
        else
            SetErrorMode(previous_);
    }
    QuietDriveErrors(const QuietDriveErrors&) = delete;
    QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

private:
    using SetThreadErrorModeFn = BOOL(WINAPI*)(DWORD, LPDWORD);
    static SetThreadErrorModeFn setThreadMode() {
        static const SetThreadErrorModeFn found = [] {
            HMODULE kernel = GetModuleHandleA("kernel32.dll");
            return kernel ? reinterpret_cast<SetThreadErrorModeFn>(reinterpret_cast<void*>(
                                GetProcAddress(kernel, "SetThreadErrorMode")))
                          : nullptr;
        }();
        return found;
    }
    DWORD previous_ = 0;
    bool thread_ = false;
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

// The whole file in one read where its length is known: the length and a byte more, so a
// short read shows the end at once. Each read is a system call (a trip to the server under
// Wine); a profile of a thousand folders took four in chunks. A file that grew meanwhile is
// read on in chunks to its end.
std::optional<std::string> readAll(HANDLE file) {
    constexpr std::size_t kChunk = 16384;
    std::size_t want = kChunk;
    LARGE_INTEGER length;
    if (GetFileSizeEx(file, &length) && length.QuadPart >= 0 && length.QuadPart < (1LL << 30))
        want = static_cast<std::size_t>(length.QuadPart) + 1;
    std::string content;
    for (;;) {
        const std::size_t at = content.size();
        content.resize(at + want);
        DWORD got = 0;
        if (!ReadFile(file, content.data() + at, static_cast<DWORD>(want), &got, nullptr))
            return std::nullopt;
        content.resize(at + got);
        if (got < want)
            return content; // a file's read comes up short only at its end
        want = kChunk;
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

// One open handle for a whole read: the client may write, rename or delete the file meanwhile.
class Win32ByteFile : public ByteFile {
public:
    Win32ByteFile(HANDLE handle, std::uint64_t length) : file_(handle), length_(length) {}
    std::uint64_t length() const override { return length_; }
    std::optional<std::string> read(std::uint64_t position, std::size_t count) override {
        std::string bytes(count, '\0');
        std::size_t done = 0;
        while (done < count) {
            OVERLAPPED at{};
            const std::uint64_t from = position + done;
            at.Offset = static_cast<DWORD>(from & 0xFFFFFFFFu);
            at.OffsetHigh = static_cast<DWORD>(from >> 32);
            DWORD got = 0;
            DWORD want = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 20));
            if (!ReadFile(file_.get(), bytes.data() + done, want, &got, &at)) {
                if (GetLastError() == ERROR_HANDLE_EOF)
                    break;
                return std::nullopt;
            }
            if (got == 0)
                break;
            done += got;
        }
        bytes.resize(done);
        return bytes;
    }

private:
    FileHandle file_;
    std::uint64_t length_;
};

} // namespace

std::unique_ptr<ByteFile> Win32FileSystem::openBytes(const std::string& path) {
    QuietDriveErrors quiet;
    HANDLE handle = openForReading(path);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER length;
    if (!GetFileSizeEx(handle, &length)) {
        CloseHandle(handle);
        return nullptr;
    }
    return std::make_unique<Win32ByteFile>(handle, static_cast<std::uint64_t>(length.QuadPart));
}

std::vector<DriveInfo> Win32FileSystem::drives() {
    QuietDriveErrors quiet;
    std::vector<DriveInfo> found;
    char roots[512] = {};
    DWORD length = GetLogicalDriveStringsA(sizeof roots - 1, roots);
    if (length == 0 || length >= sizeof roots)
        return found;
    for (const char* root = roots; *root; root += std::strlen(root) + 1) {
        DriveInfo drive{DriveRoot(root), ""};
        if (drive.root.empty())
            continue; // the system names its drives "C:\"; nothing else is a drive here
        // A removable drive is not asked for its label: that would spin up an empty floppy.
        char label[MAX_PATH + 1] = {};
        if (GetDriveTypeA(drive.root.c_str()) != DRIVE_REMOVABLE &&
            GetVolumeInformationA(drive.root.c_str(), label, sizeof label, nullptr, nullptr,
                                  nullptr, nullptr, 0))
            drive.label = label;
        found.push_back(std::move(drive));
    }
    return found;
}

std::optional<std::vector<std::string>> Win32FileSystem::listFolders(const std::string& folder) {
    QuietDriveErrors quiet;
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\')
        pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        // An empty root has no "." entry: that is a readable folder without subfolders.
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            return std::vector<std::string>();
        return std::nullopt;
    }
    std::vector<std::string> names;
    const DWORD skipped = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        const std::string name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(found.dwFileAttributes & skipped) && name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string Win32FileSystem::currentFolder(const std::string& drive) {
    char path[MAX_PATH + 1] = {};
    DWORD length = 0;
    if (drive.empty()) {
        length = GetCurrentDirectoryA(sizeof path, path);
    } else {
        // "D:" alone names that drive's current folder.
        length = GetFullPathNameA(drive.substr(0, 2).c_str(), sizeof path, path, nullptr);
    }
    if (length == 0 || length >= sizeof path)
        return drive.empty() ? std::string("C:\\") : drive.substr(0, 2) + "\\";
    std::string folder(path, length);
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

// Only a process that runs in UTF-8 has another code page to convert from: the system's own,
// which the rest of the system (and an earlier version of this program) writes in.
std::string Win32FileSystem::fromLegacyCodePage(const std::string& text) {
    if (GetACP() != CP_UTF8 || text.empty() || text.size() > INT_MAX / 2)
        return text;
    char number[8] = {};
    if (!GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE, number, sizeof number))
        return text;
    const UINT legacy = static_cast<UINT>(std::strtoul(number, nullptr, 10));
    if (legacy == 0 || legacy == CP_UTF8)
        return text;
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    const int units = MultiByteToWideChar(legacy, 0, text.data(), size, wide.data(), size);
    if (units <= 0)
        return text;
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes <= 0 || WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, converted.data(), bytes,
                                          nullptr, nullptr) != bytes)
        return text;
    return converted;
}

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
    // It also matches each file's short 8.3 alias ("*.dat" finds "x.data"): the long name
    // must match the pattern itself.
    const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const std::size_t cut = pattern.find_last_of("\\/:");
    const std::string wildcard = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
    do {
        if (!(found.dwFileAttributes & skipped) && wildcardMatch(wildcard, found.cFileName))
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
    std::unique_ptr<ByteFile> file = openBytes(path);
    if (!file)
        return std::nullopt;
    return file->read(position, count);
}

bool Win32FileSystem::rename(const std::string& from, const std::string& to) {
    QuietDriveErrors quiet;
    // Never a copy: MoveFileA copies and deletes onto another volume (a mounted folder, a
    // junction), which could freeze the window over a large file. Without COPY_ALLOWED the
    // system refuses such a move, and the caller reports it as any other failed move.
    return MoveFileExA(from.c_str(), to.c_str(), 0) != FALSE;
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
