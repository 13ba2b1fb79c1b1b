#include "profiles/ProfilePath.h"

#include <array>
#include <string_view>

#include "app/Form1.h"
#include "platform/Characters.h"

namespace morvane {

namespace {

bool isReservedDevice(const std::string& name) {
    // Windows opens the device, not a file, for these names whatever extension follows.
    std::string base = LowerCase(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    static constexpr std::array<std::string_view, 4> kDevices = {"con", "prn", "aux", "nul"};
    for (std::string_view device : kDevices)
        if (base == device)
            return true;
    return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) &&
           base[3] >= '0' && base[3] <= '9';
}

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Well-formed UTF-8 as far as the lengths of its sequences go.
bool looksLikeUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if ((lead >= 0x80 && lead < 0xC2) || lead > 0xF4 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if (!isContinuation(text[i + k]))
                return false;
        i += length;
    }
    return true;
}

} // namespace

std::string ShortenMiddle(const std::string& text, std::size_t length) {
    constexpr std::string_view kEllipsis = "...";
    if (text.size() <= length || length <= kEllipsis.size())
        return text;
    const std::size_t kept = length - kEllipsis.size();
    std::size_t headEnd = (kept + 1) / 2;
    std::size_t tailStart = text.size() - kept / 2;
    if (looksLikeUtf8(text)) {
        while (headEnd > 0 && isContinuation(text[headEnd]))
            --headEnd;
        while (tailStart < text.size() && isContinuation(text[tailStart]))
            ++tailStart;
    }
    return text.substr(0, headEnd) + std::string(kEllipsis) + text.substr(tailStart);
}

std::string TrimSpaces(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::optional<std::string> ProfilePath(const std::string& name) {
    const std::string stem = TrimSpaces(name);
    if (stem.empty() || stem.front() == '.' || isReservedDevice(stem))
        return std::nullopt;
    for (char c : stem) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
            return std::nullopt;
    }
    return std::string(kProfileDirectory) + "\\" + stem + kProfileExtension;
}

bool SameProfileFile(const std::string& a, const std::string& b) {
    std::optional<std::string> pathA = ProfilePath(a);
    std::optional<std::string> pathB = ProfilePath(b);
    // As Windows compares file names: "Ω" and "ω" are one file there.
    return pathA && pathB && FoldCase(*pathA) == FoldCase(*pathB);
}

bool NameTaken(const std::vector<std::string>& entries, const std::string& name,
               const std::string* renamed) {
    for (const std::string& entry : entries) {
        if (renamed && entry == *renamed)
            continue;
        if (entry == name || SameProfileFile(entry, name))
            return true;
    }
    return false;
}

std::optional<std::string> ProfileNameOfFile(const std::string& fileName) {
    const std::size_t extension = std::string_view(kProfileExtension).size();
    if (fileName.size() <= extension ||
        LowerCase(fileName.substr(fileName.size() - extension)) != kProfileExtension)
        return std::nullopt;
    std::string name = fileName.substr(0, fileName.size() - extension);
    // A stem with outer spaces would be saved and loaded as another file, the trimmed one.
    if (name != TrimSpaces(name) || !ProfilePath(name))
        return std::nullopt;
    return name;
}

} // namespace morvane
