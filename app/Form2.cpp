// The folder picker's controls and handlers.

#include "app/Form2.h"

#include "app/FolderTree.h"
#include "app/Form1.h"

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

Form2::Form2(Form1& main, Services& services) : main_(main), sys_(services) {
    window.name = "Form2";
    window.setCaption("Select Folder");
    window.clientWidth = 6330;
    window.clientHeight = 3195;
    window.background = ui::kLightGrey;
    window.toolWindow = true;
    window.centredOnOwner = true;
    window.add(Drive1, "Drive1", {24, 0, 6315, 315});
    window.add(Dir1, "Dir1", {24, 390, 6315, 2340});
    window.add(button_Select, "button_Select", {5160, 2760, 1155, 405});
    button_Select.setCaption("Select");
    window.add(button_Cancel, "button_Cancel", {3930, 2760, 1155, 405});
    button_Cancel.setCaption("Cancel");
    // Enter and Esc both give up: a stray Enter must not choose a folder.
    window.defaultButton = &button_Cancel;
    window.cancelButton = &button_Cancel;

    button_Select.Click = [this] { button_Select_Click(); };
    button_Cancel.Click = [this] { button_Cancel_Click(); };
    Drive1.Change = [this] { Drive1_Change(); };
    Dir1.DblClick = [this] { Dir1_DblClick(); };

    Drive1.setItems(driveItems(sys_.files));
    const std::string start = sys_.files.currentFolder("");
    Drive1.setDrive(start); // opens the drive's current folder, which is start
    if (Drive1.drive().empty())
        Drive1.setDrive(kFallbackDrive); // the process runs from a share: no drive letter
}

void Form2::prepareShow() {
    answered_ = false;
    Drive1.setItems(driveItems(sys_.files)); // a card may have come or gone since
}

void Form2::button_Select_Click() {
    main_.str_pickedfolder = Dir1.highlighted();
    answered_ = true;
    window.setVisible(false);
}

void Form2::button_Cancel_Click() {
    main_.str_pickedfolder.clear();
    answered_ = true;
    window.setVisible(false);
}

void Form2::Drive1_Change() {
    if (!str_lockeddrive.empty())
        return; // the locking caller places the lists itself
    const std::string drive = Drive1.drive();
    if (SetDir1Path(sys_.files.currentFolder(drive)))
        return;
    if (drive != kFallbackDrive) {
        Drive1.setDrive(kFallbackDrive); // runs this handler again, for C:
        return;
    }
    // C: itself cannot be read: show nothing rather than try again for ever.
    Dir1.open("", {}, -1);
}

void Form2::Dir1_DblClick() {
    // A folder removed since it was listed cannot be opened: show the open one afresh.
    if (!SetDir1Path(Dir1.highlighted()))
        SetDir1Path(Dir1.path());
}

bool Form2::SetDir1Path(const std::string& folder) {
    std::vector<std::string> levels = FolderLevels(folder);
    if (levels.empty())
        return false;
    std::optional<std::vector<std::string>> subfolders = sys_.files.listFolders(levels.back());
    if (!subfolders)
        return false;
    const int openIndex = static_cast<int>(levels.size()) - 1;
    std::string open = levels.back();
    Dir1.open(std::move(open), FolderItems(levels, std::move(*subfolders)), openIndex);
    return true;
}

} // namespace morvane
