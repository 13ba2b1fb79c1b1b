// The import and the registration as the window shows them: the client's settings taken into
// the controls as the current profile, and the current profile written into the client's keys.

#include "app/Form1.h"

namespace morvane {

namespace {

ClientKeys TargetKeys(const Form1& form) {
    return {form.REG_LOCALCONTENT, form.REG_USERDETAILS, form.REG_TRANSFER, form.REG_ADVANCED};
}

} // namespace

void Form1::ImportSettings(std::string& name) {
    const Profile client = morvane::ImportSettings(sys.registry, sys.dialogs, TargetKeys(*this));
    txt_Downloadfolder.setText(client.downloadFolder);

    // The name box keeps names in lower case, by its own rule. Taking the lower-cased name as
    // the current one before the box is set leaves the box's rename step nothing to rename:
    // it would otherwise replace the stored profile of that name (file names ignore case)
    // with these half-filled fields, and its filter settings would be lost.
    name = client.name;
    str_currentprofilename = name;
    list_Profiles.addItem(name);
    txt_profilename.setText(name);
    lab_currentprofile.setCaption(name);
    for (const std::string& folder : client.sharedFolders)
        list_Folders.addItem(folder);
    txt_Downloads.setText(client.downloads);
    txt_Uploads.setText(client.uploads);
    txt_Searchresults.setText(client.searchResults);

    LoadFilterSettings(name);
}

Registration Form1::RegisterProfile() {
    if (str_currentprofilename.empty())
        return {};
    SaveProfile(str_currentprofilename);
    Profile profile = ShownProfile();
    profile.name = txt_profilename.text();
    const Registration registration =
        morvane::RegisterProfile(sys.registry, sys.dialogs, TargetKeys(*this), profile);
    lab_currentprofile.setCaption(txt_profilename.text());
    return registration;
}

} // namespace morvane
