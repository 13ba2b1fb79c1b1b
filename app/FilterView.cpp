// The DOWNLOAD FILTER page and the running-filter page: the category boxes, the choice of a
// destination folder, START FILTER, its passes and STOP FILTER. The rules and the pass are in
// filter/.

#include "app/FilterView.h"

#include <optional>

#include "app/MainWindow.h"

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

void FilterView::connect() {
    MainWindow& w = w_;
    for (std::size_t i = 0; i < w.filterRows.size(); ++i) {
        FilterRow& row = w.filterRows[i];
        FilterCategory& values = w.profiles.values().filters[i];
        row.extensions.KeyPress = [](int& k) {
            if (IsRefusedExtensionKey(k))
                k = 0;
        };
        row.extensions.Change = [&row, &values] { values.extensions = row.extensions.text(); };
        row.folder.Change = [&row, &values] { values.folder = row.folder.text(); };
        row.extensions.LostFocus =
            row.folder.LostFocus = [this] { w_.profileView.SaveProfile(w_.profileNameBox.text()); };
        row.chooseFolder.Click = [this, i] { chooseFilterFolder_Click(static_cast<int>(i)); };
    }
    w.filterTimer.Tick = [this] { filterTimer_Timer(); };
    w.stopFilterCommand.Click = [this] { StopFilter(); };
}

void FilterView::showFilters(const FilterCategories& filters) {
    for (std::size_t i = 0; i < filters.size(); ++i) {
        w_.filterRows[i].extensions.setText(filters[i].extensions);
        w_.filterRows[i].folder.setText(filters[i].folder);
    }
}

void FilterView::chooseFilterFolder_Click(int index) {
    if (index < 0 || index >= kFilterCategories)
        return;
    const std::string& downloads = w_.profiles.values().downloadFolder;
    // The picker can only be locked to a drive root; a folder chosen anywhere else would be
    // reset by the next start anyway.
    if (!BeginsWithDriveRoot(downloads)) {
        w_.MsgBox("Choose A Download Folder On A Drive First", MessageButtons::Ok,
                  MessageIcon::Stop);
        return;
    }
    // Files are moved by renaming them, so the destination must be on the download folder's
    // drive: the picker opens at its root and cannot leave it.
    w_.LockFolderPicker(DriveRootOf(downloads));
    w_.ShowFolderPicker("Select Filter Folder");
    if (!w_.pickedFolder.empty()) {
        w_.filterRows[static_cast<std::size_t>(index)].folder.setText(w_.pickedFolder);
        w_.downloadsView.ListIncompleteDownloads();
        w_.profileView.SaveProfile(w_.profileNameBox.text());
    }
    w_.UnlockFolderPicker();
}

void FilterView::StartFilter() {
    FilterRun& run = w_.profiles.filterRun();
    // A start during the first pass of another (the page is not in front yet) changes nothing.
    if (w_.profiles.currentName().empty() || run.running())
        return;
    const FilterStartCheck check = w_.profiles.CheckFilterStart();
    if (check.anyReset()) {
        for (std::size_t i = 0; i < check.reset.size(); ++i)
            if (check.reset[i])
                w_.filterRows[i].folder.setText(check.resetTo);
        w_.profileView.SaveProfile(w_.profileNameBox.text()); // stored as any change of folders
        w_.MsgBox("Filter Folders Are No Longer On The Same Drive As Download Folder: Filter "
                  "Folders Reset",
                  MessageButtons::Ok, MessageIcon::Stop);
        return;
    }
    run.start();
    w_.filterReportList.addItem("Filter started at " + w_.sys.clock.timeOfDay());
    w_.filterFailureList.clear();
    RunFilterPasses(true);
    if (w_.sys.windows.ended() || !run.running())
        return; // stopped during its first pass: the page stays hidden, the timer off
    w_.filterTimer.setEnabled(true);
    w_.runningFilterPage.setVisible(true);
    w_.runningFilterPage.bringToFront();
    w_.renameButton.setVisible(false);
}

void FilterView::StopFilter() {
    FilterRun& run = w_.profiles.filterRun();
    if (!run.running())
        return;
    run.stop();
    w_.filterTimer.setEnabled(false);
    w_.filterReportList.addItem("Filter stopped at " + w_.sys.clock.timeOfDay());
    w_.runningFilterPage.setVisible(false);
}

void FilterView::filterTimer_Timer() {
    if (w_.profiles.filterRun().running())
        RunFilterPasses(false);
}

// Passes never nest: a tick during a pass is skipped, a start's pass follows the one under way.
void FilterView::RunFilterPasses(bool queue) {
    FilterRun& run = w_.profiles.filterRun();
    if (!run.beginPass(queue))
        return;
    do {
        FilterPass();
    } while (run.endPass() && !w_.sys.windows.ended());
}

FilterPassResult FilterView::FilterPass() {
    FilterPageReport report(w_.filterReportList, w_.filterFailureList);
    return morvane::FilterPass(w_.profiles.filterSettings(), w_.sys.files, w_.sys.windows,
                               w_.profiles.filterRun(), report);
}

} // namespace morvane
