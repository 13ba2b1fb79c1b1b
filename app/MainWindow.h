#pragma once
// The main window: its controls in the order of the control table, the program's state they
// show (a ProfileManager), the window's own handlers (start-up, section menu, command bar,
// highlighting, tray, end) and, by area, the views that bind the other controls to the state.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/DownloadsView.h"
#include "app/FilterView.h"
#include "app/ProfileView.h"
#include "core/ProfileManager.h"
#include "platform/Services.h"
#include "platform/ui/Controls.h"

namespace morvane {

class FolderPickerDialog;
class ClientChooser;

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
    // What the program knows; the controls show it.
    ProfileManager profiles;

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

    // ---- Handlers by area: the profile column, GENERAL and SHARED FOLDERS; DOWNLOAD
    // FOLDER; DOWNLOAD FILTER and the running-filter page.
    ProfileView profileView{*this};
    DownloadsView downloadsView{*this};
    FilterView filterView{*this};

    // The folder the picker's Select chose, until its caller takes it; empty otherwise.
    std::string pickedFolder;

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
    bool Form_KeyDown(int keyCode, int shift);
    // Any menu item, command or running-page command under the pointer turns blue.
    void menuItem_MouseMove(ui::Label& item);
    void Form_MouseMove(int button, int shift, float x, float y);
    void titleArea_MouseMove(int button, int shift, float x, float y);
    void sectionArea_MouseMove(int button, int shift, float x, float y);
    void runningFilterPage_MouseMove(int button, int shift, float x, float y);

    // ---- Folder picker: shows it modally with the caller's title; the choice is then in
    // pickedFolder. picker() is the one dialog, made at its first use.
    void ShowFolderPicker(const std::string& title);
    FolderPickerDialog& picker();
    // A locking caller's steps before and after its show: the picker locked to a drive root
    // ("D:\") and opened there; afterwards the result slot emptied and the drive free again.
    void LockFolderPicker(const std::string& root);
    void UnlockFolderPicker();

    // ---- Notification-area icon and the end of the program.
    NotifyIconRecord TrayIcon; // all zero until the window is first minimised
    void GoToTray();           // GO TO TRAY
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
    ui::Frame& pageOf(SectionItem item);
    void ClearMenuHighlight();
    void TrayCallback(float x);
    void AddTrayIcon();

    std::unique_ptr<FolderPickerDialog> pickerDialog_;
    std::unique_ptr<ClientChooser> chooser_;
};

} // namespace morvane
