#pragma once
// What tests, fuzz targets and benchmarks make or look for often, made in one place: the bytes
// of an incomplete download's ".dat" file, and the program's own messages. (Profile files are
// made with the profile codec, profiles/ProfileFile.h.)

#include <string>

#include "platform/emulated/Headless.h"

namespace morvane {

// The bytes of a client's ".dat" file that holds `stored` as its download's path: a header,
// the path, `after` (a NUL ends the path where the client writes one) and a few bytes more.
std::string DatFileBytes(const std::string& stored,
                         const std::string& after = std::string(1, '\0'));

// Whether a message box is one the program itself shows: its caption and text match one of
// its messages (names and paths in them may be anything).
bool IsOwnMessage(const ShownMessage& message);

} // namespace morvane
