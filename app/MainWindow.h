#pragma once
// The main window: its controls (the working copy of the current profile), its public
// strings, its event handlers and the operations the handlers share. The registry, profile,
// filter and downloads handlers live beside it in app/ and call those folders' operations,
// which know nothing of the window.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "filter/FilterPass.h"
#include "platform/Services.h"
#include "platform/ui/Controls.h"
#include "profiles/ProfileFile.h"
#include "registry/ClientSettings.h"

namespace morvane {

class FolderPickerDialog;
class ClientChooser;
struct TargetApplication;

inline constexpr const char* kWebPageHost = "www.morvane.org";
inline constexpr const char* kWebPageAddress = "http://www.morvane.org/";
inline constexpr const char* kUpdatePageAddress = "http://www.morvane.org/update.html";

// The section menu's items, left to right, each showing its page.
enum SectionItem : std::size_t {
    GeneralItem,
    SharedFoldersItem,
    DownloadFolderItem,
    DownloadFilterItem,
    kSectionItems
};

// The command bar along the bottom, in the order of the control table.
enum CommandItem : std::size_t {
    RegisterProfileItem,
    StartFilterItem,
    ExitItem,
    CheckForUpdatesItem,
    WebPageItem,
    kCommandItems
};

// One category's row on the DOWNLOAD FILTER page.
struct FilterRow {
    ui::Label caption;
    ui::TextBox extensions;
    ui::TextBox folder;
    ui::Button chooseFolder;
};

class MainWindow {
public:
    explicit MainWindow(Services& services);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    Services& sys;

    // ---- Controls, in the order of the control table.
    ui::Window window;
    ui::Frame titleArea{ui::Kind::PictureBox};
    ui::Image logo;
    ui::Label subtitleCaption;
    ui::Label versionCaption;
    ui::Label applicationCaption;
    ui::Label applicationName;
    ui::Label registeredCaption;
    ui::Label registeredProfileName;
    ui::Frame profileColumn;
    ui::Label profilesHeading;
    ui::Frame profileListClip{ui::Kind::PictureBox};
    ui::ListBox profileList;
    ui::Frame sectionArea;
    std::array<ui::Label, kSectionItems> sectionMenu;
    ui::Frame generalPage;
    ui::Label profileNameCaption;
    ui::TextBox profileNameBox;
    ui::Label uploadsCaption;
    ui::TextBox uploadsBox;
    ui::Label downloadsCaption;
    ui::TextBox downloadsBox;
    ui::Label searchResultsCaption;
    ui::TextBox searchResultsBox;
    ui::Frame sharedFoldersPage;
    ui::ListBox sharedFolderList;
    ui::Frame downloadFolderPage;
    ui::TextBox downloadFolderBox;
    ui::Button downloadFolderButton;
    ui::Button renameButton;
    ui::Frame downloadNamesClip{ui::Kind::PictureBox};
    ui::ListBox downloadNameList;
    ui::Frame datFilesClip{ui::Kind::PictureBox};
    ui::ListBox datFileList;
    ui::Frame downloadFilterPage;
    ui::Label extensionsCaption;
    ui::Label destinationCaption;
    std::array<FilterRow, kFilterCategories> filterRows;
    std::array<ui::Label, kCommandItems> commandBar;
    ui::Frame runningFilterPage;
    ui::Label filterRunningHeading;
    ui::Label reportCaption;
    ui::Frame reportClip{ui::Kind::PictureBox};
    ui::ListBox filterReportList;
    ui::Label failuresCaption;
    ui::Frame failuresClip{ui::Kind::PictureBox};
    ui::ListBox filterFailureList;
    ui::Label stopFilterCommand;
    ui::Label goToTrayCommand;
    ui::Timer filterTimer;

    // ---- Pop-up menus.
    ui::Menu profileMenu;
    ui::Menu folderMenu;
    ui::Menu trayMenu;
    enum ProfileMenuItem { AddProfile = 0, DeleteProfile = 1 };
    enum FolderMenuItem { AddFolder = 0, RemoveFolder = 1 };
    enum TrayMenuItem { RestoreWindow = 0, StopFiltersAndExit = 1 };

    // ---- Public strings.
    std::string str_currentprofilename;
    std::string REG_LOCALCONTENT;
    std::string REG_USERDETAILS;
    std::string REG_TRANSFER;
    std::string REG_ADVANCED;
    std::string str_pickedfolder;

    // ---- Start-up. False when the program ended during it (no client installed).
    bool Form_Load();
    // Makes a client the target: its name on screen, its four key paths.
    void SetTarget(const TargetApplication& target);
    // Form_Load's two halves: the target from its marker file (false when none is marked),
    // and the client's settings imported and saved as the current profile, the list filled.
    bool FindMarkedTarget();
    void TakeInClientSettings();

    // ---- Section menu, command bar and highlighting.
    void sectionMenu_Click(SectionItem item);
    void commandBar_Click(CommandItem item);
    // Any menu item, command or running-page command under the pointer turns blue.
    void menuItem_MouseMove(ui::Label& item);
    void Form_MouseMove(int button, int shift, float x, float y);
    void titleArea_MouseMove(int button, int shift, float x, float y);
    void sectionArea_MouseMove(int button, int shift, float x, float y);
    void runningFilterPage_MouseMove(int button, int shift, float x, float y);

