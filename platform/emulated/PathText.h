#pragma once
// Small text helpers the emulation shares; letter case is platform/PathRules.h's LowerCase.

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

} // namespace morvane
