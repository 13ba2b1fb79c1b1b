// The stored profiles in the list's order: listing them, renaming the current one as its name
// is typed, adding and deleting.

#include <algorithm>

#include "core/ProfileManager.h"
#include "platform/PathRules.h"
#include "profiles/DefaultExtensions.h"
#include "profiles/Profiles.h"

namespace morvane {

void ProfileManager::ListProfiles(const std::string& except) {
    for (std::string& profile : StoredProfileNames(files_, except))
        AddEntry(std::move(profile));
}

int ProfileManager::AddEntry(std::string name) {
    names_.push_back(std::move(name));
    return static_cast<int>(names_.size()) - 1;
}

int ProfileManager::FindProfileEntry(const std::string& name) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name)
            return static_cast<int>(i);
    // File names ignore letter case.
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (SameProfileFile(names_[i], name))
            return static_cast<int>(i);
    return -1;
}

int ProfileManager::ListStoredProfile(const std::string& name) {
    for (std::string& profile : StoredProfileNames(files_, "")) {
        if (SameProfileFile(profile, name))
            return AddEntry(std::move(profile));
    }
    return -1;
}

void ProfileManager::renameEntries(const std::string& from, const std::string& to) {
    std::replace(names_.begin(), names_.end(), from, to);
}

std::string ProfileManager::FreeProfileName(std::string name) const {
    // Another entry's name, or another entry's file, is taken.
    while (NameTaken(names_, name, &currentName_))
        name = LowerCase(name + "X");
    return name;
}

bool ProfileManager::RenameProfile(const std::string& name) {
    // The profile is written under its new name before the old file goes, so a save that
    // fails costs nothing: the user has been told, and everything keeps the old name. A name
    // that never had a file has nothing to keep, so the rename goes on; otherwise a name
    // such as an imported ".bob" could not be backspaced into a usable one.
    const bool stored = StoreProfile(name);
    if (!stored && ProfilePath(currentName_))
        return false;
    renameEntries(currentName_, name);
    // The file the profile was in until now. A name that cannot be stored (the box emptied
    // on the way to a new name) must not cost the profile that file: it stays, and takes the
    // saves, until the profile is written under a name that can be stored. Names that differ
    // only in letter case or outer spaces share one file: the one just written.
    const std::string old = keptName_.empty() ? currentName_ : keptName_;
    if (stored && ProfilePath(name)) {
        if (!SameProfileFile(old, name))
            morvane::DeleteProfileFile(files_, old);
        keptName_.clear();
    } else if (ProfilePath(old)) {
        keptName_ = old;
    }
    currentName_ = name;
    return true;
}

bool ProfileManager::LeaveUnstorableName() {
    if (keptName_.empty())
        return false;
    renameEntries(currentName_, keptName_);
    currentName_ = keptName_;
    keptName_.clear();
    return true;
}

std::string ProfileManager::StoredNameOf(const std::string& entry) const {
    return entry == currentName_ && !keptName_.empty() ? keptName_ : entry;
}

std::string ProfileManager::AddProfile() {
    SaveProfile(currentName_);
    LeaveUnstorableName(); // its entry's name is taken again
    const std::string name = NewProfileName(names_);
    currentName_ = name;
    Profile fresh;
    fresh.downloadFolder = kNewProfileFolder;
    fresh.downloads = std::string(1, '3');
    fresh.uploads = std::string(1, '3');
    fresh.searchResults = std::string("100");
    for (std::size_t i = 0; i < fresh.filters.size(); ++i)
        fresh.filters[i] = {kDefaultExtensionLists[i], kNewProfileFolder};
    values_ = std::move(fresh);
    AddEntry(name);
    return name;
}

void ProfileManager::DeleteProfile(int entry) {
    if (entry < 0 || entry >= static_cast<int>(names_.size()))
        return;
    LeaveUnstorableName();
    morvane::DeleteProfileFile(files_, names_[static_cast<std::size_t>(entry)]);
    names_.erase(names_.begin() + entry);
    currentName_.clear();
}

} // namespace morvane
