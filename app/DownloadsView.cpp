// The incomplete downloads as two list boxes kept in step by row index (shown name, .dat
// file), the choice of the download folder, and RENAME FILE.

#include "app/DownloadsView.h"

#include "app/MainWindow.h"

namespace morvane {

void DownloadsView::connect() {
    MainWindow& w = w_;
    w.downloadFolderButton.Click = [this] { downloadFolderButton_Click(); };
    w.downloadNameList.Click = [this] { downloadList_Click(false); };
    w.datFileList.Click = [this] { downloadList_Click(true); };
    w.downloadNameList.Scroll = [this] { downloadList_Scroll(false); };
    w.datFileList.Scroll = [this] { downloadList_Scroll(true); };
    w.renameButton.Click = [this] { renameButton_Click(); };
}

void DownloadsView::ListIncompleteDownloads() {
    w_.sys.clock.setWaitPointer(true);
    std::vector<std::string> shown, datNames;
    for (const IncompleteDownload& row : w_.profiles.ListIncompleteDownloads()) {
        shown.push_back(row.shownName);
        datNames.push_back(row.datName);
    }
    // Both lists filled in one go each: thousands of rows added one at a time would repaint
    // the lists thousands of times.
    w_.downloadNameList.setItems(std::move(shown));
    w_.datFileList.setItems(std::move(datNames));
    w_.sys.clock.setWaitPointer(false);
}

void DownloadsView::downloadFolderButton_Click() {
    w_.ShowFolderPicker("Select Download Folder");
    if (w_.pickedFolder.empty())
        return;
    w_.downloadFolderBox.setText(w_.pickedFolder);
    w_.pickedFolder.clear();
    ListIncompleteDownloads();
    w_.profileView.SaveProfile(w_.profileNameBox.text());
}

void DownloadsView::downloadList_Click(bool datFiles) {
    // Selecting the other list raises its Click, which selects this row back: no change.
    ui::ListBox& clicked = datFiles ? w_.datFileList : w_.downloadNameList;
    ui::ListBox& other = datFiles ? w_.downloadNameList : w_.datFileList;
    other.setListIndex(clicked.listIndex());
    w_.renameButton.setVisible(true);
}

void DownloadsView::downloadList_Scroll(bool datFiles) {
    ui::ListBox& scrolled = datFiles ? w_.datFileList : w_.downloadNameList;
    ui::ListBox& other = datFiles ? w_.downloadNameList : w_.datFileList;
    other.setTopIndex(scrolled.topIndex());
}

void DownloadsView::renameButton_Click() {
    const int row = w_.datFileList.listIndex();
    if (row < 0 || row >= w_.downloadNameList.count() ||
        row >= static_cast<int>(w_.profiles.downloads().size())) {
        w_.renameButton.setVisible(false);
        return;
    }
    if (w_.profiles.RenameDownload(row) == RenameOutcome::Renamed)
        ListIncompleteDownloads();
}

} // namespace morvane
