#pragma once
// What both test platforms share. Under Wine the C: drive and the registry are a real prefix
// and Z: is this machine's root folder: both builds refuse the same paths, so a scenario that
// would wipe too much fails natively first.

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace morvane::test {

// The first name below prefix ("c:\" or "software\"), lower-cased; empty when there is none.
inline std::string topBelow(const std::string& path, const std::string& prefix) {
    std::string p;
    for (char c : path)
        p += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (p.compare(0, prefix.size(), prefix) != 0 || p.find("..") != std::string::npos)
        return std::string();
    return p.substr(prefix.size(), p.find('\\', prefix.size()) - prefix.size());
}

inline bool mayClearFolder(const std::string& path) {
    std::string top = topBelow(path, "c:\\");
    return !top.empty() && top != "windows" && top != "users" && top != "programdata" &&
           !top.starts_with("program files");
}

inline bool mayClearKey(const std::string& path) {
    std::string top = topBelow(path, "software\\");
    return !top.empty() && top != "wine" && top != "microsoft" && top != "classes" &&
           top != "policies";
}

inline bool writeHostFile(const std::filesystem::path& file, const std::string& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    std::filesystem::remove(file, ec); // a hidden file cannot be truncated on Windows
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

inline std::optional<std::string> readHostFile(const std::filesystem::path& file) {
    std::error_code ec;
    std::ifstream in(file, std::ios::binary);
    if (!std::filesystem::is_regular_file(file, ec) || !in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace morvane::test
