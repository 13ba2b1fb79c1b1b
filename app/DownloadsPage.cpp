// The incomplete downloads as two list boxes kept in step by row index (shown name, .dat
// file), the choice of the download folder, and RENAME FILE.

#include "app/MainWindow.h"
#include "downloads/IncompleteDownloads.h"
#include "downloads/RenameDownload.h"

namespace morvane {

void MainWindow::ListIncompleteDownloads() {
    sys.clock.setWaitPointer(true);
    std::vector<std::string> shown, datNames;
    for (IncompleteDownload& row :
         morvane::ListIncompleteDownloads(sys.files, downloadFolderBox.text())) {
        shown.push_back(std::move(row.shownName));
        datNames.push_back(std::move(row.datName));
    }
    // Both lists filled in one go each: thousands of rows added one at a time would repaint
    // the lists thousands of times.
    downloadNameList.setItems(std::move(shown));
    datFileList.setItems(std::move(datNames));
    sys.clock.setWaitPointer(false);
}

void MainWindow::downloadFolderButton_Click() {
    ShowFolderPicker("Select Download Folder");
    if (str_pickedfolder.empty())
        return;
    downloadFolderBox.setText(str_pickedfolder);
    str_pickedfolder.clear();
    ListIncompleteDownloads();
    SaveProfile(profileNameBox.text());
}

void MainWindow::downloadNameList_Click() {
    // Selecting the other list raises its Click, which selects this row back: no change.
    datFileList.setListIndex(downloadNameList.listIndex());
    renameButton.setVisible(true);
}

void MainWindow::datFileList_Click() {
    downloadNameList.setListIndex(datFileList.listIndex());
    renameButton.setVisible(true);
}

void MainWindow::downloadNameList_Scroll() {
    datFileList.setTopIndex(downloadNameList.topIndex());
}

void MainWindow::datFileList_Scroll() {
    downloadNameList.setTopIndex(datFileList.topIndex());
}

void MainWindow::renameButton_Click() {
    const int row = datFileList.listIndex();
    if (row < 0 || row >= downloadNameList.count()) {
        renameButton.setVisible(false);
        return;
    }
    if (RenameDownload(sys.files, sys.dialogs, downloadFolderBox.text(), downloadNameList.item(row),
                       datFileList.item(row)) == RenameOutcome::Renamed)
        ListIncompleteDownloads();
}

} // namespace morvane
