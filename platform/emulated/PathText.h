#pragma once
// Small text helpers the emulation shares; letter case is platform/PathRules.h's LowerCase.

#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "platform/PathRules.h"

namespace morvane {

// The non-empty parts of a path between any of the separators.
inline std::vector<std::string> pathParts(std::string_view path, std::string_view separators) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (separators.find(c) == std::string_view::npos) {
            part.push_back(c);
        } else if (!part.empty()) {
            parts.push_back(std::move(part));
            part.clear();
        }
    }
    if (!part.empty())
        parts.push_back(std::move(part));
    return parts;
}

// "C:\a\b" -> drive "c" and the parts "a", "b"; false for anything that is not a drive path.
inline bool splitWindowsPath(const std::string& path, std::string& drive,
                             std::vector<std::string>& parts) {
    if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0])))
        return false;
    drive = LowerCase(path.substr(0, 1));
    parts = pathParts(std::string_view(path).substr(2), "\\/");
    for (const std::string& p : parts)
        if (p == "." || p == ".." || p.find_first_of("<>\"|?*:") != std::string::npos)
            return false;
    return true;
}

} // namespace morvane
