// The section menu and the command bar: each item runs its own action.

#include "app/MainWindow.h"

namespace morvane {

void MainWindow::ShowSection(ui::Frame& page) {
    for (ui::Frame* frame :
         {&sharedFoldersPage, &downloadFolderPage, &generalPage, &downloadFilterPage})
        frame->setVisible(frame == &page);
    for (std::size_t i = 0; i < sectionMenu.size(); ++i)
        sectionMenu[i].setSelected(&pageOf(static_cast<SectionItem>(i)) == &page);
}

ui::Frame& MainWindow::pageOf(SectionItem item) {
    switch (item) {
    case SharedFoldersItem:
        return sharedFoldersPage;
    case DownloadFolderItem:
        return downloadFolderPage;
    case DownloadFilterItem:
        return downloadFilterPage;
    default:
        return generalPage;
    }
}

// Ctrl+Tab and Ctrl+PgDn go to the next section, Ctrl+Shift+Tab and Ctrl+PgUp to the one
// before, round and round, as in a dialog with tabs: each by the section item's own click.
bool MainWindow::Form_KeyDown(int keyCode, int shift) {
    if (!(shift & ui::kCtrlKey) || (shift & ui::kAltKey))
        return false;
    int step = 0;
    if (keyCode == ui::kKeyTab)
        step = shift & ui::kShiftKey ? -1 : 1;
    else if (keyCode == ui::kKeyPageDown || keyCode == ui::kKeyPageUp)
        step = keyCode == ui::kKeyPageDown ? 1 : -1;
    if (step == 0)
        return false;
    // Not while the details are away (no profile) or the running filter covers them.
    if (!sectionArea.visible() || runningFilterPage.visible())
        return true;
    const int count = static_cast<int>(sectionMenu.size());
    int front = 0;
    while (front < count && !sectionMenu[static_cast<std::size_t>(front)].selected())
        ++front;
    sectionMenu_Click(static_cast<SectionItem>(((front % count) + step + count) % count));
    return true;
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
