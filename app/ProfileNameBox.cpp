// The name box: what may be typed into it, and renaming the current profile as its text
// changes.

#include "app/MainWindow.h"
#include "platform/PathRules.h"
#include "profiles/Profiles.h"

namespace morvane {

void MainWindow::profileNameBox_KeyPress(int& keyAscii) {
    ProfileNameKey(keyAscii);
}

// One routine that settles the final name at once; its own edits of the box come back
// through Change and are ignored while it runs.
void MainWindow::profileNameBox_Change() {
    if (renaming_)
        return;
    renaming_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{renaming_};

    std::string name = LowerCase(profileNameBox.text());
    profileNameBox.setText(name);
    if (name == str_currentprofilename)
        return;
    // Another entry's name, or another entry's file, is taken.
    while (NameTaken(profileList.items(), name, &str_currentprofilename))
        name = LowerCase(name + "X");
    profileNameBox.setText(name);

    // The profile is written under its new name before the old file goes, so a save that
    // fails costs nothing: the user has been told, and everything keeps the old name. A name
    // that never had a file has nothing to keep, so the rename goes on; otherwise a name
    // such as an imported ".bob" could not be backspaced into a usable one.
    const bool stored = StoreProfile(name);
    if (!stored && ProfilePath(str_currentprofilename)) {
        profileNameBox.setText(str_currentprofilename);
        return;
    }
    for (int i = 0; i < profileList.count(); ++i)
        if (profileList.item(i) == str_currentprofilename)
            profileList.setItem(i, name);
    // The file the profile was in until now. A name that cannot be stored (the box emptied
    // on the way to a new name) must not cost the profile that file: it stays, and takes the
    // saves, until the profile is written under a name that can be stored. Names that differ
    // only in letter case or outer spaces share one file: the one just written.
    const std::string old = keptName_.empty() ? str_currentprofilename : keptName_;
    if (stored && ProfilePath(name)) {
        if (!SameProfileFile(old, name))
            DeleteProfileFile(old);
        keptName_.clear();
    } else if (ProfilePath(old)) {
        keptName_ = old;
    }
    str_currentprofilename = name;
}

void MainWindow::leaveUnstorableName() {
    if (keptName_.empty())
        return;
    for (int i = 0; i < profileList.count(); ++i)
        if (profileList.item(i) == str_currentprofilename)
            profileList.setItem(i, keptName_);
    str_currentprofilename = keptName_;
    keptName_.clear();
}

} // namespace morvane
