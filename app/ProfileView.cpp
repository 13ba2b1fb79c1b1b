// The profile's values in the controls and back: showing a profile, the import and the
// registration as the window shows them, storing and loading, the number fields and the
// shared folder list. The operations are the state's (core/ProfileManager.h).

#include "app/ProfileView.h"

#include <algorithm>

#include "app/MainWindow.h"
#include "platform/PathRules.h"
#include "profiles/NumberFields.h"
#include "profiles/Profiles.h"

namespace morvane {

void ProfileView::connect() {
    MainWindow& w = w_;
    Profile& values = w.profiles.values();
    w.downloadFolderBox.Change = [&w, &values] {
        values.downloadFolder = w.downloadFolderBox.text();
    };
    const std::pair<ui::TextBox*, std::string*> numbers[] = {
        {&w.downloadsBox, &values.downloads},
        {&w.uploadsBox, &values.uploads},
        {&w.searchResultsBox, &values.searchResults}};
    for (const auto& number : numbers) {
        ui::TextBox* field = number.first;
        std::string* value = number.second;
        field->KeyPress = [](int& k) { DigitsOnlyKey(k); };
        field->Change = [this, field, value] {
            NumberField_Change(*field);
            *value = field->text();
        };
    }
    w.downloadsBox.LostFocus = [this] {
        NumberField_LostFocus(w_.downloadsBox, kDownloadsFallback);
    };
    w.uploadsBox.LostFocus = [this] { NumberField_LostFocus(w_.uploadsBox, kUploadsFallback); };
    w.searchResultsBox.LostFocus = [this] {
        NumberField_LostFocus(w_.searchResultsBox, kSearchResultsFallback);
    };
    w.profileNameBox.KeyPress = [](int& k) {
        if (IsRefusedNameKey(k))
            k = 0;
    };
    w.profileNameBox.Change = [this] { profileNameBox_Change(); };
    w.profileList.MouseDown = [this](int b, int s, float x, float y) {
        profileList_MouseDown(b, s, x, y);
    };
    w.profileMenu.items[MainWindow::AddProfile].Click = [this] { AddProfile_Click(); };
    w.profileMenu.items[MainWindow::DeleteProfile].Click = [this] { DeleteProfile_Click(); };
    w.sharedFolderList.MouseDown = [this](int b, int s, float x, float y) {
        sharedFolderList_MouseDown(b, s, x, y);
    };
    w.folderMenu.items[MainWindow::AddFolder].Click = [this] { AddFolder_Click(); };
    w.folderMenu.items[MainWindow::RemoveFolder].Click = [this] { RemoveFolder_Click(); };
}

void ProfileView::showProfileNames() {
    const std::vector<std::string>& names = w_.profiles.names();
    ui::ListBox& list = w_.profileList;
    // Each operation changes the list one way: an entry removed, entries renamed, or entries
    // added at the end.
    while (static_cast<std::size_t>(list.count()) > names.size()) {
        int at = 0;
        while (static_cast<std::size_t>(at) < names.size() &&
               list.item(at) == names[static_cast<std::size_t>(at)])
            ++at;
        list.removeItem(at);
    }
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i) != names[static_cast<std::size_t>(i)])
            list.setItem(i, names[static_cast<std::size_t>(i)]);
    for (std::size_t i = static_cast<std::size_t>(list.count()); i < names.size(); ++i)
        list.addItem(names[i]);
}

void ProfileView::ShowProfile() {
    // Each box's change writes what it shows back into these values.
    const Profile& profile = w_.profiles.values();
    w_.downloadFolderBox.setText(profile.downloadFolder);
    w_.downloadsBox.setText(profile.downloads);
    w_.uploadsBox.setText(profile.uploads);
    w_.searchResultsBox.setText(profile.searchResults);
    // In one go: a list shown on screen takes its rows at once instead of a thousand times one.
    w_.sharedFolderList.setItems(profile.sharedFolders);
    w_.filterView.showFilters(profile.filters);
}

void ProfileView::ImportSettings() {
    const Profile client = w_.profiles.ImportSettings();
    showProfileNames();
    w_.registeredProfileName.setCaption(w_.profiles.registered());
    ShowProfile();
    w_.profileNameBox.setText(client.name); // current already: nothing to rename
}

Registration ProfileView::RegisterProfile() {
    const Registration registration = w_.profiles.RegisterProfile();
    w_.registeredProfileName.setCaption(w_.profiles.registered());
    return registration;
}

void ProfileView::SaveProfile(const std::string& name) {
    w_.profiles.SaveProfile(name);
}

bool ProfileView::LoadProfile(const std::string& name) {
    if (!w_.profiles.LoadProfile(name))
        return false;
    showProfileNames(); // a name that could not be stored has given its entry back
    ShowProfile();
    // The name goes in last. A file name with capitals makes the box's rename step store the
    // profile under the lower-case name, and it must store the values just shown.
    w_.profileNameBox.setText(name);
    return true;
}

void ProfileView::LoadFilterSettings(const std::string& name) {
    w_.filterView.showFilters(w_.profiles.LoadFilterSettings(name));
}

void ProfileView::ListProfiles(const std::string& except) {
    w_.profiles.ListProfiles(except);
    showProfileNames();
}

void ProfileView::leaveUnstorableName() {
    if (w_.profiles.LeaveUnstorableName())
        showProfileNames();
}

void ProfileView::NumberField_Change(ui::TextBox& field) {
    // Pasted or dropped text never passes the key filter; every route ends in a change.
    field.setText(DigitsOf(field.text()));
}

void ProfileView::NumberField_LostFocus(ui::TextBox& field, const char* fallback) {
    if (field.text().empty())
        field.setText(fallback);
    SaveProfile(w_.profileNameBox.text());
}

void ProfileView::sharedFolderList_MouseDown(int button, int, float, float) {
    if (button != ui::kRightButton)
        return;
    w_.folderMenu.items[MainWindow::RemoveFolder].enabled = w_.sharedFolderList.listIndex() >= 0;
    w_.ShowPopup(w_.folderMenu);
}

void ProfileView::AddFolder_Click() {
    w_.ShowFolderPicker("Select Folder To Share");
    std::string& picked = w_.pickedFolder;
    if (picked.empty())
        return;
    std::vector<std::string>& shared = w_.profiles.values().sharedFolders;
    if (std::find(shared.begin(), shared.end(), picked) == shared.end()) {
        shared.push_back(picked);
        w_.sharedFolderList.addItem(picked);
    }
    picked.clear();
    // Stored even when the folder was listed already.
    SaveProfile(w_.profileNameBox.text());
}

void ProfileView::RemoveFolder_Click() {
    // Reaches the profile file with its next save.
    const int selected = w_.sharedFolderList.listIndex();
    if (selected < 0)
        return;
    std::vector<std::string>& shared = w_.profiles.values().sharedFolders;
    shared.erase(shared.begin() + selected);
    w_.sharedFolderList.removeItem(selected);
}

} // namespace morvane
