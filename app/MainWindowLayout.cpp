// The main window's control table: every control, where it sits, how it looks at start.

#include <algorithm>

#include "MorvaneVersion.h"
#include "app/ClientChooser.h"
#include "app/FolderPickerDialog.h"
#include "app/MainWindow.h"

namespace morvane {

namespace {

using ui::Font;
using ui::kLightGrey;
using ui::kWhite;

std::string indexed(const char* name, std::size_t index) {
    return std::string(name) + "(" + std::to_string(index) + ")";
}

void setLabel(ui::Container& in, ui::Label& label, std::string name, ui::Rect rect,
              std::string caption, Font font = Font::SansSerif) {
    in.add(label, std::move(name), rect);
    label.setCaption(std::move(caption));
    label.font = font;
}

void setTextBox(ui::Container& in, ui::TextBox& box, std::string name, ui::Rect rect,
                int maxLength = 0, bool readOnly = false) {
    in.add(box, std::move(name), rect);
    box.maxLength = maxLength;
    box.readOnly = readOnly;
}

void setButton(ui::Container& in, ui::Button& button, std::string name, ui::Rect rect,
               std::string caption, Font font) {
    in.add(button, std::move(name), rect);
    button.setCaption(std::move(caption));
    button.font = font;
    button.background = kWhite;
}

void setFrame(ui::Container& in, ui::Frame& frame, std::string name, ui::Rect rect,
              std::optional<ui::Colour> colour) {
    in.add(frame, std::move(name), rect);
    frame.background = colour;
}

// A caption as a control's accessible name: without its closing colon, and a caption set in
// capitals in the case of the other captions ("SHARED FOLDERS" reads "Shared Folders").
std::string spokenName(const std::string& caption) {
    std::string name = caption;
    while (!name.empty() && (name.back() == ':' || name.back() == ' '))
        name.pop_back();
    auto lower = [](char c) { return c >= 'a' && c <= 'z'; };
    if (std::none_of(name.begin(), name.end(), lower))
        for (std::size_t i = 1; i < name.size(); ++i)
            if (name[i - 1] != ' ' && name[i] >= 'A' && name[i] <= 'Z')
                name[i] = static_cast<char>(name[i] - 'A' + 'a');
    return name;
}

// Each control named by the label a sighted person reads beside or above it.
void nameAfter(const ui::Label& caption, std::initializer_list<ui::Control*> controls) {
    for (ui::Control* control : controls)
        control->accessibleName = spokenName(caption.caption());
}

// A white menu item in its outline.
void setMenuItem(ui::Container& in, ui::Label& label, std::string name, ui::Rect rect,
                 std::string caption, std::string outlineName, ui::Rect outline) {
    setLabel(in, label, std::move(name), rect, std::move(caption), Font::ArialBold);
    label.background = kWhite;
    label.centred = true;
    in.outlines.push_back({std::move(outlineName), outline});
}

// A page of the section area, drawn with an outline along its edge.
void setPage(ui::Container& in, ui::Frame& page, std::string name, const char* outlineName) {
    setFrame(in, page, std::move(name), {60, 540, 7695, 2985}, kWhite);
    page.outlines.push_back({outlineName, {0, 0, 7695, 2985}});
}

} // namespace

MainWindow::MainWindow(Services& services)
    : sys(services), profiles(services.registry, services.files, services.dialogs) {
    layOut();
    connectHandlers();
    profileView.connect();
    downloadsView.connect();
    filterView.connect();
}

MainWindow::~MainWindow() = default;

void MainWindow::layOut() {
    window.name = "MainWindow";
    window.setCaption(kProgramTitle);
    window.clientWidth = 9840;
    window.clientHeight = 5085;
    window.background = kLightGrey;
    window.icon = "MORVANE";
    window.toolWindow = true;

    // Title area and status lines.
    setFrame(window, titleArea, "titleArea", {30, 0, 3975, 615}, kLightGrey);
    titleArea.add(logo, "logo", {-60, -90, 3960, 645});
    logo.picture = "LOGO";
    setLabel(titleArea, subtitleCaption, "subtitleCaption", {135, 390, 2265, 285},
             "FastTrack Application Profile Manager", Font::ArialSmallBold);
    setLabel(titleArea, versionCaption, "versionCaption", {2595, 390, 1155, 165},
             "VERSION " MORVANE_VERSION " BETA", Font::ArialSmallBold);
    setLabel(window, applicationCaption, "applicationCaption", {6285, 30, 1365, 255},
             "Application:");
    setLabel(window, applicationName, "applicationName", {7710, 45, 2055, 225}, "Not Set",
             Font::SansSerifBold);
    setLabel(window, registeredCaption, "registeredCaption", {6270, 330, 1365, 465},
             "Registered Profile:");
    setLabel(window, registeredProfileName, "registeredProfileName", {7710, 315, 2055, 405},
             "Not Set", Font::SansSerifBold);

    // Profile column.
    setFrame(window, profileColumn, "profileColumn", {-15, 615, 2055, 3810}, kLightGrey);
    setMenuItem(profileColumn, profilesHeading, "profilesHeading", {615, 210, 1155, 165},
                "PROFILES", "Shape1(4)", {45, 150, 1860, 345});
    setFrame(profileColumn, profileListClip, "profileListClip", {75, 615, 1830, 3120},
             std::nullopt);
    profileListClip.add(profileList, "profileList", {-15, -15, 1854, 3150});
    profileList.background = kLightGrey;
    nameAfter(profilesHeading, {&profileList});

    // Section area: menu and the four stacked pages.
    setFrame(window, sectionArea, "sectionArea", {2025, 615, 8145, 3795}, kLightGrey);
    setMenuItem(sectionArea, sectionMenu[GeneralItem], indexed("sectionMenu", GeneralItem),
                {675, 210, 1155, 165}, "GENERAL", "Shape1(0)", {60, 150, 1854, 345});
    setMenuItem(sectionArea, sectionMenu[SharedFoldersItem],
                indexed("sectionMenu", SharedFoldersItem), {2280, 210, 1485, 165}, "SHARED FOLDERS",
                "Shape1(1)", {2010, 150, 1860, 345});
    setMenuItem(sectionArea, sectionMenu[DownloadFolderItem],
                indexed("sectionMenu", DownloadFolderItem), {4080, 210, 1650, 165},
                "DOWNLOAD FOLDER", "Shape1(2)", {3945, 150, 1860, 345});
    setMenuItem(sectionArea, sectionMenu[DownloadFilterItem],
                indexed("sectionMenu", DownloadFilterItem), {6045, 210, 1650, 165},
                "DOWNLOAD FILTER", "Shape1(3)", {5880, 150, 1860, 345});

    setPage(sectionArea, generalPage, "generalPage", "frameshape(4)");
    setLabel(generalPage, profileNameCaption, "profileNameCaption", {165, 300, 1335, 285},
             "Profile Name");
    setTextBox(generalPage, profileNameBox, "profileNameBox", {1860, 225, 3075, 315});
    setLabel(generalPage, uploadsCaption, "uploadsCaption", {150, 915, 1335, 285},
             "Maximum Uploads");
    setTextBox(generalPage, uploadsBox, "uploadsBox", {1860, 855, 735, 315}, 2);
    setLabel(generalPage, downloadsCaption, "downloadsCaption", {150, 1320, 1515, 285},
             "Maximum Downloads");
    setTextBox(generalPage, downloadsBox, "downloadsBox", {1860, 1260, 735, 315}, 2);
    setLabel(generalPage, searchResultsCaption, "searchResultsCaption", {150, 1695, 1515, 285},
             "Max Search Results");
    setTextBox(generalPage, searchResultsBox, "searchResultsBox", {1860, 1665, 735, 315}, 4);
    nameAfter(profileNameCaption, {&profileNameBox});
    nameAfter(uploadsCaption, {&uploadsBox});
    nameAfter(downloadsCaption, {&downloadsBox});
    nameAfter(searchResultsCaption, {&searchResultsBox});

    setPage(sectionArea, sharedFoldersPage, "sharedFoldersPage", "frameshape(6)");
    sharedFoldersPage.add(sharedFolderList, "sharedFolderList", {165, 195, 7365, 2565});
    nameAfter(sectionMenu[SharedFoldersItem], {&sharedFolderList}); // the page's only caption

    setPage(sectionArea, downloadFolderPage, "downloadFolderPage", "frameshape(5)");
    setTextBox(downloadFolderPage, downloadFolderBox, "downloadFolderBox", {120, 240, 3045, 315}, 0,
               true);
    setButton(downloadFolderPage, downloadFolderButton, "downloadFolderButton",
              {3225, 240, 345, 315}, "...", Font::SansSerifBold);
    setButton(downloadFolderPage, renameButton, "renameButton", {5745, 240, 1830, 315},
              "RENAME FILE", Font::ArialBold);
    renameButton.setVisible(false);
    setFrame(downloadFolderPage, downloadNamesClip, "downloadNamesClip", {120, 615, 3780, 2148},
             std::nullopt);
    downloadNamesClip.add(downloadNameList, "downloadNameList", {-15, -15, 3982, 2175});
    setFrame(downloadFolderPage, datFilesClip, "datFilesClip", {3800, 615, 3680, 2148},
             std::nullopt);
    datFilesClip.add(datFileList, "datFileList", {-15, -15, 3720, 2175});
    // The box and its "..." read as the page's caption; the two lists have none of their own.
    nameAfter(sectionMenu[DownloadFolderItem], {&downloadFolderBox, &downloadFolderButton});
    downloadNameList.accessibleName = "Incomplete Downloads";
    datFileList.accessibleName = "Incomplete Download Files";

    setPage(sectionArea, downloadFilterPage, "downloadFilterPage", "frameshape(0)");
    setLabel(downloadFilterPage, extensionsCaption, "extensionsCaption", {2190, 360, 1365, 255},
             "Extensions");
    setLabel(downloadFilterPage, destinationCaption, "destinationCaption", {5085, 360, 1365, 255},
             "Destination Folder");
    static constexpr const char* kRowCaptions[kFilterCategories] = {
        "Audio:", "Video:", "Images:", "Documents:", "Software:"};
    static constexpr int kCaptionTops[kFilterCategories] = {735, 1125, 1530, 1935, 2325};
    static constexpr int kBoxTops[kFilterCategories] = {660, 1050, 1440, 1860, 2265};
    static constexpr int kButtonTops[kFilterCategories] = {645, 1035, 1425, 1845, 2265};
    for (std::size_t i = 0; i < filterRows.size(); ++i) {
        setLabel(downloadFilterPage, filterRows[i].caption, indexed("filterRowCaption", i),
                 {180, kCaptionTops[i], 1365, 255}, kRowCaptions[i]);
        setTextBox(downloadFilterPage, filterRows[i].extensions, indexed("filterExtensions", i),
                   {1125, kBoxTops[i], 3045, 315});
        setTextBox(downloadFilterPage, filterRows[i].folder, indexed("filterFolder", i),
                   {4185, kBoxTops[i], 3045, 315}, 0, true);
        setButton(downloadFilterPage, filterRows[i].chooseFolder, indexed("chooseFilterFolder", i),
                  {7260, kButtonTops[i], 345, 315}, "...", Font::SansSerifBold);
        // A row's boxes read as their row and column ("Audio Extensions"), its "..." as the
        // folder it chooses ("Audio Folder").
        const std::string row = spokenName(filterRows[i].caption.caption());
        filterRows[i].extensions.accessibleName =
            row + " " + spokenName(extensionsCaption.caption());
        filterRows[i].folder.accessibleName = row + " " + spokenName(destinationCaption.caption());
        filterRows[i].chooseFolder.accessibleName = row + " Folder";
    }

    // Command bar, in reading order (Tab goes left to right).
    setMenuItem(window, commandBar[RegisterProfileItem], indexed("commandBar", RegisterProfileItem),
                {240, 4605, 1605, 165}, "REGISTER PROFILE", "Shape1(45)", {45, 4530, 1860, 345});
    setMenuItem(window, commandBar[WebPageItem], indexed("commandBar", WebPageItem),
                {2205, 4590, 1725, 255}, kWebPageHost, "Shape1(5)", {2100, 4530, 1860, 345});
    setMenuItem(window, commandBar[CheckForUpdatesItem], indexed("commandBar", CheckForUpdatesItem),
                {4110, 4605, 1680, 165}, "CHECK FOR UPDATES", "Shape1(8)", {4035, 4530, 1860, 345});
    setMenuItem(window, commandBar[StartFilterItem], indexed("commandBar", StartFilterItem),
                {6345, 4605, 1155, 165}, "START FILTER", "Shape1(6)", {5970, 4530, 1860, 345});
    setMenuItem(window, commandBar[ExitItem], indexed("commandBar", ExitItem),
                {8640, 4605, 525, 165}, "EXIT", "Shape1(7)", {7905, 4530, 1860, 345});

    // Running-filter page, hidden until the filter starts.
    setFrame(window, runningFilterPage, "runningFilterPage", {0, 570, 9800, 4545}, kLightGrey);
    runningFilterPage.setVisible(false);
    setMenuItem(runningFilterPage, filterRunningHeading, "filterRunningHeading",
                {4305, 270, 1350, 165}, "FILTER RUNNING", "Shape1(9)", {3990, 210, 1860, 345});
    setLabel(runningFilterPage, reportCaption, "reportCaption", {300, 990, 1200, 240},
             "Filter Actions:");
    reportCaption.background = kLightGrey;
    setFrame(runningFilterPage, reportClip, "reportClip", {280, 1250, 4460, 2340}, std::nullopt);
    reportClip.add(filterReportList, "filterReportList", {-15, -15, 4500, 2370});
    setLabel(runningFilterPage, failuresCaption, "failuresCaption", {4845, 990, 1200, 240},
             "Failures:");
    failuresCaption.background = kLightGrey;
    setFrame(runningFilterPage, failuresClip, "failuresClip", {4830, 1245, 4460, 2340},
             std::nullopt);
    failuresClip.add(filterFailureList, "filterFailureList", {-15, -15, 4500, 2370});
    // Hours in the tray add thousands of lines: the newest stay in sight.
    filterReportList.followsEnd = filterFailureList.followsEnd = true;
    nameAfter(reportCaption, {&filterReportList});
    nameAfter(failuresCaption, {&filterFailureList});
    setMenuItem(runningFilterPage, stopFilterCommand, "stopFilterCommand", {3585, 4125, 1155, 165},
                "STOP FILTER", "Shape1(10)", {3135, 4065, 1860, 345});
    setMenuItem(runningFilterPage, goToTrayCommand, "goToTrayCommand", {5505, 4125, 1155, 165},
                "GO TO TRAY", "Shape1(11)", {5040, 4065, 1860, 345});
    runningFilterPage.add(filterTimer, "filterTimer", {});
    filterTimer.interval = 10000;
    filterTimer.setEnabled(false);

    // Pop-up menus, never shown as a menu bar.
    profileMenu = {
        "profileMenu",
        "profileMenu",
        {{"AddProfile", "Add Profile", true, {}}, {"DeleteProfile", "Delete Profile", true, {}}}};
    folderMenu = {
        "folderMenu",
        "folderMenu",
        {{"AddFolder", "Add Folder", true, {}}, {"RemoveFolder", "Remove Folder", true, {}}}};
    trayMenu = {"trayMenu",
                "SysTray",
                {{"RestoreWindow", "Restore Main Window", true, {}},
                 {"StopFiltersAndExit", "Stop Filters And Exit", true, {}}}};
}

void MainWindow::connectHandlers() {
    for (std::size_t i = 0; i < sectionMenu.size(); ++i)
        sectionMenu[i].Click = [this, i] { sectionMenu_Click(static_cast<SectionItem>(i)); };
    for (std::size_t i = 0; i < commandBar.size(); ++i)
        commandBar[i].Click = [this, i] { commandBar_Click(static_cast<CommandItem>(i)); };
    goToTrayCommand.Click = [this] { GoToTray(); };
    for (ui::Label* item : {&sectionMenu[0], &sectionMenu[1], &sectionMenu[2], &sectionMenu[3],
                            &commandBar[0], &commandBar[1], &commandBar[2], &commandBar[3],
                            &commandBar[4], &stopFilterCommand, &goToTrayCommand}) {
        item->command = true;
        item->MouseMove = [this, item](int, int, float, float) { menuItem_MouseMove(*item); };
    }
    window.MouseMove = [this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); };
    titleArea.MouseMove = [this](int b, int s, float x, float y) {
        titleArea_MouseMove(b, s, x, y);
    };
    sectionArea.MouseMove = [this](int b, int s, float x, float y) {
        sectionArea_MouseMove(b, s, x, y);
    };
    runningFilterPage.MouseMove = [this](int b, int s, float x, float y) {
        runningFilterPage_MouseMove(b, s, x, y);
    };

