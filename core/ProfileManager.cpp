// The client the program serves, and storing and loading the current profile.

#include "core/ProfileManager.h"

#include <utility>

#include "profiles/Profiles.h"

namespace morvane {

ProfileManager::ProfileManager(Registry& registry, FileSystem& files, Messages& messages)
    : registry_(registry), files_(files), messages_(messages) {}

void ProfileManager::SetTarget(const TargetApplication& target) {
    target_ = {std::string(target.displayName),
               {std::string(target.localContent), std::string(target.userDetails),
                std::string(target.transfer), std::string(target.advanced)}};
}

bool ProfileManager::FindMarkedTarget() {
    // Every marker is probed; with several present the last one found wins. A hidden or
    // system marker is not listed, so it does not count.
    bool found = false;
    for (const TargetApplication& target : kTargetApplications) {
        if (!files_.listFiles(std::string(target.markerFile)).empty()) {
            SetTarget(target);
            found = true;
        }
    }
    return found;
}

bool ProfileManager::TargetInstalled() const {
    return !target_.keys.localContent.empty() &&
           ClientInstalled(registry_, target_.keys.localContent);
}

bool ProfileManager::StoreProfile(const std::string& name) {
    Profile profile = values_;
    profile.name = name == currentName_ && !keptName_.empty() ? keptName_ : name;
    const std::string target = profile.name;
    const ProfileStore store = StoreNamedProfile(files_, std::move(profile));
    if (store.stored) {
        if (!target.empty())
            reportedFailure_.reset();
        return true;
    }
    tellSaveFailed(target, store.failure);
    return false;
}

// Once: not while a message about a save is showing (it takes the focus, and a field's
// focus-loss saves again), and not again for the same values failing in the same file.
void ProfileManager::tellSaveFailed(const std::string& name, const std::string& text) {
    Profile failed = values_;
    failed.name = name;
    if (saveMessageShowing_ || failed == reportedFailure_)
        return;
    reportedFailure_ = std::move(failed);
    saveMessageShowing_ = true;
    messages_.messageBox(text, kProgramTitle, MessageButtons::Ok, MessageIcon::None);
    saveMessageShowing_ = false;
}

bool ProfileManager::LoadProfile(const std::string& name) {
    ProfileLoad load = LoadNamedProfile(files_, name);
    if (!load.read) {
        // The profile shown stays current with its values, so nothing is lost or stored
        // under another name, and the user learns why they did not change.
        if (!load.failure.empty())
            messages_.messageBox(load.failure, kProgramTitle, MessageButtons::Ok,
                                 MessageIcon::None);
        return false;
    }
    LeaveUnstorableName();
    currentName_ = name;
    values_ = std::move(load.read->profile);
    FillFilterDefaults(values_);
    return true;
}

FilterCategories ProfileManager::LoadFilterSettings(const std::string& name) {
    Profile profile;
    profile.downloadFolder = values_.downloadFolder;
    profile.filters = values_.filters;
    // Without a filter section the rows stay as they are.
    if (std::optional<FilterCategories> stored = StoredFilterSettings(files_, name))
        profile.filters = *stored;
    FillFilterDefaults(profile);
    values_.filters = profile.filters;
    return profile.filters;
}

Profile ProfileManager::ImportSettings() {
    Profile client = morvane::ImportSettings(registry_, messages_, target_.keys);
    // The name is lower-cased as the name box keeps it, and current before the box shows it,
    // so the box's rename step finds nothing to rename (it would replace the stored profile of
    // that name with these half-filled values).
    currentName_ = client.name;
    AddEntry(client.name);
    registered_ = client.name;
    client.filters = values_.filters;
    values_ = client;
    values_.name.clear();
    client.filters = LoadFilterSettings(client.name);
    return client;
}

Registration ProfileManager::RegisterProfile() {
    if (currentName_.empty())
        return {};
    SaveProfile(currentName_);
    Profile profile = values_;
    profile.name = currentName_;
    const Registration registration =
        morvane::RegisterProfile(registry_, messages_, target_.keys, profile);
    registered_ = currentName_;
    return registration;
}

} // namespace morvane
