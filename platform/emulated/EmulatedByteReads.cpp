#include "platform/emulated/EmulatedFileSystem.h"

// Reading a file's bytes: its length, a range of them, and a file held open for one operation.

#include "platform/emulated/PathText.h"

#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace morvane {

namespace fs = std::filesystem;

std::optional<std::uint64_t> EmulatedFileSystem::fileLength(const std::string& path) {
    if (injectedFault())
        return std::nullopt;
    const std::optional<fs::path> host = existingFile(path);
    if (!host)
        return std::nullopt;
    std::error_code ec;
    auto size = fs::file_size(*host, ec);
    if (ec)
        return std::nullopt;
    return size;
}

namespace {

// Up to count bytes of a stream from a position (fewer at its end, none past it).
std::string readAt(std::istream& in, std::uint64_t position, std::size_t count) {
    in.clear();
    in.seekg(static_cast<std::streamoff>(position));
    if (!in)
        return std::string();
    std::string bytes(count, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

} // namespace

std::optional<std::string>
EmulatedFileSystem::readBytes(const std::string& path, std::uint64_t position, std::size_t count) {
    if (injectedFault())
        return std::nullopt;
    std::optional<std::ifstream> in = readableFile(path);
    if (!in)
        return std::nullopt;
    return readAt(*in, position, count);
}

namespace {

#ifndef _WIN32
// A file read with pread: one open for the whole operation, as the real system does it.
class HostByteFile : public ByteFile {
public:
    HostByteFile(int fd, std::uint64_t length) : fd_(fd), length_(length) {}
    ~HostByteFile() override { ::close(fd_); }
    HostByteFile(const HostByteFile&) = delete;
    HostByteFile& operator=(const HostByteFile&) = delete;
    std::uint64_t length() const override { return length_; }
    std::optional<std::string> read(std::uint64_t position, std::size_t count) override {
        std::string bytes(count, '\0');
        std::size_t done = 0;
        while (done < count) {
            ssize_t got = ::pread(fd_, bytes.data() + done, count - done,
                                  static_cast<off_t>(position + done));
            if (got < 0)
                return std::nullopt;
            if (got == 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        bytes.resize(done);
        return bytes;
    }

private:
    int fd_;
    std::uint64_t length_;
};
#else
// The emulation built for Windows (its tests run there too): a plain stream.
class HostByteFile : public ByteFile {
public:
    HostByteFile(std::ifstream in, std::uint64_t length) : in_(std::move(in)), length_(length) {}
    std::uint64_t length() const override { return length_; }
    std::optional<std::string> read(std::uint64_t position, std::size_t count) override {
        return readAt(in_, position, count);
    }

private:
    std::ifstream in_;
    std::uint64_t length_;
};
#endif

// An opened file whose reads count as calls of its file system, so they can be made to fail.
class CountedByteFile : public ByteFile {
public:
    CountedByteFile(std::unique_ptr<ByteFile> file, EmulatedFileSystem& files)
        : file_(std::move(file)), files_(files) {}
    std::uint64_t length() const override { return file_->length(); }
    std::optional<std::string> read(std::uint64_t position, std::size_t count) override {
        if (files_.injectedFault())
            return std::nullopt;
        return file_->read(position, count);
    }

private:
    std::unique_ptr<ByteFile> file_;
    EmulatedFileSystem& files_;
};

} // namespace

std::unique_ptr<ByteFile> EmulatedFileSystem::openBytes(const std::string& path) {
    if (injectedFault())
        return nullptr;
#ifndef _WIN32
    // The name as given first, the type checked on the open file: mostly no look-up beyond
    // the system's own. Another letter case is looked up level by level.
    std::string drive;
    std::vector<std::string> parts;
    if (!splitWindowsPath(path, drive, parts) || notReady_.count(drive[0]))
        return nullptr;
    fs::path direct = root_ / drive;
    for (const std::string& part : parts)
        direct /= part;
    int fd = ::open(direct.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        fd = ::open(hostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<CountedByteFile>(
        std::make_unique<HostByteFile>(fd, static_cast<std::uint64_t>(info.st_size)), *this);
#else
    const std::optional<fs::path> host = existingFile(path);
    if (!host)
        return nullptr;
    std::ifstream in(*host, std::ios::binary);
    std::error_code ec;
    const auto size = fs::file_size(*host, ec);
    if (!in || ec)
        return nullptr;
    return std::make_unique<CountedByteFile>(
        std::make_unique<HostByteFile>(std::move(in), static_cast<std::uint64_t>(size)), *this);
#endif
}

} // namespace morvane
