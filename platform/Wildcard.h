#pragma once
// Windows wildcards on long names only, without regard to letter case: * any run, ? any one
// character. The system's own matching also tries each file's short 8.3 alias, so "*.dat"
// finds "x.data" there; listings check their names again with this.

#include <cctype>
#include <string>

namespace morvane {

inline bool wildcardMatch(const std::string& pattern, const std::string& name) {
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    };
    if (pattern == "*")
        return true; // the common case, a whole folder
    std::size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace morvane
