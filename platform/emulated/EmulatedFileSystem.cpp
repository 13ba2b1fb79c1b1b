#include "platform/emulated/EmulatedFileSystem.h"

#include "platform/TextLines.h"
#include "platform/Wildcard.h"
#include "platform/emulated/PathText.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <system_error>

#ifndef _WIN32
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace morvane {

namespace fs = std::filesystem;

EmulatedFileSystem::EmulatedFileSystem(fs::path root) : root_(std::move(root)) {}

fs::path EmulatedFileSystem::hostPath(const std::string& path) const {
    std::string drive;
    std::vector<std::string> parts;
    if (!splitWindowsPath(path, drive, parts) || notReady_.count(drive[0]))
        return {};
    fs::path host = root_ / drive;
    // Mostly the letter case is right already: one look-up instead of one per level.
    fs::path direct = host;
    for (const std::string& part : parts)
        direct /= part;
    std::error_code ec;
    if (fs::exists(direct, ec))
        return direct;
    for (const std::string& part : parts) {
        fs::path next = host / part;
        if (!fs::exists(next, ec) && fs::is_directory(host, ec)) {
            const std::unordered_map<std::string, std::string>& names = namesIn(host);
            auto found = names.find(LowerCase(part));
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
        index.names.emplace(LowerCase(name), std::move(name));
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
           (!hidden_.empty() && hidden_.count(LowerCase(hostFile.string())) > 0);
}

void EmulatedFileSystem::setHidden(const std::string& path) {
    hidden_.insert(LowerCase(hostPath(path).string()));
}

bool EmulatedFileSystem::directoryExists(const std::string& path) {
    if (injectedFault())
        return false;
    fs::path host = hostPath(path);
    std::error_code ec;
    return !host.empty() && fs::is_directory(host, ec);
}

bool EmulatedFileSystem::makeDirectory(const std::string& path) {
    if (injectedFault())
        return false;
    fs::path host = hostPath(path);
    std::error_code ec;
    if (host.empty() || fs::exists(host, ec) || !fs::is_directory(host.parent_path(), ec))
        return false;
    forgetNames(host.parent_path());
    return fs::create_directory(host, ec);
}

std::vector<std::string> EmulatedFileSystem::listFiles(const std::string& pattern) {
    if (injectedFault())
        return {};
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
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (std::string& name : names)
        keyed.emplace_back(LowerCase(name), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (auto& [key, name] : keyed)
        names.push_back(std::move(name));
    return names;
}

bool EmulatedFileSystem::writeLines(const std::string& path,
                                    const std::vector<std::string>& lines) {
    fs::path host = hostPath(path);
    std::error_code ec;
    if (host.empty() || !fs::is_directory(host.parent_path(), ec) || fs::is_directory(host, ec))
        return false;
    forgetNames(host.parent_path());
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    const bool fault = injectedFault();
    if (fault)
        bytes.resize(bytes.size() / 2); // the disk filled up half way
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    return static_cast<bool>(out) && !fault;
}

std::optional<fs::path> EmulatedFileSystem::existingFile(const std::string& path) const {
    fs::path host = hostPath(path);
    std::error_code ec;
    if (host.empty() || !fs::is_regular_file(host, ec))
        return std::nullopt;
    return host;
}

std::optional<std::ifstream> EmulatedFileSystem::readableFile(const std::string& path) const {
    const std::optional<fs::path> host = existingFile(path);
    if (!host)
        return std::nullopt;
    std::ifstream in(*host, std::ios::binary);
    if (!in)
        return std::nullopt;
    return in;
}

std::optional<std::vector<std::string>> EmulatedFileSystem::readLines(const std::string& path) {
    if (injectedFault())
        return std::nullopt;
    std::optional<std::ifstream> in = readableFile(path);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(*in)), std::istreambuf_iterator<char>());
    return splitLines(bytes);
}

bool EmulatedFileSystem::move(const std::string& from, const std::string& to, bool overwrite) {
    fs::path source = hostPath(from);
    fs::path target = hostPath(to);
    std::error_code ec;
    if (source.empty() || target.empty() || !fs::is_regular_file(source, ec) ||
        busy_.count(LowerCase(source.string())))
        return false;
    // The folders' name indexes follow this move when they were current before it.
    const fs::path fromFolder = source.parent_path(), toFolder = target.parent_path();
    const bool fromKnown = indexCurrent(fromFolder), toKnown = indexCurrent(toFolder);
    bool moved = false;
    if (overwrite) {
        moved = !fs::is_directory(target, ec) && (fs::rename(source, target, ec), !ec);
    } else {
        moved = renameNoReplace(source, target);
    }
    if (!moved)
        return false;
    noteMove(fromFolder, source.filename().string(), fromKnown, false);
    noteMove(toFolder, target.filename().string(), toKnown, true);
    return true;
}

// Whether the folder's index was made from its present state, even one made too soon after a
// change to be trusted for long: a move of our own then brings it up to date, so a folder that
// moves keep changing is not read again at every look-up.
bool EmulatedFileSystem::indexCurrent(const fs::path& folder) const {
    auto found = indexes_.find(folder.string());
    std::error_code ec;
    return found != indexes_.end() && found->second.stamp == fs::last_write_time(folder, ec) && !ec;
}

void EmulatedFileSystem::noteMove(const fs::path& folder, const std::string& name, bool known,
                                  bool added) const {
    if (!known) {
        forgetNames(folder);
        return;
    }
    NameIndex& index = indexes_[folder.string()];
    if (added)
        index.names[LowerCase(name)] = name;
    else
        index.names.erase(LowerCase(name));
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
        busy_.insert(LowerCase(hostPath(path).string()));
    else
        busy_.erase(LowerCase(hostPath(path).string()));
}

bool EmulatedFileSystem::rename(const std::string& from, const std::string& to) {
    if (injectedFault())
        return false;
    // Only within one drive, and never over an existing file.
    if (from.size() < 2 || to.size() < 2 ||
        LowerCase(from.substr(0, 2)) != LowerCase(to.substr(0, 2)))
        return false;
    return move(from, to, false);
}

bool EmulatedFileSystem::replace(const std::string& from, const std::string& to) {
    if (injectedFault())
        return false;
    return move(from, to, true);
}

bool EmulatedFileSystem::deleteFile(const std::string& path) {
    if (injectedFault())
        return false;
    const std::optional<fs::path> host = existingFile(path);
    std::error_code ec;
    if (host)
        forgetNames(host->parent_path());
    return host && fs::remove(*host, ec);
}

void EmulatedFileSystem::addDrive(char letter, std::string label, bool ready) {
    char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    labels_[drive] = std::move(label);
    std::error_code ec;
    if (ready) {
        notReady_.erase(drive);
        fs::create_directories(root_ / std::string(1, drive), ec);
    } else {
        notReady_.insert(drive);
    }
}

std::vector<DriveInfo> EmulatedFileSystem::drives() {
    if (injectedFault())
        return {};
    std::set<char> letters(notReady_);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(root_, ec)) {
        std::string name = entry.path().filename().string();
        if (entry.is_directory(ec) && name.size() == 1 &&
            std::isalpha(static_cast<unsigned char>(name[0])))
            letters.insert(static_cast<char>(std::tolower(static_cast<unsigned char>(name[0]))));
    }
    std::vector<DriveInfo> found;
    for (char letter : letters) {
        auto label = labels_.find(letter);
        found.push_back({std::string(1, static_cast<char>(std::toupper(letter))) + ":\\",
                         label == labels_.end() ? std::string() : label->second});
    }
    return found;
}

std::optional<std::vector<std::string>> EmulatedFileSystem::listFolders(const std::string& folder) {
    if (injectedFault())
        return std::nullopt;
    fs::path host = hostPath(folder);
    std::error_code ec;
    if (host.empty() || !fs::is_directory(host, ec))
        return std::nullopt;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(host, ec))
        if (entry.is_directory(ec) && !isHidden(entry.path()))
            names.push_back(entry.path().filename().string());
    if (ec)
        return std::nullopt;
    return names;
}

std::string EmulatedFileSystem::currentFolder(const std::string& drive) {
    if (drive.empty() || LowerCase(drive.substr(0, 1)) == LowerCase(current_.substr(0, 1)))
        return current_;
    return drive.substr(0, 1) + ":\\";
}

} // namespace morvane
