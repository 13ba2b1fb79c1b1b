#pragma once
// How a text file's bytes split into lines, the same on every platform.

#include <string>
#include <vector>

namespace morvane {

// Lines end at CR LF, a lone CR or a lone LF; an unended last line counts when not empty.
inline std::vector<std::string> splitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < content.size(); ++i) {
        char c = content[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

} // namespace morvane
