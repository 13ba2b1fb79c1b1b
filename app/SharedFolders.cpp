// The shared folder list: folders are added through the folder picker and removed through
// the list's pop-up menu.

#include <algorithm>

#include "app/Form1.h"

namespace morvane {

void Form1::list_Folders_MouseDown(int button, int, float, float) {
    if (button != ui::kRightButton)
        return;
    FolderMenu.items[RemoveFolder].enabled = list_Folders.listIndex() >= 0;
    ShowPopup(FolderMenu);
}

void Form1::AddFolder_Click() {
    ShowFolderPicker("Select Folder To Share");
    if (str_pickedfolder.empty())
        return;
    const std::vector<std::string>& listed = list_Folders.items();
    if (std::find(listed.begin(), listed.end(), str_pickedfolder) == listed.end())
        list_Folders.addItem(str_pickedfolder);
    str_pickedfolder.clear();
    // Stored even when the folder was listed already.
    SaveProfile(txt_profilename.text());
}

void Form1::RemoveFolder_Click() {
    // Reaches the profile file with its next save.
    if (list_Folders.listIndex() >= 0)
        list_Folders.removeItem(list_Folders.listIndex());
}

} // namespace morvane
