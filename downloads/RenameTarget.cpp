#include "downloads/RenameTarget.h"

#include <cctype>
#include <vector>

namespace morvane {

namespace {

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Names that Windows takes for devices in any folder, with any extension.
bool isDeviceName(const std::string& level) {
    std::string base = upper(level.substr(0, level.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
        base == "CONOUT$")
        return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           std::isdigit(static_cast<unsigned char>(base[3])) && base[3] != '0';
}

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
            if (level.empty() || onlyDotsAndSpaces(level) || isDeviceName(level))
                return std::nullopt;
            level.clear();
        } else {
            level += shownName[i];
        }
    }
    return folder + shownName;
}

} // namespace morvane
