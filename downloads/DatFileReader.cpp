#include "downloads/DatFileReader.h"

#include <algorithm>
#include <memory>

#include "platform/Characters.h"
#include "platform/PathRules.h"

namespace morvane {

namespace {

// Control bytes end the stored name; bytes 128 to 255 are letters of the client's code page.
bool partOfName(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte >= 32 && byte != 127;
}

// The 0-based position of the file's last ':', none when there is none; false when a read
// failed. Blocks are read from the end, so a path near the end costs one read; the block that
// held the colon is kept, with where it starts.
bool findLastColon(ByteFile& file, std::size_t blockSize, std::optional<std::uint64_t>& colon,
                   std::string& block, std::uint64_t& blockStart) {
    colon.reset();
    blockSize = std::max<std::size_t>(blockSize, 1);
    std::uint64_t end = file.length();
    while (end > 0) {
        const std::uint64_t start = end > blockSize ? end - blockSize : 0;
        const auto want = static_cast<std::size_t>(end - start);
        std::optional<std::string> read = file.read(start, want);
        // A file cut short while it is read is not one the byte-by-byte scan would finish.
        if (!read || read->size() != want)
            return false;
        const std::size_t at = read->find_last_of(':');
        if (at != std::string::npos) {
            colon = start + at;
            block = std::move(*read);
            blockStart = start;
            return true;
        }
        end = start;
    }
    return true;
}

} // namespace

std::optional<std::string> GetDatFileName(FileSystem& files, const std::string& path,
                                          std::size_t blockSize) {
    std::unique_ptr<ByteFile> file = files.openBytes(path);
    if (!file)
        return std::nullopt;
    std::optional<std::uint64_t> colon;
    std::string block;
    std::uint64_t blockStart = 0;
    if (!findLastColon(*file, blockSize, colon, block, blockStart))
        return std::nullopt;
    // No colon, or a colon as the first byte: no drive letter before it.
    if (!colon || *colon == 0)
        return std::string();
    const std::uint64_t from = *colon - 1;
    const std::uint64_t blockEnd = blockStart + block.size();
    std::optional<std::string> bytes;
    // The path mostly lies in the block already read: no second read then.
    if (from >= blockStart && (from + kStoredPathLength <= blockEnd || blockEnd == file->length()))
        bytes = block.substr(static_cast<std::size_t>(from - blockStart), kStoredPathLength);
    else
        bytes = file->read(from, kStoredPathLength);
    if (!bytes)
        return std::nullopt;
    const auto end = std::find_if_not(bytes->begin(), bytes->end(), partOfName);
    // The client writes the name in the system's code page, which need not be this program's.
    return files.fromLegacyCodePage(std::string(bytes->begin(), end));
}

std::string ShownName(const std::string& folder, const std::string& stored) {
    // The folder's prefix is cut by its length in characters: a folder or a stored name in
    // another script takes more bytes than characters.
    const std::size_t k = CharacterCount(JoinFolder(folder, ""));
    return CharacterCount(stored) > k ? stored.substr(CharacterOffset(stored, k))
                                      : std::string(kUnknownName);
}

bool IsDatFileName(const std::string& name) {
    if (name.size() < 4)
        return false;
    return LowerCase(name.substr(name.size() - 4)) == ".dat";
}

} // namespace morvane
