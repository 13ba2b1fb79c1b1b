// The DOWNLOAD FILTER page and the running-filter page: the category boxes, the choice of a
// destination folder, START FILTER, its passes and STOP FILTER. The rules and the pass are in
// filter/.

#include <optional>

#include "app/MainWindow.h"
#include "filter/FilterPass.h"
#include "filter/FilterRules.h"

namespace morvane {

namespace {

// A pass's lines go to the running page's two lists as they come; a pass over thousands of
// files shows them together at its end rather than repainting both lists for every line.
class FilterPageReport final : public FilterReport {
public:
    FilterPageReport(ui::ListBox& report, ui::ListBox& failures)
        : report_(report), failures_(failures) {}

    void listed() override {
        reportUpdate_.emplace(report_);
        failuresUpdate_.emplace(failures_);
    }
    void moved(const std::string& line) override { report_.addItem(line); }
    void failed(const std::string& name) override { failures_.addItem(name); }
    const std::vector<std::string>& listedFailures() const override { return failures_.items(); }

private:
    ui::ListBox& report_;
    ui::ListBox& failures_;
    std::optional<ui::ListUpdate> reportUpdate_; // begun first, ended last
    std::optional<ui::ListUpdate> failuresUpdate_;
};

} // namespace

void MainWindow::filterExtensions_KeyPress(int, int& keyAscii) {
    if (IsRefusedExtensionKey(keyAscii))
        keyAscii = 0;
}

void MainWindow::filterExtensions_LostFocus(int) {
    SaveProfile(profileNameBox.text());
}

void MainWindow::filterFolder_LostFocus(int) {
    SaveProfile(profileNameBox.text());
}

void MainWindow::chooseFilterFolder_Click(int index) {
    if (index < 0 || index >= kFilterCategories)
        return;
    const std::string& downloads = downloadFolderBox.text();
    // The picker can only be locked to a drive root; a folder chosen anywhere else would be
    // reset by the next start anyway.
    if (!BeginsWithDriveRoot(downloads)) {
        MsgBox("Choose A Download Folder On A Drive First", MessageButtons::Ok, MessageIcon::Stop);
        return;
    }
    // Files are moved by renaming them, so the destination must be on the download folder's
    // drive: the picker opens at its root and cannot leave it.
    LockFolderPicker(DriveRootOf(downloads));
    ShowFolderPicker("Select Filter Folder");
    if (!str_pickedfolder.empty()) {
        filterRows[static_cast<std::size_t>(index)].folder.setText(str_pickedfolder);
        ListIncompleteDownloads();
        SaveProfile(profileNameBox.text());
    }
    UnlockFolderPicker();
}

void MainWindow::StartFilter() {
    // A start during the first pass of another (the page is not in front yet) changes nothing.
    if (str_currentprofilename.empty() || filterRun_.running())
        return;
    std::array<std::string, kFilterCategories> folders;
    for (std::size_t i = 0; i < folders.size(); ++i)
        folders[i] = filterRows[i].folder.text();
    const FilterStartCheck check = CheckFilterStart(downloadFolderBox.text(), folders);
    if (check.anyReset()) {
        for (std::size_t i = 0; i < folders.size(); ++i)
            if (check.reset[i])
                filterRows[i].folder.setText(check.resetTo);
        SaveProfile(profileNameBox.text()); // stored as any other change of the folders
        MsgBox("Filter Folders Are No Longer On The Same Drive As Download Folder: Filter "
               "Folders Reset",
               MessageButtons::Ok, MessageIcon::Stop);
        return;
    }
    filterRun_.start();
    filterReportList.addItem("Filter started at " + sys.clock.timeOfDay());
    filterFailureList.clear();
    RunFilterPasses(true);
    if (sys.windows.ended() || !filterRun_.running())
        return; // stopped during its first pass: the page stays hidden, the timer off
    filterTimer.setEnabled(true);
    runningFilterPage.setVisible(true);
    runningFilterPage.bringToFront();
    renameButton.setVisible(false);
}

void MainWindow::StopFilter() {
    if (!filterRun_.running())
        return;
    filterRun_.stop();
    filterTimer.setEnabled(false);
    filterReportList.addItem("Filter stopped at " + sys.clock.timeOfDay());
    runningFilterPage.setVisible(false);
}

void MainWindow::GoToTray() {
    goToTrayCommand.setForeColour(ui::kBlack);
    window.setState(ui::WindowState::Minimised); // Form_Resize puts it in the tray
}

void MainWindow::filterTimer_Timer() {
    if (filterRun_.running())
        RunFilterPasses(false);
}

// Passes never nest: a tick during a pass is skipped, a start's pass follows the one under way.
void MainWindow::RunFilterPasses(bool queue) {
    if (!filterRun_.beginPass(queue))
        return;
    do {
        FilterPass();
    } while (filterRun_.endPass() && !sys.windows.ended());
}

FilterPassResult MainWindow::FilterPass() {
    FilterSettings settings{downloadFolderBox.text(), {}};
    for (std::size_t i = 0; i < settings.categories.size(); ++i)
        settings.categories[i] = {filterRows[i].extensions.text(), filterRows[i].folder.text()};
    FilterPageReport report(filterReportList, filterFailureList);
    return morvane::FilterPass(settings, sys.files, sys.windows, filterRun_, report);
}

} // namespace morvane
