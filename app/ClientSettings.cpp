// The import and the registration as the window shows them: the client's settings taken into
// the controls as the current profile, and the current profile written into the client's keys.

#include "app/MainWindow.h"

namespace morvane {

namespace {

ClientKeys TargetKeys(const MainWindow& form) {
    return {form.REG_LOCALCONTENT, form.REG_USERDETAILS, form.REG_TRANSFER, form.REG_ADVANCED};
}

} // namespace

void MainWindow::ImportSettings(std::string& name) {
    const Profile client = morvane::ImportSettings(sys.registry, sys.dialogs, TargetKeys(*this));
    downloadFolderBox.setText(client.downloadFolder);

    // The name box keeps names in lower case, by its own rule. Taking the lower-cased name as
    // the current one before the box is set leaves the box's rename step nothing to rename:
    // it would otherwise replace the stored profile of that name (file names ignore case)
    // with these half-filled fields, and its filter settings would be lost.
    name = client.name;
    str_currentprofilename = name;
    profileList.addItem(name);
    profileNameBox.setText(name);
    registeredProfileName.setCaption(name);
    for (const std::string& folder : client.sharedFolders)
        sharedFolderList.addItem(folder);
    downloadsBox.setText(client.downloads);
    uploadsBox.setText(client.uploads);
    searchResultsBox.setText(client.searchResults);

    LoadFilterSettings(name);
}

Registration MainWindow::RegisterProfile() {
    if (str_currentprofilename.empty())
        return {};
    SaveProfile(str_currentprofilename);
    Profile profile = ShownProfile();
    profile.name = profileNameBox.text();
    const Registration registration =
        morvane::RegisterProfile(sys.registry, sys.dialogs, TargetKeys(*this), profile);
    registeredProfileName.setCaption(profileNameBox.text());
    return registration;
}

} // namespace morvane
