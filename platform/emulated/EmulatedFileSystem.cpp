#include "platform/emulated/EmulatedFileSystem.h"

#include "platform/TextLines.h"
#include "platform/emulated/PathText.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef __linux__
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#endif
#ifndef _WIN32
#include <dirent.h>
#endif

namespace morvane {

namespace fs = std::filesystem;

namespace {

// Windows wildcards, without regard to letter case: * any run, ? any one character.
bool wildcardMatch(const std::string& pattern, const std::string& name) {
    if (pattern == "*")
        return true;
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
    fs::path exact = root_ / drive;
    for (const std::string& part : parts)
        exact /= part;
    std::error_code ec;
    if (fs::exists(exact, ec))
        return exact; // spelled as it is stored: what Windows finds too
    fs::path host = root_ / drive;
    for (const std::string& part : parts) {
        fs::path next = host / part;
        if (!fs::exists(next, ec) && fs::is_directory(host, ec)) {
            const std::unordered_map<std::string, std::string>& names = namesIn(host);
            auto found = names.find(lowered(part));
            if (found != names.end())
                next = host / found->second;
        }
        host = std::move(next);
    }
    return host;
}

// A folder's names by their lower-cased spelling, kept while the folder's time stamp stays.
// Time stamps are coarse, so an index made while the folder had just changed is made afresh
// next time; one kept up to date by this file system's own moves stays valid.
const std::unordered_map<std::string, std::string>&
EmulatedFileSystem::namesIn(const fs::path& folder) const {
    std::error_code ec;
    const fs::file_time_type stamp = fs::last_write_time(folder, ec);
    NameIndex& index = indexes_[folder.string()];
    if (index.trusted && !ec && index.stamp == stamp)
        return index.names;
    index.names.clear();
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        index.names.emplace(lowered(name), std::move(name));
    }
    index.stamp = stamp;
    index.trusted = !ec && fs::file_time_type::clock::now() - stamp > std::chrono::milliseconds(50);
    return index.names;
}

void EmulatedFileSystem::forgetNames(const fs::path& folder) const {
    indexes_.erase(folder.string());
}

bool EmulatedFileSystem::isHidden(const fs::path& hostFile) const {
    return hostFile.filename().string().starts_with(".") ||
           (!hidden_.empty() && hidden_.count(lowered(hostFile.string())) > 0);
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
    forgetNames(host.parent_path());
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
#ifdef _WIN32
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        if (entry.is_regular_file(ec) && !isHidden(entry.path()) && wildcardMatch(wildcard, name))
            names.push_back(std::move(name));
    }
#else
    // Straight from the directory: a folder of a hundred thousand downloads is listed often.
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            std::string name = entry->d_name;
            bool file = entry->d_type == DT_REG ||
                        (entry->d_type == DT_UNKNOWN && fs::is_regular_file(folder / name, ec));
            if (file && !name.starts_with(".") && (hidden_.empty() || !isHidden(folder / name)) &&
                wildcardMatch(wildcard, name))
                names.push_back(std::move(name));
        }
        ::closedir(dir);
    }
#endif
    // A Windows listing comes in name order, letter case aside.
    std::vector<std::pair<std::string, std::size_t>> keys; // lower-cased name, its place
    keys.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        keys.emplace_back(lowered(names[i]), i);
    std::sort(keys.begin(), keys.end());
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(names[key.second]));
    names = std::move(sorted);
    return names;
}

bool EmulatedFileSystem::writeLines(const std::string& path,
                                    const std::vector<std::string>& lines) {
    fs::path host = hostPath(path);
    std::error_code ec;
    if (host.empty() || !fs::is_directory(host.parent_path(), ec) || fs::is_directory(host, ec))
        return false;
    forgetNames(host.parent_path());
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
        busy_.count(lowered(source.string())))
        return false;
    // The folders' name indexes follow this move when they were current before it.
    const fs::path from_folder = source.parent_path(), to_folder = target.parent_path();
    const bool fromKnown = indexCurrent(from_folder), toKnown = indexCurrent(to_folder);
    bool moved = false;
    if (overwrite) {
        moved = !fs::is_directory(target, ec) && (fs::rename(source, target, ec), !ec);
    } else {
        moved = renameNoReplace(source, target);
    }
    if (!moved)
        return false;
    noteMove(from_folder, source.filename().string(), fromKnown, false);
    noteMove(to_folder, target.filename().string(), toKnown, true);
    return true;
}

bool EmulatedFileSystem::indexCurrent(const fs::path& folder) const {
    auto found = indexes_.find(folder.string());
    std::error_code ec;
    return found != indexes_.end() && found->second.trusted &&
           found->second.stamp == fs::last_write_time(folder, ec) && !ec;
}

void EmulatedFileSystem::noteMove(const fs::path& folder, const std::string& name, bool known,
                                  bool added) const {
    if (!known) {
        forgetNames(folder);
        return;
    }
    NameIndex& index = indexes_[folder.string()];
    if (added)
        index.names[lowered(name)] = name;
    else
        index.names.erase(lowered(name));
    std::error_code ec;
    index.stamp = fs::last_write_time(folder, ec);
    index.trusted = !ec;
}

// Never over an existing file, not even one that appears after the checks: the system's
// no-replace rename where there is one, else a new link, which fails on a taken name.
bool EmulatedFileSystem::renameNoReplace(const fs::path& source, const fs::path& target) {
#ifdef __linux__
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
#endif
    std::error_code ec;
    fs::create_hard_link(source, target, ec);
    if (!ec) {
        if (fs::remove(source, ec))
            return true;
        fs::remove(target, ec); // the old name stays: undo the new one
        return false;
    }
    if (ec == std::errc::file_exists || fs::exists(target, ec))
        return false;
    ec.clear(); // no links on this file system
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
    if (host)
        forgetNames(host->parent_path());
    return host && fs::remove(*host, ec);
}

} // namespace morvane
