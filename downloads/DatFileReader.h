#pragma once
// The client's incomplete-download files: the target path stored near the end of each, and
// the name shown for it below the download folder.

#include <cstddef>
#include <optional>
#include <string>

#include "platform/Services.h"

namespace morvane {

inline constexpr std::size_t kStoredPathLength = 100;
inline constexpr std::size_t kDatReadBlock = 4096;
inline constexpr const char* kUnknownName = "UNKNOWN!";

// The path stored in a .dat file: found by the file's last ':' byte, it starts one byte before
// it and runs up to the first control byte (0 to 31, 127), at most 100 bytes; the client
// wrote them in the system's code page, and they come back in this program's. Empty when the
// file holds no usable path; none when the file cannot be opened or read. The file is read
// backwards in blocks, with the result of a byte-by-byte backward scan.
std::optional<std::string> GetDatFileName(FileSystem& files, const std::string& path,
                                          std::size_t blockSize = kDatReadBlock);

// The stored path cut by the length of folder plus separator (not checked to begin with
// it), or "UNKNOWN!" when nothing would be left.
std::string ShownName(const std::string& folder, const std::string& stored);

// Whether a listed name really ends in ".dat" (any letter case): the system's wildcard also
// matches short 8.3 names, so "*.dat" brings "x.data" too.
bool IsDatFileName(const std::string& name);

} // namespace morvane
