#pragma once
// Profiles stored under their names: saving, loading, listing and deleting them, and the
// rules of the profile list and the name box. Nothing here knows the window.

#include <optional>
#include <string>
#include <vector>

#include "profiles/ProfileFile.h"

namespace morvane {

class FileSystem;

// What storing a profile under its name did: stored, or the message that says why not.
struct ProfileStore {
    bool stored = false;
    std::string failure; // empty when stored
};
// The profile under `profile.name`; a blank name stores nothing and counts as stored.
ProfileStore StoreNamedProfile(FileSystem& files, Profile profile);

// What loading a profile by its name found: the file's contents, or the message that says
// why not (empty for a blank name, which is not told).
struct ProfileLoad {
    std::optional<ProfileRead> read;
    std::string failure;
};
ProfileLoad LoadNamedProfile(FileSystem& files, const std::string& name);

// The filter rows stored in the profile's file; nothing when it has no filter section.
std::optional<FilterCategories> StoredFilterSettings(FileSystem& files, const std::string& name);

// The names of the stored profiles this program can load, in the listing's order, without
// `except`.
std::vector<std::string> StoredProfileNames(FileSystem& files, const std::string& except);

// The profile's file deleted; a file already gone is what was wanted.
void DeleteProfileFile(FileSystem& files, const std::string& name);

// The first of new_profile_1, new_profile_2, ... that no entry takes.
std::string NewProfileName(const std::vector<std::string>& entries);

// The folder a new profile downloads and filters into.
inline constexpr const char* kNewProfileFolder = "C:\\";

} // namespace morvane
