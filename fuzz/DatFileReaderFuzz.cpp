// The .dat reader on any bytes as the file and any block size: reading backwards in blocks
// must give exactly what the plain byte-by-byte backward scan gives. The file lives in memory
// so the run spends its time in the reader.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "downloads/DatFileReader.h"
#include "fuzz/FuzzPlatform.h"
#include "platform/Characters.h"

namespace {

using namespace morvane;

// The scan as the client's format is described: from the last byte backwards to the last
// ':', then up to 100 bytes from the byte before it, ended by the first control byte.
std::string plainScan(const std::string& file) {
    std::size_t p = file.size(); // 1-based position of the next byte to read
    char c = '\0';
    while (c != ':' && p > 0) {
        c = file[p - 1];
        --p;
    }
    if (p == 0)
        return "";
    std::string result;
    for (std::size_t at = p - 1; at < file.size() && result.size() < 100; ++at) {
        const auto byte = static_cast<unsigned char>(file[at]);
        if (byte < 32 || byte == 127)
            break;
        result += file[at];
    }
    return result;
}

class MemoryFile : public ByteFile {
public:
    explicit MemoryFile(const std::string& bytes) : bytes_(bytes) {}
    std::uint64_t length() const override { return bytes_.size(); }
    std::optional<std::string> read(std::uint64_t position, std::size_t count) override {
        if (position >= bytes_.size())
            return std::string();
        return bytes_.substr(static_cast<std::size_t>(position), count);
    }

private:
    const std::string& bytes_;
};

// One file, "C:\x.dat", and nothing else.
class MemoryFiles : public FileSystem {
public:
    std::string bytes;
    std::unique_ptr<ByteFile> openBytes(const std::string& path) override {
        if (path != "C:\\x.dat")
            return nullptr;
        return std::make_unique<MemoryFile>(bytes);
    }
    bool directoryExists(const std::string&) override { return false; }
    bool makeDirectory(const std::string&) override { return false; }
    std::vector<std::string> listFiles(const std::string&) override { return {}; }
    bool writeLines(const std::string&, const std::vector<std::string>&) override { return false; }
    std::optional<std::vector<std::string>> readLines(const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::uint64_t> fileLength(const std::string&) override { return std::nullopt; }
    std::optional<std::string> readBytes(const std::string&, std::uint64_t, std::size_t) override {
        return std::nullopt;
    }
    bool rename(const std::string&, const std::string&) override { return false; }
    bool replace(const std::string&, const std::string&) override { return false; }
    bool deleteFile(const std::string&) override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using morvane::fuzz::Check;
    if (size == 0)
        return 0;
    // The first byte picks the block size: small ones put the colon and the path across
    // block edges; 0 stands for the size the program uses.
    const std::size_t block = data[0] == 0 ? kDatReadBlock : data[0] % 64 + 1;
    MemoryFiles files;
    files.bytes.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::optional<std::string> read = GetDatFileName(files, "C:\\x.dat", block);
    Check(read.has_value(), "a readable file was reported unreadable");
    Check(*read == files.fromLegacyCodePage(plainScan(files.bytes)),
          "the block reader differs from the byte-by-byte scan");
    // Windows-1252 takes at most three UTF-8 bytes a letter.
    Check(read->size() <= 3 * kStoredPathLength, "the stored path is longer than 100 letters");
    Check(IsUtf8(*read), "the stored path is not UTF-8");
    return 0;
}
