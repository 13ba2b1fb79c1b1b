// SaveProfile, LoadProfile and LoadFilterSettings: the window's controls, the working copy of
// the current profile, copied into a Profile and out to its file, and back; and the three
// number fields. Storing and reading the files is in profiles/.

#include <utility>

#include "app/MainWindow.h"
#include "profiles/NumberFields.h"
#include "profiles/Profiles.h"

namespace morvane {

Profile MainWindow::shownFilters() const {
    Profile profile;
    profile.downloadFolder = downloadFolderBox.text();
    for (std::size_t i = 0; i < profile.filters.size(); ++i)
        profile.filters[i] = {filterRows[i].extensions.text(), filterRows[i].folder.text()};
    return profile;
}

Profile MainWindow::ShownProfile() const {
    Profile profile = shownFilters();
    profile.downloads = downloadsBox.text();
    profile.uploads = uploadsBox.text();
    profile.searchResults = searchResultsBox.text();
    profile.sharedFolders = sharedFolderList.items();
    return profile;
}

void MainWindow::showFilters(const FilterCategories& filters) {
    for (std::size_t i = 0; i < filters.size(); ++i) {
        filterRows[i].extensions.setText(filters[i].extensions);
        filterRows[i].folder.setText(filters[i].folder);
    }
}

bool MainWindow::StoreProfile(const std::string& name) {
    Profile profile = ShownProfile();
    profile.name = name == str_currentprofilename && !keptName_.empty() ? keptName_ : name;
    const std::string target = profile.name;
    const ProfileStore store = StoreNamedProfile(sys.files, std::move(profile));
    if (store.stored) {
        if (!target.empty())
            reportedFailure_.reset();
        return true;
    }
    tellSaveFailed(target, store.failure);
    return false;
}

void MainWindow::tellSaveFailed(const std::string& name, const std::string& text) {
    Profile failed = ShownProfile();
    failed.name = name;
    if (saveMessageShowing_ || failed == reportedFailure_)
        return;
    reportedFailure_ = std::move(failed);
    saveMessageShowing_ = true;
    MsgBox(text);
    saveMessageShowing_ = false;
}

void MainWindow::SaveProfile(const std::string& name) {
    StoreProfile(name);
}

bool MainWindow::LoadProfile(const std::string& name) {
    // The whole file is read before anything else happens, so nothing that the name box's
    // rename step does below can disturb the reading.
    ProfileLoad load = LoadNamedProfile(sys.files, name);
    if (!load.read) {
        // The profile shown stays current with its values, so nothing is lost or stored
        // under another name, and the user learns why they did not change.
        if (!load.failure.empty())
            MsgBox(load.failure);
        return false;
    }
    leaveUnstorableName();
    str_currentprofilename = name;
    Profile& profile = load.read->profile;
    downloadFolderBox.setText(profile.downloadFolder);
    downloadsBox.setText(profile.downloads);
    uploadsBox.setText(profile.uploads);
    searchResultsBox.setText(profile.searchResults);
    // In one go: a list shown on screen takes its rows at once instead of a thousand times one.
    sharedFolderList.setItems(std::move(profile.sharedFolders));
    FillFilterDefaults(profile);
    showFilters(profile.filters);
    // The name goes in last. A file name with capitals makes the box's rename step store the
    // profile under the lower-case name, and it must store the values just read.
    profileNameBox.setText(name);
    return true;
}

void MainWindow::LoadFilterSettings(const std::string& name) {
    Profile profile = shownFilters();
    // Without a filter section the controls keep what they hold.
    if (std::optional<FilterCategories> stored = StoredFilterSettings(sys.files, name))
        profile.filters = *stored;
    FillFilterDefaults(profile);
    showFilters(profile.filters);
}

void MainWindow::NumberField_Change(ui::TextBox& field) {
    // Pasted or dropped text never passes the key filter; every route ends in a change.
    field.setText(DigitsOf(field.text()));
}

void MainWindow::downloadsBox_KeyPress(int& keyAscii) {
    DigitsOnlyKey(keyAscii);
}

void MainWindow::uploadsBox_KeyPress(int& keyAscii) {
    DigitsOnlyKey(keyAscii);
}

void MainWindow::searchResultsBox_KeyPress(int& keyAscii) {
    DigitsOnlyKey(keyAscii);
}

void MainWindow::downloadsBox_LostFocus() {
    if (downloadsBox.text().empty())
        downloadsBox.setText(kDownloadsFallback);
    SaveProfile(profileNameBox.text());
}

void MainWindow::uploadsBox_LostFocus() {
    if (uploadsBox.text().empty())
        uploadsBox.setText(kUploadsFallback);
    SaveProfile(profileNameBox.text());
}

void MainWindow::searchResultsBox_LostFocus() {
    if (searchResultsBox.text().empty())
        searchResultsBox.setText(kSearchResultsFallback);
    SaveProfile(profileNameBox.text());
}

} // namespace morvane
