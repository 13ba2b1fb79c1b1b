#include "downloads/RenameTarget.h"

#include "platform/PathRules.h"

namespace morvane {

namespace {

// Windows drops trailing dots and spaces, so "..." or ". ." is the parent folder too.
bool onlyDotsAndSpaces(const std::string& level) {
    return level.find_first_not_of(". ") == std::string::npos;
}

} // namespace

std::optional<std::string> RenameTarget(const std::string& folder, const std::string& shownName) {
    // Without a download folder "\" + name would be the current drive's root.
    if (folder.size() <= 1 || shownName.empty() || shownName.find(':') != std::string::npos)
        return std::nullopt;
    std::string level;
    for (std::size_t i = 0; i <= shownName.size(); ++i) {
        const bool end = i == shownName.size();
        if (end || shownName[i] == '\\' || shownName[i] == '/') {
            // An empty level is a leading separator (the drive's root) or a doubled one.
            if (level.empty() || onlyDotsAndSpaces(level) || IsReservedDeviceName(level))
                return std::nullopt;
            level.clear();
        } else {
            level += shownName[i];
        }
    }
    return folder + shownName;
}

} // namespace morvane
