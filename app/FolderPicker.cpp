// The folder picker as the main window uses it, and the handlers of the controls that use it
// (shared folders, the download folder) or show its results (the incomplete downloads).

#include "app/FolderPickerDialog.h"
#include "app/MainWindow.h"

namespace morvane {

FolderPickerDialog& MainWindow::picker() {
    if (!pickerDialog_)
        pickerDialog_ = std::make_unique<FolderPickerDialog>(*this, sys);
    return *pickerDialog_;
}

void MainWindow::ShowFolderPicker(const std::string& title) {
    FolderPickerDialog& dialog = picker();
    dialog.window.setCaption(title);
    dialog.prepareShow();
    sys.windows.showModal(dialog.window);
    // Closed by its close box: nothing was chosen, and the next use starts afresh.
    if (!dialog.answered()) {
        str_pickedfolder.clear();
        pickerDialog_.reset();
    }
}

void MainWindow::LockFolderPicker(const std::string& root) {
    FolderPickerDialog& dialog = picker();
    // The lock first, so that the drive change opens nothing by itself.
    dialog.lockedDrive = root;
    dialog.driveList.setDrive(root);
    // A locked drive that cannot be read shows nothing, rather than another drive's folders.
    if (!dialog.SetFolderListPath(root))
        dialog.folderList.open("", {}, -1);
    dialog.driveList.setEnabled(false);
}

void MainWindow::UnlockFolderPicker() {
    // After a close by the close box this makes the dialog afresh, as any next use does.
    FolderPickerDialog& dialog = picker();
    str_pickedfolder.clear();
    dialog.lockedDrive.clear();
    dialog.driveList.setEnabled(true);
}

void MainWindow::connectFolderHandlers() {
    sharedFolderList.MouseDown = [this](int b, int s, float x, float y) {
        sharedFolderList_MouseDown(b, s, x, y);
    };
    folderMenu.items[AddFolder].Click = [this] { AddFolder_Click(); };
    folderMenu.items[RemoveFolder].Click = [this] { RemoveFolder_Click(); };
    downloadFolderButton.Click = [this] { downloadFolderButton_Click(); };
    downloadNameList.Click = [this] { downloadNameList_Click(); };
    datFileList.Click = [this] { datFileList_Click(); };
    downloadNameList.Scroll = [this] { downloadNameList_Scroll(); };
    datFileList.Scroll = [this] { datFileList_Scroll(); };
    renameButton.Click = [this] { renameButton_Click(); };
}

} // namespace morvane
