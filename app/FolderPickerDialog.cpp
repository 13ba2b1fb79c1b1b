// The folder picker's controls and handlers.

#include "app/FolderPickerDialog.h"

#include "app/FolderTree.h"
#include "app/MainWindow.h"

namespace morvane {

namespace {

constexpr const char* kFallbackDrive = "C:\\";

std::vector<ui::DriveItem> driveItems(FileSystem& files) {
    std::vector<ui::DriveItem> items;
    for (const DriveInfo& drive : files.drives()) {
        std::string caption = drive.root.substr(0, 2);
        if (!drive.label.empty())
            caption += " [" + drive.label + "]";
        items.push_back({drive.root, caption});
    }
    return items;
}

} // namespace

FolderPickerDialog::FolderPickerDialog(MainWindow& main, Services& services)
    : main_(main), sys_(services) {
    window.name = "FolderPickerDialog";
    window.setCaption("Select Folder");
    window.clientWidth = 6330;
    window.clientHeight = 3195;
    window.background = ui::kLightGrey;
    window.toolWindow = true;
    window.centredOnOwner = true;
    window.add(driveList, "driveList", {24, 0, 6315, 315});
    window.add(folderList, "folderList", {24, 390, 6315, 2340});
    driveList.accessibleName = "Drive"; // the picker's lists have no captions
    folderList.accessibleName = "Folders";
    window.add(button_Select, "button_Select", {5160, 2760, 1155, 405});
    button_Select.setCaption("Select");
    window.add(button_Cancel, "button_Cancel", {3930, 2760, 1155, 405});
    button_Cancel.setCaption("Cancel");
    // Enter and Esc both give up: a stray Enter must not choose a folder.
    window.defaultButton = &button_Cancel;
    window.cancelButton = &button_Cancel;

    button_Select.Click = [this] { button_Select_Click(); };
    button_Cancel.Click = [this] { button_Cancel_Click(); };
    driveList.Change = [this] { driveList_Change(); };
    folderList.DblClick = [this] { folderList_DblClick(); };

    driveList.setItems(driveItems(sys_.files));
    const std::string start = sys_.files.currentFolder("");
    driveList.setDrive(start); // opens the drive's current folder, which is start
    if (driveList.drive().empty())
        driveList.setDrive(kFallbackDrive); // the process runs from a share: no drive letter
}

void FolderPickerDialog::prepareShow() {
    answered_ = false;
    driveList.setItems(driveItems(sys_.files)); // a card may have come or gone since
}

void FolderPickerDialog::button_Select_Click() {
    main_.pickedFolder = folderList.highlighted();
    answered_ = true;
    window.setVisible(false);
}

void FolderPickerDialog::button_Cancel_Click() {
    main_.pickedFolder.clear();
    answered_ = true;
    window.setVisible(false);
}

void FolderPickerDialog::driveList_Change() {
    if (!lockedDrive.empty())
        return; // the locking caller places the lists itself
    const std::string drive = driveList.drive();
    if (SetFolderListPath(sys_.files.currentFolder(drive)))
        return;
    if (drive != kFallbackDrive) {
        driveList.setDrive(kFallbackDrive); // runs this handler again, for C:
        return;
    }
    // C: itself cannot be read: show nothing rather than try again for ever.
    folderList.open("", {}, -1);
}

void FolderPickerDialog::folderList_DblClick() {
    // A folder removed since it was listed cannot be opened: show the open one afresh.
    if (!SetFolderListPath(folderList.highlighted()))
        SetFolderListPath(folderList.path());
}

bool FolderPickerDialog::SetFolderListPath(const std::string& folder) {
    std::vector<std::string> levels = FolderLevels(folder);
    if (levels.empty())
        return false;
    std::optional<std::vector<std::string>> subfolders = sys_.files.listFolders(levels.back());
    if (!subfolders)
        return false;
    const int openIndex = static_cast<int>(levels.size()) - 1;
    std::string open = levels.back();
    folderList.open(std::move(open), FolderItems(levels, std::move(*subfolders)), openIndex);
    return true;
}

} // namespace morvane
