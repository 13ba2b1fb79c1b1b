#pragma once
// The folder picker: one modal dialog for the whole program, with a drive list above a
// directory list. Callers set its title (and may lock it to a drive), show it modally and
// read the chosen folder from the main window's pickedFolder.

#include <string>

#include "platform/Services.h"
#include "platform/ui/Controls.h"

namespace morvane {

class MainWindow;

class FolderPickerDialog {
public:
    // Opens on the process's current drive and folder.
    FolderPickerDialog(MainWindow& main, Services& services);

    ui::Window window;
    ui::DriveListBox driveList;
    ui::DirListBox folderList;
    ui::Button button_Select;
    ui::Button button_Cancel;

    // The root ("C:\") of the drive a caller has locked the dialog to; empty when free.
    std::string lockedDrive;

    void button_Select_Click();
    void button_Cancel_Click();
    void driveList_Change();
    void folderList_DblClick();

    // Makes a folder folderList's open folder, highlighted. False, with nothing changed, when the
    // folder cannot be read.
    bool SetFolderListPath(const std::string& folder);

    // Called before each show; afterwards, whether one of the two buttons hid the dialog
    // (otherwise it was closed another way and is to be made afresh).
    void prepareShow();
    bool answered() const { return answered_; }

private:
    MainWindow& main_;
    Services& sys_;
    bool answered_ = false;
};

} // namespace morvane
