// Start-up: find the target client from its marker file, or ask for it; then take the
// client's present settings in as the current profile and list the stored ones.

#include "app/ClientChooser.h"
#include "app/MainWindow.h"

namespace morvane {

void MainWindow::SetTarget(const TargetApplication& target) {
    applicationName.setCaption(std::string(target.displayName));
    profiles.SetTarget(target);
}

bool MainWindow::FindMarkedTarget() {
    if (!profiles.FindMarkedTarget())
        return false;
    applicationName.setCaption(profiles.target().displayName);
    return true;
}

void MainWindow::TakeInClientSettings() {
    generalPage.bringToFront();
    sectionMenu[GeneralItem].setSelected(true);
    profileView.ImportSettings();
    profileView.SaveProfile(profiles.currentName());
    profileView.ListProfiles(profiles.currentName());
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