    window.Resize = [this] { Form_Resize(); };
    window.KeyDown = [this](int keyCode, int shift) { return Form_KeyDown(keyCode, shift); };
    window.Unload = [this] {
        int cancel = 0;
        Form_Unload(cancel);
    };
    window.TaskbarCreated = [this] { Form_TaskbarCreated(); };
    trayMenu.items[RestoreWindow].Click = [this] { RestoreWindow_Click(); };
    trayMenu.items[StopFiltersAndExit].Click = [this] { StopFiltersAndExit_Click(); };
}

ClientChooser& MainWindow::chooser() {
    if (!chooser_)
        chooser_ = std::make_unique<ClientChooser>(*this, sys);
    return *chooser_;
}

void MainWindow::ShowPopup(ui::Menu& menu) {
    int chosen = sys.dialogs.popupMenu(menu);
    if (chosen < 0 || chosen >= static_cast<int>(menu.items.size()))
        return;
    ui::MenuItem& item = menu.items[static_cast<std::size_t>(chosen)];
    if (item.enabled && item.Click)
        item.Click();
}

MessageAnswer MainWindow::MsgBox(const std::string& text, MessageButtons buttons,
                                 MessageIcon icon) {
    return sys.dialogs.messageBox(text, kProgramTitle, buttons, icon);
}

} // namespace morvane
