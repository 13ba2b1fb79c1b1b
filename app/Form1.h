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

class Form2;
class Form3;
struct TargetApplication;

inline constexpr const char* kWebPageHost = "www.morvane.org";
inline constexpr const char* kWebPageAddress = "http://www.morvane.org/";
inline constexpr const char* kUpdatePageAddress = "http://www.morvane.org/update.html";

class Form1 {
public:
    explicit Form1(Services& services);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    Services& sys;

    // ---- Controls, in the order of the control table.
    ui::Window window;
    ui::Frame Picture1{ui::Kind::PictureBox};
    ui::Image Image1;
    ui::Label Label1;
    ui::Label Label7;
    std::array<ui::Label, 10> Label6;
    ui::Label lab_application;
    ui::Label lab_currentprofile;
    ui::Frame Frame1;
    std::array<ui::Label, 5> ProfileLabel; // 0 and 4 are used
    ui::Frame Picture2{ui::Kind::PictureBox};
    ui::ListBox list_Profiles;
    ui::Frame frm_Details;
    std::array<ui::Label, 9> Label2;
    ui::Frame frame_general;
    ui::Label Label5;
    ui::TextBox txt_profilename;
    ui::Label Label3;
    ui::TextBox txt_Uploads;
    ui::Label Label4;
    ui::TextBox txt_Downloads;
    ui::TextBox txt_Searchresults;
    ui::Frame frame_shared;
    ui::ListBox list_Folders;
    ui::Frame frame_downloads;
    ui::TextBox txt_Downloadfolder;
    ui::Button button_folderlist;
    ui::Button button_rename;
    ui::Frame Picture3{ui::Kind::PictureBox};
    ui::ListBox List_Downloads;
    ui::Frame Picture4{ui::Kind::PictureBox};
    ui::ListBox list_downloads2;
    ui::Frame frame_filter;
    std::array<ui::TextBox, 5> txt_filterext;
    std::array<ui::TextBox, 5> txt_filterfolder;
    std::array<ui::Button, 5> button_selfilterfolder;
    ui::Frame frame_runningfilter;
    std::array<ui::Label, 2> Label8;
    std::array<ui::Frame, 2> Picture5{ui::Frame{ui::Kind::PictureBox},
                                      ui::Frame{ui::Kind::PictureBox}};
    ui::ListBox list_filterreport;
    ui::ListBox list_filtererrors;
    std::array<ui::Label, 2> filterlabel;
    ui::Timer timer_filter;

    // ---- Pop-up menus.
    ui::Menu ProfileMenu;
    ui::Menu FolderMenu;
    ui::Menu mnuSysTray;
    enum ProfileMenuItem { AddProfile = 0, DeleteProfile = 1 };
    enum FolderMenuItem { AddFolder = 0, RemoveFolder = 1 };
    enum SysTrayItem { mnuRestore = 0, mnuExit = 1 };

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
    void Label2_Click(int index);
    void Label2_MouseMove(int index, int button, int shift, float x, float y);
    void filterlabel_MouseMove(int index, int button, int shift, float x, float y);
    void Form_MouseMove(int button, int shift, float x, float y);
    void Picture1_MouseMove(int button, int shift, float x, float y);
    void frm_Details_MouseMove(int button, int shift, float x, float y);
    void frame_runningfilter_MouseMove(int button, int shift, float x, float y);

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
    void list_Profiles_MouseDown(int button, int shift, float x, float y);
    void AddProfile_Click();
    void DeleteProfile_Click();
    void txt_profilename_KeyPress(int& keyAscii);
    void txt_profilename_Change();
    void txt_Downloads_KeyPress(int& keyAscii);
    void txt_Uploads_KeyPress(int& keyAscii);
    void txt_Searchresults_KeyPress(int& keyAscii);
    void txt_Downloads_LostFocus();
    void txt_Uploads_LostFocus();
    void txt_Searchresults_LostFocus();
    // Any change of a number field, however the text came (typed, pasted, dropped).
    void NumberField_Change(ui::TextBox& field);

    // ---- Folder picker: shows it modally with the caller's title; the choice is then in
    // str_pickedfolder. picker() is the one dialog, made at its first use.
    void ShowFolderPicker(const std::string& title);
    Form2& picker();
    // A locking caller's steps before and after its show: the picker locked to a drive root
    // ("D:\") and opened there; afterwards the result slot emptied and the drive free again.
    void LockFolderPicker(const std::string& root);
    void UnlockFolderPicker();

    // ---- Shared folders.
    void list_Folders_MouseDown(int button, int shift, float x, float y);
    void AddFolder_Click();
    void RemoveFolder_Click();

    // ---- Incomplete downloads and their rename.
    void ListIncompleteDownloads();
    void button_folderlist_Click();
    void List_Downloads_Click();
    void list_downloads2_Click();
    void List_Downloads_Scroll();
    void list_downloads2_Scroll();
    void button_rename_Click();

    // ---- Filter configuration (Index: the category, 0 to 4).
    void button_selfilterfolder_Click(int index);
    void txt_filterext_KeyPress(int index, int& keyAscii);
    void txt_filterext_LostFocus(int index);
    void txt_filterfolder_LostFocus(int index);

    // ---- Filter run.
    void StartFilter(); // START FILTER
    void filterlabel_Click(int index);
    void timer_filter_Timer();
    // One look at the download folder with the settings the page holds now, moving what an
    // active category takes and reporting into the running page's lists.
    FilterPassResult FilterPass();
    void StopFilter(); // STOP FILTER
    const FilterRun& filterRun() const { return filterRun_; }

    // ---- Notification-area icon and the end of the program.
    NotifyIconRecord TrayIcon; // all zero until the window is first minimised
    void Form_Resize();
    void mnuRestore_Click();
    void mnuExit_Click();
    void Form_Unload(int& cancel);
    // The task bar was made afresh (the shell restarted): its icons are gone.
    void Form_TaskbarCreated();

    // Shows a pop-up menu and runs the chosen item's click.
    void ShowPopup(ui::Menu& menu);
    // A message box with the program's title as its caption.
    MessageAnswer MsgBox(const std::string& text, MessageButtons buttons = MessageButtons::Ok,
                         MessageIcon icon = MessageIcon::None);

    Form3& chooser();

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

    std::unique_ptr<Form2> form2_;
    std::unique_ptr<Form3> form3_;
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
