#include "platform/PathRules.h"

#include <array>
#include <cctype>
#include <string_view>

#include "platform/Characters.h"

namespace morvane {

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string TrimSpaces(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string JoinFolder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

std::string DriveRoot(const std::string& path) {
    if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0])))
        return {};
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])))) +
           ":\\";
}

bool SameDrive(const std::string& a, const std::string& b) {
    // Windows knows no case in drive letters; the rest of the three characters compares exactly.
    auto head = [](const std::string& path) {
        std::string first = path.substr(0, 3);
        if (const std::string root = DriveRoot(first); !root.empty())
            first[0] = root[0];
        return first;
    };
    return head(a) == head(b);
}

bool BeginsWithDriveRoot(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && path[2] == '\\';
}

bool IsRefusedNameKey(int keyAscii) {
    return keyAscii == ' ' || (keyAscii > 0 && keyAscii < 128 &&
                               kForbiddenFileNameCharacters.find(static_cast<char>(keyAscii)) !=
                                   std::string_view::npos);
}

bool IsReservedDeviceName(const std::string& name) {
    // Windows looks at the part before the first dot, with the spaces before that dot (or at
    // the end) dropped: "con", "Con.txt", "nul ", "aux .log" and "com1..." are all devices.
    std::string base = LowerCase(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    static constexpr std::array<std::string_view, 6> kDevices = {"con", "prn",    "aux",
                                                                 "nul", "conin$", "conout$"};
    for (std::string_view device : kDevices)
        if (base == device)
            return true;
    // COM0 and LPT0 are no devices.
    return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) &&
           base[3] >= '1' && base[3] <= '9';
}

namespace {

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string ShortenMiddle(const std::string& text, std::size_t length) {
    constexpr std::string_view kEllipsis = "...";
    if (text.size() <= length || length <= kEllipsis.size())
        return text;
    const std::size_t kept = length - kEllipsis.size();
    std::size_t headEnd = (kept + 1) / 2;
    std::size_t tailStart = text.size() - kept / 2;
    if (IsUtf8(text)) {
        while (headEnd > 0 && isContinuation(text[headEnd]))
            --headEnd;
        while (tailStart < text.size() && isContinuation(text[tailStart]))
            ++tailStart;
    }
    return text.substr(0, headEnd) + std::string(kEllipsis) + text.substr(tailStart);
}

} // namespace morvane
