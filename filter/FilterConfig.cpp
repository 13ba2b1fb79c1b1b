// The five categories on the DOWNLOAD FILTER page: typing an extension list, saving the
// profile when a box is left, and choosing a destination folder on the download folder's drive.

#include "app/Form1.h"
#include "filter/FilterRules.h"

namespace morvane {

void Form1::txt_filterext_KeyPress(int, int& keyAscii) {
    if (IsRefusedExtensionKey(keyAscii))
        keyAscii = 0;
}

void Form1::txt_filterext_LostFocus(int) {
    SaveProfile(txt_profilename.text());
}

void Form1::txt_filterfolder_LostFocus(int) {
    SaveProfile(txt_profilename.text());
}

void Form1::button_selfilterfolder_Click(int index) {
    if (index < 0 || index >= kFilterCategories)
        return;
    const std::string& downloads = txt_Downloadfolder.text();
    // The picker can only be locked to a drive root; a folder chosen anywhere else would be
    // reset by the next start anyway.
    if (!BeginsWithDriveRoot(downloads)) {
        MsgBox("Choose A Download Folder On A Drive First", MessageButtons::Ok, MessageIcon::Stop);
        return;
    }
    // Files are moved by renaming them, so the destination must be on the download folder's
    // drive: the picker opens at its root and cannot leave it.
    LockFolderPicker(DriveRootOf(downloads));
    ShowFolderPicker("Select Filter Folder");
    if (!str_pickedfolder.empty()) {
        txt_filterfolder[static_cast<std::size_t>(index)].setText(str_pickedfolder);
        ListIncompleteDownloads();
        SaveProfile(txt_profilename.text());
    }
    UnlockFolderPicker();
}

} // namespace morvane
