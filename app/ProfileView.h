#pragma once
// The profile column, GENERAL and SHARED FOLDERS: the profile list and its menu, the name box
// with its rename step, the number fields and the shared folder list, bound to the program's
// state. Each handler takes the input from its control, calls the state's operation and shows
// the result; the order of these effects is the one the program has always had.

#include <string>

#include "profiles/ProfileFile.h"
#include "registry/ClientSettings.h"

namespace morvane {

class MainWindow;
namespace ui {
class TextBox;
}

class ProfileView {
public:
    explicit ProfileView(MainWindow& window) : w_(window) {}
    void connect();

    // The current profile's values shown in the controls (not its name), and the profile
    // list shown as the state lists it.
    void ShowProfile();
    void showProfileNames();

    // ---- The operations as the window runs them.
    void ImportSettings();
    Registration RegisterProfile();
    void SaveProfile(const std::string& name);
    // True when the profile was read and became current; otherwise, after telling the user
    // why, nothing has changed and the profile shown stays current.
    bool LoadProfile(const std::string& name);
    void LoadFilterSettings(const std::string& name);
    void ListProfiles(const std::string& except);
    // The current profile is left while its name cannot be stored: its entry takes back the
    // name its file has.
    void leaveUnstorableName();

    // ---- Handlers.
    void profileList_MouseDown(int button, int shift, float x, float y);
    void AddProfile_Click();
    void DeleteProfile_Click();
    void profileNameBox_Change();
    // Any change of a number field, however the text came (typed, pasted, dropped).
    void NumberField_Change(ui::TextBox& field);
    // Leaving a number field: emptied, it takes its fallback; the profile is stored.
    void NumberField_LostFocus(ui::TextBox& field, const char* fallback);
    void sharedFolderList_MouseDown(int button, int shift, float x, float y);
    void AddFolder_Click();
    void RemoveFolder_Click();

private:
    MainWindow& w_;
    bool renaming_ = false; // the rename step is running; its own edits of the box are quiet
};

} // namespace morvane
