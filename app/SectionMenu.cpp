// The section menu and the command bar: each item runs its own action.

#include "app/MainWindow.h"

namespace morvane {

void MainWindow::ShowSection(ui::Frame& page) {
    for (ui::Frame* frame :
         {&sharedFoldersPage, &downloadFolderPage, &generalPage, &downloadFilterPage})
        frame->setVisible(frame == &page);
}

void MainWindow::sectionMenu_Click(SectionItem item) {
    switch (item) {
    case DownloadFolderItem:
        downloadsView.ListIncompleteDownloads();
        ShowSection(downloadFolderPage);
        return;
    case SharedFoldersItem:
        ShowSection(sharedFoldersPage);
        break;
    case GeneralItem:
        ShowSection(generalPage);
        break;
    case DownloadFilterItem:
        ShowSection(downloadFilterPage);
        break;
    default:
        return;
    }
    renameButton.setVisible(false);
}

void MainWindow::commandBar_Click(CommandItem item) {
    switch (item) {
    case RegisterProfileItem:
        profileView.RegisterProfile();
        break;
    case ExitItem:
        // The click takes no focus: a value still being typed is stored as leaving it would.
        sys.windows.leaveFocusedControl(window);
        sys.windows.endProgram();
        break;
    case WebPageItem:
        sys.shell.runHidden(std::string("start ") + kWebPageAddress);
        break;
    case CheckForUpdatesItem:
        sys.shell.runHidden(std::string("start ") + kUpdatePageAddress);
        break;
    case StartFilterItem:
        filterView.StartFilter();
        break;
    default:
        break;
    }
}

} // namespace morvane
