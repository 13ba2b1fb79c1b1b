// SaveProfile, LoadProfile and LoadFilterSettings: the window's controls, the working copy of
// the current profile, copied into a Profile and out to its file, and back.

#include <utility>

#include "app/Form1.h"
#include "platform/PathRules.h"
#include "profiles/ProfileFile.h"

namespace morvane {

namespace {

constexpr const char* kNameRule =
    "a profile name must not be blank, start with a dot, be a device name such as \"con\" "
    "or hold any of \\ / : * ? \" < > |.";

} // namespace

Profile Form1::shownFilters() const {
    Profile profile;
    profile.downloadFolder = txt_Downloadfolder.text();
    for (std::size_t i = 0; i < profile.filters.size(); ++i)
        profile.filters[i] = {txt_filterext[i].text(), txt_filterfolder[i].text()};
    return profile;
}

Profile Form1::ShownProfile() const {
    Profile profile = shownFilters();
    profile.downloads = txt_Downloads.text();
    profile.uploads = txt_Uploads.text();
    profile.searchResults = txt_Searchresults.text();
    profile.sharedFolders = list_Folders.items();
    return profile;
}

void Form1::showFilters(const FilterCategories& filters) {
    for (std::size_t i = 0; i < filters.size(); ++i) {
        txt_filterext[i].setText(filters[i].extensions);
        txt_filterfolder[i].setText(filters[i].folder);
    }
}

bool Form1::StoreProfile(const std::string& name) {
    const std::string& target =
        name == str_currentprofilename && !keptName_.empty() ? keptName_ : name;
    if (target.empty())
        return true;
    const std::optional<std::string> path = ProfilePath(target);
    if (!path) {
        tellSaveFailed(target, "Could not save the profile \"" + ShortenMiddle(target) +
                                   "\": " + kNameRule);
        return false;
    }
    Profile profile = ShownProfile();
    profile.name = target;
    if (StoreProfileFile(sys.files, *path, std::move(profile))) {
        reportedFailure_.reset();
        return true;
    }
    tellSaveFailed(target, "Could not save the profile file " + ShortenMiddle(*path) +
                               ". The file was left as it was.");
    return false;
}

void Form1::tellSaveFailed(const std::string& name, const std::string& text) {
    Profile failed = ShownProfile();
    failed.name = name;
    if (saveMessageShowing_ || failed == reportedFailure_)
        return;
    reportedFailure_ = std::move(failed);
    saveMessageShowing_ = true;
    MsgBox(text);
    saveMessageShowing_ = false;
}

void Form1::SaveProfile(const std::string& name) {
    StoreProfile(name);
}

bool Form1::LoadProfile(const std::string& name) {
    // The whole file is read before anything else happens, so nothing that the name box's
    // rename step does below can disturb the reading.
    const std::optional<std::string> path = ProfilePath(name);
    std::optional<ProfileRead> read = path ? LoadProfileFile(sys.files, *path) : std::nullopt;
    if (!read) {
        // The profile shown stays current with its values, so nothing is lost or stored
        // under another name, and the user learns why they did not change.
        if (!name.empty())
            MsgBox(path ? "Could not read the profile file " + ShortenMiddle(*path) +
                              ". The values shown were kept."
                        : "Could not read the profile \"" + ShortenMiddle(name) +
                              "\": " + kNameRule);
        return false;
    }
    leaveUnstorableName();
    str_currentprofilename = name;
    Profile& profile = read->profile;
    txt_Downloadfolder.setText(profile.downloadFolder);
    txt_Downloads.setText(profile.downloads);
    txt_Uploads.setText(profile.uploads);
    txt_Searchresults.setText(profile.searchResults);
    // In one go: a list shown on screen takes its rows at once instead of a thousand times one.
    list_Folders.setItems(std::move(profile.sharedFolders));
    FillFilterDefaults(profile);
    showFilters(profile.filters);
    // The name goes in last. A file name with capitals makes the box's rename step store the
    // profile under the lower-case name, and it must store the values just read.
    txt_profilename.setText(name);
    return true;
}

void Form1::LoadFilterSettings(const std::string& name) {
    const std::optional<std::string> path = ProfilePath(name);
    const std::optional<ProfileRead> read = path ? LoadProfileFile(sys.files, *path) : std::nullopt;
    Profile profile = shownFilters();
    // Without the marker there is no filter section: the controls keep what they hold.
    if (read && read->filterSection)
        profile.filters = read->profile.filters;
    FillFilterDefaults(profile);
    showFilters(profile.filters);
}

} // namespace morvane
