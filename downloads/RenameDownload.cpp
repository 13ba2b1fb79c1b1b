// The two download lists act as one two-column list, and RENAME FILE gives the selected .dat
// file its stored name within the download folder.

#include "app/Form1.h"
#include "downloads/RenameTarget.h"
#include "platform/PathRules.h"

namespace morvane {

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
    const std::string datName = list_downloads2.item(row);
    const std::string shownName = List_Downloads.item(row);
    if (MsgBox("Rename " + ShortenMiddle(datName) + " to " + ShortenMiddle(shownName) + "?",
               MessageButtons::YesNo) != MessageAnswer::Yes)
        return;
    const std::string folder = JoinFolder(txt_Downloadfolder.text(), "");
    // The rename stays in the download folder and never replaces a file.
    std::optional<std::string> target = RenameTarget(folder, shownName);
    if (!target || !sys.files.rename(folder + datName, *target)) {
        MsgBox("File Rename Failed!", MessageButtons::Ok, MessageIcon::Stop);
        return;
    }
    ListIncompleteDownloads();
}

} // namespace morvane
