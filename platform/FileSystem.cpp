// What every file system can do through its basic operations alone.

#include "platform/Services.h"

#include "platform/Characters.h"

namespace morvane {

namespace {

class ReopeningByteFile : public ByteFile {
public:
    ReopeningByteFile(FileSystem& files, std::string path, std::uint64_t length)
        : files_(files), path_(std::move(path)), length_(length) {}
    std::uint64_t length() const override { return length_; }
    std::optional<std::string> read(std::uint64_t position, std::size_t count) override {
        return files_.readBytes(path_, position, count);
    }

private:
    FileSystem& files_;
    std::string path_;
    std::uint64_t length_;
};

} // namespace

std::unique_ptr<ByteFile> FileSystem::openBytes(const std::string& path) {
    std::optional<std::uint64_t> length = fileLength(path);
    if (!length)
        return nullptr;
    return std::make_unique<ReopeningByteFile>(*this, path, *length);
}

std::vector<DriveInfo> FileSystem::drives() {
    return {{"C:\\", ""}};
}

std::optional<std::vector<std::string>> FileSystem::listFolders(const std::string&) {
    return std::nullopt;
}

std::string FileSystem::currentFolder(const std::string&) {
    return "C:\\";
}

std::string FileSystem::fromLegacyCodePage(const std::string& text) {
    return Utf8FromWindows1252(text);
}

} // namespace morvane
