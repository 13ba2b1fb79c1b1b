#pragma once
// How a text file's bytes split into lines, the same on every platform.

#include <string>
#include <vector>

namespace morvane {

// Lines end at CR LF, a lone CR or a lone LF; an unended last line counts when not empty.
// Each line is cut out whole, not built a character at a time: a profile of a thousand
// folders is read at every change of profile.
inline std::vector<std::string> splitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.emplace_back(content, start, std::string::npos);
            break;
        }
        lines.emplace_back(content, start, end - start);
        start = end + 1;
        if (content[end] == '\r' && start < content.size() && content[start] == '\n')
            ++start;
    }
    return lines;
}

} // namespace morvane
