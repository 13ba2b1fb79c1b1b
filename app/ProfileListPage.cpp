// The profile column: the list of stored profiles, choosing one with the mouse, and the
// pop-up menu that adds and deletes profiles. The rules are in profiles/.

#include <algorithm>

#include "app/Form1.h"
#include "platform/PathRules.h"
#include "profiles/DefaultExtensions.h"
#include "profiles/Profiles.h"

namespace morvane {

void Form1::ListProfiles(const std::string& name) {
    for (const std::string& profile : StoredProfileNames(sys.files, name))
        list_Profiles.addItem(profile);
}

void Form1::DeleteProfileFile(const std::string& name) {
    morvane::DeleteProfileFile(sys.files, name);
}

void Form1::list_Profiles_MouseDown(int button, int, float, float) {
    button_rename.setVisible(false);
    if (button == ui::kRightButton) {
        ProfileMenu.items[DeleteProfile].enabled =
            list_Profiles.count() > 1 && list_Profiles.listIndex() >= 0;
        ShowPopup(ProfileMenu);
    } else if (button == ui::kLeftButton) {
        SaveProfile(str_currentprofilename);
        const int selected = list_Profiles.listIndex();
        if (selected < 0) {
            leaveUnstorableName();
            str_currentprofilename.clear();
        } else if (LoadProfile(list_Profiles.item(selected))) {
            frm_Details.setVisible(true);
            ListIncompleteDownloads();
        } else {
            // Not loaded, so not current: the profile shown stays, with its entry selected.
            const std::vector<std::string>& entries = list_Profiles.items();
            const auto at = std::find(entries.begin(), entries.end(), str_currentprofilename);
            list_Profiles.setListIndex(
                at == entries.end() ? -1 : static_cast<int>(at - entries.begin()));
        }
    }
}

void Form1::AddProfile_Click() {
    SaveProfile(str_currentprofilename);
    leaveUnstorableName(); // its entry's name is taken again
    const std::string name = NewProfileName(list_Profiles.items());
    // The variable first, so the name box's rename step finds nothing to rename.
    str_currentprofilename = name;
    txt_Downloadfolder.setText(kNewProfileFolder);
    txt_Downloads.setText("3");
    txt_Uploads.setText("3");
    txt_Searchresults.setText("100");
    txt_profilename.setText(name);
    list_Folders.clear();
    for (std::size_t i = 0; i < txt_filterext.size(); ++i) {
        txt_filterext[i].setText(kDefaultExtensionLists[i]);
        txt_filterfolder[i].setText(kNewProfileFolder);
    }
    list_Profiles.addItem(name);
    frm_Details.setVisible(true);
}

void Form1::DeleteProfile_Click() {
    // The menu item is disabled otherwise; the last profile is never deleted.
    const int selected = list_Profiles.listIndex();
    if (selected < 0 || list_Profiles.count() <= 1)
        return;
    // The highlight can be moved by the keyboard, and a right press does not move it: the
    // user is told which profile goes before anything is deleted.
    // The current profile's entry while its name cannot be stored names its file's name.
    const std::string& entry = list_Profiles.item(selected);
    const bool kept = entry == str_currentprofilename && !keptName_.empty();
    if (MsgBox("Delete profile " + ShortenMiddle(kept ? keptName_ : entry) + "?",
               MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    leaveUnstorableName();
    DeleteProfileFile(list_Profiles.item(selected));
    list_Profiles.removeItem(selected); // leaves no entry selected
    frm_Details.setVisible(false);
    // The variable first, so the name box's rename step finds nothing to rename.
    str_currentprofilename.clear();
    txt_profilename.setText("");
}

} // namespace morvane
