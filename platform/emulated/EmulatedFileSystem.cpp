#include "platform/emulated/EmulatedFileSystem.h"

#include "platform/TextLines.h"
#include "platform/emulated/PathText.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <system_error>

namespace morvane {

namespace fs = std::filesystem;

namespace {

// Windows wildcards, without regard to letter case: * any run, ? any one character.
bool wildcardMatch(const std::string& pattern, const std::string& name) {
    std::size_t p = 0, n = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || std::tolower(static_cast<unsigned char>(pattern[p])) ==
                                      std::tolower(static_cast<unsigned char>(name[n])))) {
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

// "C:\a\b" -> drive "c" and the parts "a", "b"; false for anything that is not a drive path.
bool splitWindowsPath(const std::string& path, std::string& drive,
                      std::vector<std::string>& parts) {
    if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0])))
        return false;
    drive = lowered(path.substr(0, 1));
    parts = pathParts(std::string_view(path).substr(2), "\\/");
    for (const std::string& p : parts)
        if (p == "." || p == ".." || p.find_first_of("<>\"|?*:") != std::string::npos)
            return false;
    return true;
}

} // namespace

EmulatedFileSystem::EmulatedFileSystem(fs::path root) : root_(std::move(root)) {}

fs::path EmulatedFileSystem::hostPath(const std::string& path) const {
    std::string drive;
    std::vector<std::string> parts;
    if (!splitWindowsPath(path, drive, parts))
        return {};
    fs::path host = root_ / drive;
    for (const std::string& part : parts) {
        fs::path exact = host / part;
        std::error_code ec;
        if (!fs::exists(exact, ec) && fs::is_directory(host, ec)) {
            for (const auto& entry : fs::directory_iterator(host, ec))
                if (lowered(entry.path().filename().string()) == lowered(part)) {
                    exact = entry.path();
                    break;
                }
        }
        host = exact;
    }
    return host;
}

bool EmulatedFileSystem::isHidden(const fs::path& hostFile) const {
    return hostFile.filename().string().starts_with(".") ||
           hidden_.count(lowered(hostFile.string())) > 0;
}

void EmulatedFileSystem::setHidden(const std::string& path) {
    hidden_.insert(lowered(hostPath(path).string()));
}

bool EmulatedFileSystem::directoryExists(const std::string& path) {
    fs::path host = hostPath(path);
    std::error_code ec;
    return !host.empty() && fs::is_directory(host, ec);
}

bool EmulatedFileSystem::makeDirectory(const std::string& path) {
    fs::path host = hostPath(path);
    std::error_code ec;
    if (host.empty() || fs::exists(host, ec) || !fs::is_directory(host.parent_path(), ec))
        return false;
    return fs::create_directory(host, ec);
}

std::vector<std::string> EmulatedFileSystem::listFiles(const std::string& pattern) {
    std::vector<std::string> names;
    std::size_t cut = pattern.find_last_of('\\');
    if (cut == std::string::npos)
        return names;
    fs::path folder = hostPath(pattern.substr(0, cut + 1));
    std::string wildcard = pattern.substr(cut + 1);
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec))
        return names;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        if (entry.is_regular_file(ec) && !isHidden(entry.path()) && wildcardMatch(wildcard, name))
            names.push_back(name);
    }
    // A Windows listing comes in name order, letter case aside.
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lowered(a) < lowered(b); });
    return names;
}

bool EmulatedFileSystem::writeLines(const std::string& path,
                                    const std::vector<std::string>& lines) {
    fs::path host = hostPath(path);
    std::error_code ec;
    if (host.empty() || !fs::is_directory(host.parent_path(), ec) || fs::is_directory(host, ec))
        return false;
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines)
        out << line << "\r\n";
    out.close();
    return static_cast<bool>(out);
}

std::optional<fs::path> EmulatedFileSystem::existingFile(const std::string& path) const {
    fs::path host = hostPath(path);
    std::error_code ec;
    if (host.empty() || !fs::is_regular_file(host, ec))
        return std::nullopt;
    return host;
}

std::optional<std::vector<std::string>> EmulatedFileSystem::readLines(const std::string& path) {
    const std::optional<fs::path> host = existingFile(path);
    if (!host)
        return std::nullopt;
    std::ifstream in(*host, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return splitLines(bytes);
}

std::optional<std::uint64_t> EmulatedFileSystem::fileLength(const std::string& path) {
    const std::optional<fs::path> host = existingFile(path);
    if (!host)
        return std::nullopt;
    std::error_code ec;
    auto size = fs::file_size(*host, ec);
    if (ec)
        return std::nullopt;
    return size;
}

std::optional<std::string>
EmulatedFileSystem::readBytes(const std::string& path, std::uint64_t position, std::size_t count) {
    const std::optional<fs::path> host = existingFile(path);
    if (!host)
        return std::nullopt;
    std::ifstream in(*host, std::ios::binary);
    if (!in)
        return std::nullopt;
    in.seekg(static_cast<std::streamoff>(position));
    if (!in)
        return std::string();
    std::string bytes(count, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

bool EmulatedFileSystem::move(const std::string& from, const std::string& to, bool overwrite) {
    fs::path source = hostPath(from);
    fs::path target = hostPath(to);
    std::error_code ec;
    if (source.empty() || target.empty() || !fs::is_regular_file(source, ec) ||
        fs::is_directory(target, ec) || !fs::is_directory(target.parent_path(), ec) ||
        (!overwrite && fs::exists(target, ec)) || busy_.count(lowered(source.string())))
        return false;
    if (!overwrite) {
        // A new link fails when the name is taken, so a file that appears after the check
        // above is never replaced either.
        fs::create_hard_link(source, target, ec);
        if (!ec) {
            if (fs::remove(source, ec))
                return true;
            fs::remove(target, ec); // the old name stays: undo the new one
            return false;
        }
        if (ec == std::errc::file_exists)
            return false;
        ec.clear(); // no links on this file system: the check above has to do
    }
    fs::rename(source, target, ec);
    return !ec;
}

void EmulatedFileSystem::holdOpen(const std::string& path, bool held) {
    if (held)
        busy_.insert(lowered(hostPath(path).string()));
    else
        busy_.erase(lowered(hostPath(path).string()));
}

bool EmulatedFileSystem::rename(const std::string& from, const std::string& to) {
    // Only within one drive, and never over an existing file.
    if (from.size() < 2 || to.size() < 2 || lowered(from.substr(0, 2)) != lowered(to.substr(0, 2)))
        return false;
    return move(from, to, false);
}

bool EmulatedFileSystem::replace(const std::string& from, const std::string& to) {
    return move(from, to, true);
}

bool EmulatedFileSystem::deleteFile(const std::string& path) {
    const std::optional<fs::path> host = existingFile(path);
    std::error_code ec;
    return host && fs::remove(*host, ec);
}

} // namespace morvane
