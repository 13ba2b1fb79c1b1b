// Start-up: find the target client from its marker file, or ask for it; then take the
// client's present settings in as the current profile and list the stored ones.

#include "app/ClientChooser.h"
#include "app/MainWindow.h"
#include "app/TargetApplication.h"

namespace morvane {

void MainWindow::SetTarget(const TargetApplication& target) {
    applicationName.setCaption(std::string(target.displayName));
    REG_LOCALCONTENT = target.localContent;
    REG_USERDETAILS = target.userDetails;
    REG_TRANSFER = target.transfer;
    REG_ADVANCED = target.advanced;
}

bool MainWindow::FindMarkedTarget() {
    // Every marker is probed; with several present the last one found wins. A hidden or
    // system marker is not listed, so it does not count.
    bool found = false;
    for (const TargetApplication& target : kTargetApplications) {
        if (!sys.files.listFiles(std::string(target.markerFile)).empty()) {
            SetTarget(target);
            found = true;
        }
    }
    return found;
}

void MainWindow::TakeInClientSettings() {
    generalPage.bringToFront();
    ImportSettings(str_currentprofilename);
    SaveProfile(str_currentprofilename);
    ListProfiles(str_currentprofilename);
}

bool MainWindow::Form_Load() {
    if (!FindMarkedTarget()) {
        ClientChooser& form3 = chooser();
        if (!form3.Form_Load())
            return false; // no client installed: the program has ended
        sys.windows.showModal(form3.window);
        if (!form3.chosen()) {
            // Closed without a choice: without a target there is nothing to import or
            // register, and no key path to use, so the program ends with nothing written.
            sys.windows.endProgram();
            return false;
        }
    }
    TakeInClientSettings();
    return true;
}

} // namespace morvane
