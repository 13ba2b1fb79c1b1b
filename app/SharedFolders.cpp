// The shared folder list: folders are added through the folder picker and removed through
// the list's pop-up menu.

#include <algorithm>

#include "app/MainWindow.h"

namespace morvane {

void MainWindow::sharedFolderList_MouseDown(int button, int, float, float) {
    if (button != ui::kRightButton)
        return;
    folderMenu.items[RemoveFolder].enabled = sharedFolderList.listIndex() >= 0;
    ShowPopup(folderMenu);
}

void MainWindow::AddFolder_Click() {
    ShowFolderPicker("Select Folder To Share");
    if (str_pickedfolder.empty())
        return;
    const std::vector<std::string>& listed = sharedFolderList.items();
    if (std::find(listed.begin(), listed.end(), str_pickedfolder) == listed.end())
        sharedFolderList.addItem(str_pickedfolder);
    str_pickedfolder.clear();
    // Stored even when the folder was listed already.
    SaveProfile(profileNameBox.text());
}

void MainWindow::RemoveFolder_Click() {
    // Reaches the profile file with its next save.
    if (sharedFolderList.listIndex() >= 0)
        sharedFolderList.removeItem(sharedFolderList.listIndex());
}

} // namespace morvane
