// The incomplete downloads as two list boxes kept in step by row index (shown name, .dat
// file), the choice of the download folder, and RENAME FILE.

#include "app/Form1.h"
#include "downloads/IncompleteDownloads.h"
#include "downloads/RenameDownload.h"

namespace morvane {

void Form1::ListIncompleteDownloads() {
    sys.clock.setWaitPointer(true);
    std::vector<std::string> shown, datNames;
    for (IncompleteDownload& row :
         morvane::ListIncompleteDownloads(sys.files, txt_Downloadfolder.text())) {
        shown.push_back(std::move(row.shownName));
        datNames.push_back(std::move(row.datName));
    }
    // Both lists filled in one go each: thousands of rows added one at a time would repaint
    // the lists thousands of times.
    List_Downloads.setItems(std::move(shown));
    list_downloads2.setItems(std::move(datNames));
    sys.clock.setWaitPointer(false);
}

void Form1::button_folderlist_Click() {
    ShowFolderPicker("Select Download Folder");
    if (str_pickedfolder.empty())
        return;
    txt_Downloadfolder.setText(str_pickedfolder);
    str_pickedfolder.clear();
    ListIncompleteDownloads();
    SaveProfile(txt_profilename.text());
}

void Form1::List_Downloads_Click() {
    // Selecting the other list raises its Click, which selects this row back: no change.
    list_downloads2.setListIndex(List_Downloads.listIndex());
    button_rename.setVisible(true);
}

void Form1::list_downloads2_Click() {
    List_Downloads.setListIndex(list_downloads2.listIndex());
    button_rename.setVisible(true);
}

void Form1::List_Downloads_Scroll() {
    list_downloads2.setTopIndex(List_Downloads.topIndex());
}

void Form1::list_downloads2_Scroll() {
    List_Downloads.setTopIndex(list_downloads2.topIndex());
}

void Form1::button_rename_Click() {
    const int row = list_downloads2.listIndex();
    if (row < 0 || row >= List_Downloads.count()) {
        button_rename.setVisible(false);
        return;
    }
    if (RenameDownload(sys.files, sys.dialogs, txt_Downloadfolder.text(), List_Downloads.item(row),
                       list_downloads2.item(row)) == RenameOutcome::Renamed)
        ListIncompleteDownloads();
}

} // namespace morvane
