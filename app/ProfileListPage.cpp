// The profile column: the list of stored profiles, choosing one with the mouse, and the
// pop-up menu that adds and deletes profiles. The rules are in profiles/.

#include <algorithm>

#include "app/MainWindow.h"
#include "platform/PathRules.h"
#include "profiles/DefaultExtensions.h"
#include "profiles/Profiles.h"

namespace morvane {

void MainWindow::ListProfiles(const std::string& name) {
    for (const std::string& profile : StoredProfileNames(sys.files, name))
        profileList.addItem(profile);
}

void MainWindow::DeleteProfileFile(const std::string& name) {
    morvane::DeleteProfileFile(sys.files, name);
}

void MainWindow::profileList_MouseDown(int button, int, float, float) {
    renameButton.setVisible(false);
    if (button == ui::kRightButton) {
        profileMenu.items[DeleteProfile].enabled =
            profileList.count() > 1 && profileList.listIndex() >= 0;
        ShowPopup(profileMenu);
    } else if (button == ui::kLeftButton) {
        SaveProfile(str_currentprofilename);
        const int selected = profileList.listIndex();
        if (selected < 0) {
            leaveUnstorableName();
            str_currentprofilename.clear();
        } else if (LoadProfile(profileList.item(selected))) {
            sectionArea.setVisible(true);
            ListIncompleteDownloads();
        } else {
            // Not loaded, so not current: the profile shown stays, with its entry selected.
            const std::vector<std::string>& entries = profileList.items();
            const auto at = std::find(entries.begin(), entries.end(), str_currentprofilename);
            profileList.setListIndex(at == entries.end() ? -1
                                                         : static_cast<int>(at - entries.begin()));
        }
    }
}

void MainWindow::AddProfile_Click() {
    SaveProfile(str_currentprofilename);
    leaveUnstorableName(); // its entry's name is taken again
    const std::string name = NewProfileName(profileList.items());
    // The variable first, so the name box's rename step finds nothing to rename.
    str_currentprofilename = name;
    downloadFolderBox.setText(kNewProfileFolder);
    downloadsBox.setText("3");
    uploadsBox.setText("3");
    searchResultsBox.setText("100");
    profileNameBox.setText(name);
    sharedFolderList.clear();
    for (std::size_t i = 0; i < filterRows.size(); ++i) {
        filterRows[i].extensions.setText(kDefaultExtensionLists[i]);
        filterRows[i].folder.setText(kNewProfileFolder);
    }
    profileList.addItem(name);
    sectionArea.setVisible(true);
}

void MainWindow::DeleteProfile_Click() {
    // The menu item is disabled otherwise; the last profile is never deleted.
    const int selected = profileList.listIndex();
    if (selected < 0 || profileList.count() <= 1)
        return;
    // The highlight can be moved by the keyboard, and a right press does not move it: the
    // user is told which profile goes before anything is deleted.
    // The current profile's entry while its name cannot be stored names its file's name.
    const std::string& entry = profileList.item(selected);
    const bool kept = entry == str_currentprofilename && !keptName_.empty();
    if (MsgBox("Delete profile " + ShortenMiddle(kept ? keptName_ : entry) + "?",
               MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    leaveUnstorableName();
    DeleteProfileFile(profileList.item(selected));
    profileList.removeItem(selected); // leaves no entry selected
    sectionArea.setVisible(false);
    // The variable first, so the name box's rename step finds nothing to rename.
    str_currentprofilename.clear();
    profileNameBox.setText("");
}

} // namespace morvane
