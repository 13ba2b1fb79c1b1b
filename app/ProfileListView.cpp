// The profile list: choosing a profile with the mouse, its pop-up menu (Add Profile, Delete
// Profile), and the name box, whose every change renames the current profile.

#include <algorithm>

#include "app/MainWindow.h"
#include "app/ProfileView.h"
#include "platform/PathRules.h"

namespace morvane {

void ProfileView::profileList_MouseDown(int button, int, float, float) {
    ui::ListBox& list = w_.profileList;
    w_.renameButton.setVisible(false);
    if (button == ui::kRightButton) {
        w_.profileMenu.items[MainWindow::DeleteProfile].enabled =
            list.count() > 1 && list.listIndex() >= 0;
        w_.ShowPopup(w_.profileMenu);
    } else if (button == ui::kLeftButton) {
        SaveProfile(w_.profiles.currentName());
        const int selected = list.listIndex();
        if (selected < 0) {
            leaveUnstorableName();
            w_.profiles.setCurrentName("");
        } else if (LoadProfile(list.item(selected))) {
            w_.sectionArea.setVisible(true);
            w_.downloadsView.ListIncompleteDownloads();
        } else {
            // Not loaded, so not current: the profile shown stays, with its entry selected.
            const std::vector<std::string>& entries = list.items();
            const auto at = std::find(entries.begin(), entries.end(), w_.profiles.currentName());
            list.setListIndex(at == entries.end() ? -1 : static_cast<int>(at - entries.begin()));
        }
    }
}

void ProfileView::AddProfile_Click() {
    // The name is current before the box shows it, so the rename step finds nothing to rename.
    const std::string name = w_.profiles.AddProfile();
    ShowProfile();
    w_.profileNameBox.setText(name);
    showProfileNames();
    w_.sectionArea.setVisible(true);
}

void ProfileView::DeleteProfile_Click() {
    // The menu item is disabled otherwise; the last profile is never deleted.
    const int selected = w_.profileList.listIndex();
    if (selected < 0 || w_.profileList.count() <= 1)
        return;
    // The highlight can be moved by the keyboard, and a right press does not move it: the
    // user is told which profile goes before anything is deleted.
    const std::string stored = w_.profiles.StoredNameOf(w_.profileList.item(selected));
    if (w_.MsgBox("Delete profile " + ShortenMiddle(stored) + "?", MessageButtons::YesNo) !=
        MessageAnswer::Yes)
        return;
    leaveUnstorableName();
    w_.profiles.DeleteProfile(selected);
    showProfileNames(); // leaves no entry selected
    w_.sectionArea.setVisible(false);
    w_.profileNameBox.setText(""); // the name is no longer current: nothing to rename
}

// One routine that settles the final name at once; its own edits of the box come back
// through Change and are ignored while it runs.
void ProfileView::profileNameBox_Change() {
    if (renaming_)
        return;
    renaming_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{renaming_};

    ui::TextBox& box = w_.profileNameBox;
    std::string name = LowerCase(box.text());
    box.setText(name);
    if (name == w_.profiles.currentName())
        return;
    name = w_.profiles.FreeProfileName(std::move(name));
    box.setText(name);
    if (!w_.profiles.RenameProfile(name)) {
        box.setText(w_.profiles.currentName());
        return;
    }
    showProfileNames();
}

} // namespace morvane
