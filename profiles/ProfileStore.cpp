// Profiles stored under their names: saving, loading, listing and deleting their files.

#include <utility>

#include "platform/PathRules.h"
#include "platform/Services.h"
#include "profiles/Profiles.h"

namespace morvane {

namespace {

// Why a name has no file, as the messages say it: "... or hold any of \ / : * ? " < > |."
std::string nameRule() {
    std::string rule = "a profile name must not be blank, start with a dot, be a device name such "
                       "as \"con\" or hold any of";
    for (char c : kForbiddenFileNameCharacters)
        rule += std::string(" ") + c;
    return rule + ".";
}

} // namespace

ProfileStore StoreNamedProfile(FileSystem& files, Profile profile) {
    if (profile.name.empty())
        return {true, {}};
    const std::optional<std::string> path = ProfilePath(profile.name);
    if (!path)
        return {false, "Could not save the profile \"" + ShortenMiddle(profile.name) +
                           "\": " + nameRule()};
    if (StoreProfileFile(files, *path, std::move(profile)))
        return {true, {}};
    return {false, "Could not save the profile file " + ShortenMiddle(*path) +
                       ". The file was left as it was."};
}

ProfileLoad LoadNamedProfile(FileSystem& files, const std::string& name) {
    const std::optional<std::string> path = ProfilePath(name);
    ProfileLoad load{path ? LoadProfileFile(files, *path) : std::nullopt, {}};
    if (!load.read && !name.empty())
        load.failure =
            path ? "Could not read the profile file " + ShortenMiddle(*path) +
                       ". The values shown were kept."
                 : "Could not read the profile \"" + ShortenMiddle(name) + "\": " + nameRule();
    return load;
}

std::optional<FilterCategories> StoredFilterSettings(FileSystem& files, const std::string& name) {
    const std::optional<std::string> path = ProfilePath(name);
    const std::optional<ProfileRead> read = path ? LoadProfileFile(files, *path) : std::nullopt;
    // Without the marker there is no filter section.
    if (read && read->filterSection)
        return read->profile.filters;
    return std::nullopt;
}

std::vector<std::string> StoredProfileNames(FileSystem& files, const std::string& except) {
    std::vector<std::string> names;
    for (const std::string& file :
         files.listFiles(JoinFolder(kProfileDirectory, std::string("*") + kProfileExtension))) {
        // The listing may bring more than the pattern says (short names, "x.profile.tmp" on
        // some systems); only files this program can load under their listed name count.
        std::optional<std::string> profile = ProfileNameOfFile(file);
        if (profile && *profile != except)
            names.push_back(std::move(*profile));
    }
    return names;
}

void DeleteProfileFile(FileSystem& files, const std::string& name) {
    if (std::optional<std::string> path = ProfilePath(name))
        files.deleteFile(*path); // a file already gone is what we wanted
}

std::string NewProfileName(const std::vector<std::string>& entries) {
    std::string name;
    for (int n = 1; name.empty() || NameTaken(entries, name); ++n)
        name = "new_profile_" + std::to_string(n);
    return name;
}

} // namespace morvane
