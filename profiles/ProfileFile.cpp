// The profile file's format and paths.

#include "profiles/ProfileFile.h"

#include <string_view>
#include <utility>

#include "platform/Characters.h"
#include "platform/PathRules.h"
#include "platform/Services.h"
#include "platform/TextLines.h"
#include "profiles/DefaultExtensions.h"

namespace morvane {

namespace {

constexpr const char* kEndOfFolders = "EOF!";
constexpr std::size_t kFirstFolderLine = 4; // 0-based: after the four single values

} // namespace

std::vector<std::string> ProfileLines(Profile profile) {
    std::vector<std::string> lines;
    lines.reserve(profile.sharedFolders.size() + 15);
    for (std::string* value :
         {&profile.downloadFolder, &profile.downloads, &profile.uploads, &profile.searchResults})
        lines.push_back(std::move(*value));
    for (std::string& folder : profile.sharedFolders)
        lines.push_back(std::move(folder));
    lines.push_back(kEndOfFolders);
    for (FilterCategory& category : profile.filters) {
        lines.push_back(std::move(category.extensions));
        lines.push_back(std::move(category.folder));
    }
    return lines;
}

std::string ProfileBytes(const Profile& profile) {
    std::string bytes;
    for (const std::string& line : ProfileLines(profile))
        bytes += line + "\r\n";
    return bytes;
}

ProfileRead ReadProfileLines(std::vector<std::string> lines) {
    ProfileRead read;
    Profile& profile = read.profile;
    auto line = [&lines](std::size_t index) {
        return index < lines.size() ? std::move(lines[index]) : std::string();
    };
    profile.downloadFolder = line(0);
    profile.downloads = line(1);
    profile.uploads = line(2);
    profile.searchResults = line(3);
    std::size_t next = kFirstFolderLine;
    for (; next < lines.size() && lines[next] != kEndOfFolders; ++next)
        profile.sharedFolders.push_back(std::move(lines[next]));
    read.filterSection = next < lines.size();
    // A category takes its two lines only when both are there; the file's end stops the
    // reading.
    ++next;
    for (std::size_t i = 0; i < profile.filters.size() && next + 1 < lines.size(); ++i, next += 2)
        profile.filters[i] = {std::move(lines[next]), std::move(lines[next + 1])};
    return read;
}

ProfileRead ReadProfileBytes(const std::string& bytes) {
    return ReadProfileLines(splitLines(bytes));
}

void FillFilterDefaults(Profile& profile) {
    for (std::size_t i = 0; i < profile.filters.size(); ++i) {
        if (profile.filters[i].extensions.empty())
            profile.filters[i].extensions = kDefaultExtensionLists[i];
        if (profile.filters[i].folder.empty())
            profile.filters[i].folder = profile.downloadFolder;
    }
}

std::optional<std::string> ProfilePath(const std::string& name) {
    const std::string stem = TrimSpaces(name);
    if (stem.empty() || stem.front() == '.' || IsReservedDeviceName(stem))
        return std::nullopt;
    for (char c : stem) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 32 || kForbiddenFileNameCharacters.find(c) != std::string_view::npos)
            return std::nullopt;
    }
    return JoinFolder(kProfileDirectory, stem + kProfileExtension);
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

bool StoreProfileFile(FileSystem& files, const std::string& path, Profile profile) {
    if (!files.directoryExists(kProfileDirectory) && !files.makeDirectory(kProfileDirectory))
        return false;
    // Never truncate the only copy: a save cut short must not cost the profile.
    const std::string temporary = path + ".tmp";
    if (files.writeLines(temporary, ProfileLines(std::move(profile))) &&
        files.replace(temporary, path))
        return true;
    files.deleteFile(temporary);
    return false;
}

std::vector<std::string> ProfileText(std::vector<std::string> lines, FileSystem& files) {
    for (const std::string& line : lines) {
        if (!IsUtf8(line)) {
            for (std::string& legacy : lines)
                legacy = files.fromLegacyCodePage(legacy);
            break;
        }
    }
    return lines;
}

std::optional<ProfileRead> LoadProfileFile(FileSystem& files, const std::string& path) {
    std::optional<std::vector<std::string>> lines = files.readLines(path);
    if (!lines)
        return std::nullopt;
    return ReadProfileLines(ProfileText(std::move(*lines), files));
}

} // namespace morvane
