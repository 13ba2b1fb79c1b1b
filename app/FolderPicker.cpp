// The folder picker as the main window's handlers use it: shown with their title, locked to
// a drive and freed again.

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
        pickedFolder.clear();
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
    pickedFolder.clear();
    dialog.lockedDrive.clear();
    dialog.driveList.setEnabled(true);
}

} // namespace morvane
