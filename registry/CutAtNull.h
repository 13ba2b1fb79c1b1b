#pragma once
// Text read from the registry comes back as a whole receive buffer: the value, its NUL, then
// whatever the buffer held before. CutAtNull keeps only what comes before the first NUL.

#include <string>

namespace morvane {

// The characters of text before its first NUL; all of it when there is none.
std::string CutAtNull(const std::string& text);

} // namespace morvane
