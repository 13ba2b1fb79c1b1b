// SaveProfile, LoadProfile and LoadFilterSettings: the window's controls, the working copy of
// the current profile, copied into a Profile and out to its file, and back; and the three
// number fields. Storing and reading the files is in profiles/.

#include <utility>

#include "app/Form1.h"
#include "profiles/NumberFields.h"
#include "profiles/Profiles.h"

namespace morvane {

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
    Profile profile = shownFilters();
    // Without a filter section the controls keep what they hold.
    if (std::optional<FilterCategories> stored = StoredFilterSettings(sys.files, name))
        profile.filters = *stored;
    FillFilterDefaults(profile);
    showFilters(profile.filters);
}

void Form1::NumberField_Change(ui::TextBox& field) {
    // Pasted or dropped text never passes the key filter; every route ends in a change.
    field.setText(DigitsOf(field.text()));
}

void Form1::txt_Downloads_KeyPress(int& keyAscii) {
    DigitsOnlyKey(keyAscii);
}

void Form1::txt_Uploads_KeyPress(int& keyAscii) {
    DigitsOnlyKey(keyAscii);
}

void Form1::txt_Searchresults_KeyPress(int& keyAscii) {
    DigitsOnlyKey(keyAscii);
}

void Form1::txt_Downloads_LostFocus() {
    if (txt_Downloads.text().empty())
        txt_Downloads.setText(kDownloadsFallback);
    SaveProfile(txt_profilename.text());
}

void Form1::txt_Uploads_LostFocus() {
    if (txt_Uploads.text().empty())
        txt_Uploads.setText(kUploadsFallback);
    SaveProfile(txt_profilename.text());
}

void Form1::txt_Searchresults_LostFocus() {
    if (txt_Searchresults.text().empty())
        txt_Searchresults.setText(kSearchResultsFallback);
    SaveProfile(txt_profilename.text());
}

} // namespace morvane