    // ---- Import and registration (the registry's side is in registry/ClientSettings.h).
    // The client's settings shown as the current profile, named `name` (its user name).
    void ImportSettings(std::string& name);
    // The current profile saved and written into the client's keys; nothing without one.
    Registration RegisterProfile();

    // ---- Profile files.
    void SaveProfile(const std::string& name);
    // True when the profile was read and became current; otherwise, after telling the user
    // why, nothing has changed and the profile shown stays current.
    bool LoadProfile(const std::string& name);
    void LoadFilterSettings(const std::string& name);
    // SaveProfile with its outcome: false, after telling the user, when the file could not
    // be written; true for the empty name, for which nothing is written by design. While the
    // current profile's name cannot be stored, its saves go to the file of its last name.
    bool StoreProfile(const std::string& name);
    // The profile values the controls hold (its name left empty).
    Profile ShownProfile() const;

    // ---- Profile list and editing.
    void ListProfiles(const std::string& name);
    void DeleteProfileFile(const std::string& name);
    // The current profile is left while its name cannot be stored: its entry takes back the
    // name its file has (also before a request looks a profile up by that name).
    void leaveUnstorableName();
    void profileList_MouseDown(int button, int shift, float x, float y);
    void AddProfile_Click();
    void DeleteProfile_Click();
    void profileNameBox_KeyPress(int& keyAscii);
    void profileNameBox_Change();
    void downloadsBox_KeyPress(int& keyAscii);
    void uploadsBox_KeyPress(int& keyAscii);
    void searchResultsBox_KeyPress(int& keyAscii);
    void downloadsBox_LostFocus();
    void uploadsBox_LostFocus();
    void searchResultsBox_LostFocus();
    // Any change of a number field, however the text came (typed, pasted, dropped).
    void NumberField_Change(ui::TextBox& field);

    // ---- Folder picker: shows it modally with the caller's title; the choice is then in
    // str_pickedfolder. picker() is the one dialog, made at its first use.
    void ShowFolderPicker(const std::string& title);
    FolderPickerDialog& picker();
    // A locking caller's steps before and after its show: the picker locked to a drive root
    // ("D:\") and opened there; afterwards the result slot emptied and the drive free again.
    void LockFolderPicker(const std::string& root);
    void UnlockFolderPicker();

    // ---- Shared folders.
    void sharedFolderList_MouseDown(int button, int shift, float x, float y);
    void AddFolder_Click();
    void RemoveFolder_Click();

    // ---- Incomplete downloads and their rename.
    void ListIncompleteDownloads();
    void downloadFolderButton_Click();
    void downloadNameList_Click();
    void datFileList_Click();
    void downloadNameList_Scroll();
    void datFileList_Scroll();
    void renameButton_Click();

    // ---- Filter configuration (Index: the category, 0 to 4).
    void chooseFilterFolder_Click(int index);
    void filterExtensions_KeyPress(int index, int& keyAscii);
    void filterExtensions_LostFocus(int index);
    void filterFolder_LostFocus(int index);

    // ---- Filter run.
    void StartFilter(); // START FILTER
    void GoToTray();    // GO TO TRAY
    void filterTimer_Timer();
    // One look at the download folder with the settings the page holds now, moving what an
    // active category takes and reporting into the running page's lists.
    FilterPassResult FilterPass();
    void StopFilter(); // STOP FILTER
    const FilterRun& filterRun() const { return filterRun_; }

    // ---- Notification-area icon and the end of the program.
    NotifyIconRecord TrayIcon; // all zero until the window is first minimised
    void Form_Resize();
    void RestoreWindow_Click();
    void StopFiltersAndExit_Click();
    void Form_Unload(int& cancel);
    // The task bar was made afresh (the shell restarted): its icons are gone.
    void Form_TaskbarCreated();

    // Shows a pop-up menu and runs the chosen item's click.
    void ShowPopup(ui::Menu& menu);
    // A message box with the program's title as its caption.
    MessageAnswer MsgBox(const std::string& text, MessageButtons buttons = MessageButtons::Ok,
                         MessageIcon icon = MessageIcon::None);

    ClientChooser& chooser();

private:
    void layOut();
    void connectHandlers();
    void ShowSection(ui::Frame& page);
    void ClearMenuHighlight();
    void connectFolderHandlers();
    // The download folder and the filter rows as the controls hold them, and putting filter
    // rows back (all a load needs of the shown values: no copy of the folder list).
    Profile shownFilters() const;
    void showFilters(const FilterCategories& filters);
    // Tells the user that a save failed, once: not while a message about a save is showing
    // (it takes the focus, and a field's focus-loss saves again), and not again for the same
    // values failing in the same file.
    void tellSaveFailed(const std::string& name, const std::string& text);

    void RunFilterPasses(bool queue);
    void TrayCallback(float x);
    void AddTrayIcon();

    std::unique_ptr<FolderPickerDialog> pickerDialog_;
    std::unique_ptr<ClientChooser> chooser_;
    FilterRun filterRun_;
    bool renaming_ = false; // the rename step is running; its own edits of the box are quiet
    // While the name box holds a name that cannot be stored (blank, or refused as a file
    // name), the last name the current profile was stored under: its file stays until a name
    // that can be stored is typed. Empty otherwise.
    std::string keptName_;
    bool saveMessageShowing_ = false;
    std::optional<Profile> reportedFailure_; // the values last told as not saved, and their name
};

} // namespace morvane
