#pragma once
// What the test platform may wipe: under Wine the C: drive and the registry are a real
// prefix, and Z: is this machine's root folder. Both test builds apply the same rules, so a
// scenario that would wipe too much fails natively first.

#include <cctype>
#include <string>

namespace morvane::test {

inline std::string loweredText(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A folder on C: below its root, and none of the system's own folders.
inline bool mayClearFolder(const std::string& path) {
    std::string p = loweredText(path);
    if (p.size() < 4 || p.compare(0, 3, "c:\\") != 0 || p.find("..") != std::string::npos)
        return false;
    std::string top =
        p.substr(3, p.find('\\', 3) == std::string::npos ? std::string::npos : p.find('\\', 3) - 3);
    return !top.empty() && top != "windows" && top != "users" && top != "programdata" &&
           top.compare(0, 13, "program files") != 0;
}

// A key below HKEY_CURRENT_USER\Software other than the system's own.
inline bool mayClearKey(const std::string& path) {
    std::string p = loweredText(path);
    if (p.size() <= 9 || p.compare(0, 9, "software\\") != 0)
        return false;
    std::string top =
        p.substr(9, p.find('\\', 9) == std::string::npos ? std::string::npos : p.find('\\', 9) - 9);
    return !top.empty() && top != "wine" && top != "microsoft" && top != "classes" &&
           top != "policies";
}

// "C:\a\b\c.txt" -> "C:\a\b" (empty when there is no folder part).
inline std::string parentFolder(const std::string& path) {
    std::size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

} // namespace morvane::test
