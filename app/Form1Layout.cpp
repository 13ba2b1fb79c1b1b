// The main window's control table: every control, where it sits, how it looks at start.

#include "MorvaneVersion.h"
#include "app/Form1.h"
#include "app/Form2.h"
#include "app/Form3.h"

namespace morvane {

namespace {

using ui::Font;
using ui::kLightGrey;
using ui::kWhite;

std::string indexed(const char* name, int index) {
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

Form1::Form1(Services& services) : sys(services) {
    layOut();
    connectHandlers();
    connectFolderHandlers();
}

Form1::~Form1() = default;

void Form1::layOut() {
    window.name = "Form1";
    window.setCaption(kProgramTitle);
    window.clientWidth = 9840;
    window.clientHeight = 5085;
    window.background = kLightGrey;
    window.icon = "MORVANE";
    window.toolWindow = true;

    // Title area and status lines.
    setFrame(window, Picture1, "Picture1", {30, 0, 3975, 615}, kLightGrey);
    Picture1.add(Image1, "Image1", {-60, -90, 3960, 645});
    Image1.picture = "LOGO";
    setLabel(Picture1, Label1, "Label1", {135, 390, 2265, 285},
             "FastTrack Application Profile Manager", Font::ArialSmallBold);
    setLabel(Picture1, Label7, "Label7", {2595, 390, 1155, 165}, "VERSION " MORVANE_VERSION " BETA",
             Font::ArialSmallBold);
    setLabel(window, Label6[2], indexed("Label6", 2), {6285, 30, 1365, 255}, "Application:");
    setLabel(window, lab_application, "lab_application", {7710, 45, 2055, 225}, "Not Set",
             Font::SansSerifBold);
    setLabel(window, Label6[1], indexed("Label6", 1), {6270, 330, 1365, 465},
             "Registered Profile:");
    setLabel(window, lab_currentprofile, "lab_currentprofile", {7710, 315, 2055, 405}, "Not Set",
             Font::SansSerifBold);

    // Profile column.
    setFrame(window, Frame1, "Frame1", {-15, 615, 2055, 3810}, kLightGrey);
    setMenuItem(Frame1, ProfileLabel[4], indexed("ProfileLabel", 4), {615, 210, 1155, 165},
                "PROFILES", "Shape1(4)", {45, 150, 1860, 345});
    setFrame(Frame1, Picture2, "Picture2", {75, 615, 1830, 3120}, std::nullopt);
    Picture2.add(list_Profiles, "list_Profiles", {-15, -15, 1854, 3150});
    list_Profiles.background = kLightGrey;

    // Section area: menu and the four stacked pages.
    setFrame(window, frm_Details, "frm_Details", {2025, 615, 8145, 3795}, kLightGrey);
    setMenuItem(frm_Details, Label2[0], indexed("Label2", 0), {675, 210, 1155, 165}, "GENERAL",
                "Shape1(0)", {60, 150, 1854, 345});
    setMenuItem(frm_Details, Label2[1], indexed("Label2", 1), {2280, 210, 1485, 165},
                "SHARED FOLDERS", "Shape1(1)", {2010, 150, 1860, 345});
    setMenuItem(frm_Details, Label2[2], indexed("Label2", 2), {4080, 210, 1650, 165},
                "DOWNLOAD FOLDER", "Shape1(2)", {3945, 150, 1860, 345});
    setMenuItem(frm_Details, Label2[3], indexed("Label2", 3), {6045, 210, 1650, 165},
                "DOWNLOAD FILTER", "Shape1(3)", {5880, 150, 1860, 345});

    setPage(frm_Details, frame_general, "frame_general", "frameshape(4)");
    setLabel(frame_general, Label5, "Label5", {165, 300, 1335, 285}, "Profile Name");
    setTextBox(frame_general, txt_profilename, "txt_profilename", {1860, 225, 3075, 315});
    setLabel(frame_general, Label3, "Label3", {150, 915, 1335, 285}, "Maximum Uploads");
    setTextBox(frame_general, txt_Uploads, "txt_Uploads", {1860, 855, 735, 315}, 2);
    setLabel(frame_general, Label4, "Label4", {150, 1320, 1515, 285}, "Maximum Downloads");
    setTextBox(frame_general, txt_Downloads, "txt_Downloads", {1860, 1260, 735, 315}, 2);
    setLabel(frame_general, Label6[0], indexed("Label6", 0), {150, 1695, 1515, 285},
             "Max Search Results");
    setTextBox(frame_general, txt_Searchresults, "txt_Searchresults", {1860, 1665, 735, 315}, 4);

    setPage(frm_Details, frame_shared, "frame_shared", "frameshape(6)");
    frame_shared.add(list_Folders, "list_Folders", {165, 195, 7365, 2565});

    setPage(frm_Details, frame_downloads, "frame_downloads", "frameshape(5)");
    setTextBox(frame_downloads, txt_Downloadfolder, "txt_Downloadfolder", {120, 240, 3045, 315}, 0,
               true);
    setButton(frame_downloads, button_folderlist, "button_folderlist", {3225, 240, 345, 315}, "...",
              Font::SansSerifBold);
    setButton(frame_downloads, button_rename, "button_rename", {5745, 240, 1830, 315},
              "RENAME FILE", Font::ArialBold);
    button_rename.setVisible(false);
    setFrame(frame_downloads, Picture3, "Picture3", {120, 615, 3780, 2148}, std::nullopt);
    Picture3.add(List_Downloads, "List_Downloads", {-15, -15, 3982, 2175});
    setFrame(frame_downloads, Picture4, "Picture4", {3800, 615, 3680, 2148}, std::nullopt);
    Picture4.add(list_downloads2, "list_downloads2", {-15, -15, 3720, 2175});

    setPage(frm_Details, frame_filter, "frame_filter", "frameshape(0)");
    setLabel(frame_filter, Label6[8], indexed("Label6", 8), {2190, 360, 1365, 255}, "Extensions");
    setLabel(frame_filter, Label6[9], indexed("Label6", 9), {5085, 360, 1365, 255},
             "Destination Folder");
    static constexpr const char* kRowCaptions[5] = {
        "Audio:", "Video:", "Images:", "Documents:", "Software:"};
    static constexpr int kCaptionTops[5] = {735, 1125, 1530, 1935, 2325};
    static constexpr int kBoxTops[5] = {660, 1050, 1440, 1860, 2265};
    static constexpr int kButtonTops[5] = {645, 1035, 1425, 1845, 2265};
    for (int i = 0; i < 5; ++i) {
        setLabel(frame_filter, Label6[3 + i], indexed("Label6", 3 + i),
                 {180, kCaptionTops[i], 1365, 255}, kRowCaptions[i]);
        setTextBox(frame_filter, txt_filterext[i], indexed("txt_filterext", i),
                   {1125, kBoxTops[i], 3045, 315});
        setTextBox(frame_filter, txt_filterfolder[i], indexed("txt_filterfolder", i),
                   {4185, kBoxTops[i], 3045, 315}, 0, true);
        setButton(frame_filter, button_selfilterfolder[i], indexed("button_selfilterfolder", i),
                  {7260, kButtonTops[i], 345, 315}, "...", Font::SansSerifBold);
    }

    // Command bar.
    setMenuItem(window, Label2[4], indexed("Label2", 4), {240, 4605, 1605, 165}, "REGISTER PROFILE",
                "Shape1(45)", {45, 4530, 1860, 345});
    setMenuItem(window, Label2[5], indexed("Label2", 5), {6345, 4605, 1155, 165}, "START FILTER",
                "Shape1(6)", {5970, 4530, 1860, 345});
    setMenuItem(window, Label2[6], indexed("Label2", 6), {8640, 4605, 525, 165}, "EXIT",
                "Shape1(7)", {7905, 4530, 1860, 345});
    setMenuItem(window, Label2[7], indexed("Label2", 7), {4110, 4605, 1680, 165},
                "CHECK FOR UPDATES", "Shape1(8)", {4035, 4530, 1860, 345});
    setMenuItem(window, Label2[8], indexed("Label2", 8), {2205, 4590, 1725, 255}, kWebPageHost,
                "Shape1(5)", {2100, 4530, 1860, 345});

    // Running-filter page, hidden until the filter starts.
    setFrame(window, frame_runningfilter, "frame_runningfilter", {0, 570, 9800, 4545}, kLightGrey);
    frame_runningfilter.setVisible(false);
    setMenuItem(frame_runningfilter, ProfileLabel[0], indexed("ProfileLabel", 0),
                {4305, 270, 1350, 165}, "FILTER RUNNING", "Shape1(9)", {3990, 210, 1860, 345});
    setLabel(frame_runningfilter, Label8[0], indexed("Label8", 0), {300, 990, 1200, 240},
             "Filter Actions:");
    Label8[0].background = kLightGrey;
    setFrame(frame_runningfilter, Picture5[0], indexed("Picture5", 0), {280, 1250, 4460, 2340},
             std::nullopt);
    Picture5[0].add(list_filterreport, "list_filterreport", {-15, -15, 4500, 2370});
    setLabel(frame_runningfilter, Label8[1], indexed("Label8", 1), {4845, 990, 1200, 240},
             "Failures:");
    Label8[1].background = kLightGrey;
    setFrame(frame_runningfilter, Picture5[1], indexed("Picture5", 1), {4830, 1245, 4460, 2340},
             std::nullopt);
    Picture5[1].add(list_filtererrors, "list_filtererrors", {-15, -15, 4500, 2370});
    // Hours in the tray add thousands of lines: the newest stay in sight.
    list_filterreport.followsEnd = list_filtererrors.followsEnd = true;
    setMenuItem(frame_runningfilter, filterlabel[0], indexed("filterlabel", 0),
                {3585, 4125, 1155, 165}, "STOP FILTER", "Shape1(10)", {3135, 4065, 1860, 345});
    setMenuItem(frame_runningfilter, filterlabel[1], indexed("filterlabel", 1),
                {5505, 4125, 1155, 165}, "GO TO TRAY", "Shape1(11)", {5040, 4065, 1860, 345});
    frame_runningfilter.add(timer_filter, "timer_filter", {});
    timer_filter.interval = 10000;
    timer_filter.setEnabled(false);

    // Pop-up menus, never shown as a menu bar.
    ProfileMenu = {
        "ProfileMenu",
        "ProfileMenu",
        {{"AddProfile", "Add Profile", true, {}}, {"DeleteProfile", "Delete Profile", true, {}}}};
    FolderMenu = {
        "FolderMenu",
        "FolderMenu",
        {{"AddFolder", "Add Folder", true, {}}, {"RemoveFolder", "Remove Folder", true, {}}}};
    mnuSysTray = {"mnuSysTray",
                  "SysTray",
                  {{"mnuRestore", "Restore Main Window", true, {}},
                   {"mnuExit", "Stop Filters And Exit", true, {}}}};
}

void Form1::connectHandlers() {
    for (int i = 0; i < static_cast<int>(Label2.size()); ++i) {
        Label2[i].Click = [this, i] { Label2_Click(i); };
        Label2[i].MouseMove = [this, i](int b, int s, float x, float y) {
            Label2_MouseMove(i, b, s, x, y);
        };
    }
    for (int i = 0; i < static_cast<int>(filterlabel.size()); ++i)
        filterlabel[i].MouseMove = [this, i](int b, int s, float x, float y) {
            filterlabel_MouseMove(i, b, s, x, y);
        };
    window.MouseMove = [this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); };
    Picture1.MouseMove = [this](int b, int s, float x, float y) { Picture1_MouseMove(b, s, x, y); };
    frm_Details.MouseMove = [this](int b, int s, float x, float y) {
        frm_Details_MouseMove(b, s, x, y);
    };
    frame_runningfilter.MouseMove = [this](int b, int s, float x, float y) {
        frame_runningfilter_MouseMove(b, s, x, y);
    };

    for (int i = 0; i < static_cast<int>(filterlabel.size()); ++i)
        filterlabel[i].Click = [this, i] { filterlabel_Click(i); };
    for (int i = 0; i < static_cast<int>(txt_filterext.size()); ++i) {
        txt_filterext[i].KeyPress = [this, i](int& k) { txt_filterext_KeyPress(i, k); };
        txt_filterext[i].LostFocus = [this, i] { txt_filterext_LostFocus(i); };
        txt_filterfolder[i].LostFocus = [this, i] { txt_filterfolder_LostFocus(i); };
        button_selfilterfolder[i].Click = [this, i] { button_selfilterfolder_Click(i); };
    }
    timer_filter.Tick = [this] { timer_filter_Timer(); };
    window.Resize = [this] { Form_Resize(); };
    window.Unload = [this] {
        int cancel = 0;
        Form_Unload(cancel);
    };
    window.TaskbarCreated = [this] { Form_TaskbarCreated(); };
    mnuSysTray.items[mnuRestore].Click = [this] { mnuRestore_Click(); };
    mnuSysTray.items[mnuExit].Click = [this] { mnuExit_Click(); };

    list_Profiles.MouseDown = [this](int b, int s, float x, float y) {
        list_Profiles_MouseDown(b, s, x, y);
    };
    ProfileMenu.items[AddProfile].Click = [this] { AddProfile_Click(); };
    ProfileMenu.items[DeleteProfile].Click = [this] { DeleteProfile_Click(); };
    txt_profilename.KeyPress = [this](int& k) { txt_profilename_KeyPress(k); };
    txt_profilename.Change = [this] { txt_profilename_Change(); };
    txt_Downloads.KeyPress = [this](int& k) { txt_Downloads_KeyPress(k); };
    txt_Uploads.KeyPress = [this](int& k) { txt_Uploads_KeyPress(k); };
    txt_Searchresults.KeyPress = [this](int& k) { txt_Searchresults_KeyPress(k); };
    txt_Downloads.LostFocus = [this] { txt_Downloads_LostFocus(); };
    txt_Uploads.LostFocus = [this] { txt_Uploads_LostFocus(); };
    txt_Searchresults.LostFocus = [this] { txt_Searchresults_LostFocus(); };
    for (ui::TextBox* field : {&txt_Downloads, &txt_Uploads, &txt_Searchresults})
        field->Change = [this, field] { NumberField_Change(*field); };
}

Form3& Form1::chooser() {
    if (!form3_)
        form3_ = std::make_unique<Form3>(*this, sys);
    return *form3_;
}

void Form1::ShowPopup(ui::Menu& menu) {
    int chosen = sys.dialogs.popupMenu(menu);
    if (chosen < 0 || chosen >= static_cast<int>(menu.items.size()))
        return;
    ui::MenuItem& item = menu.items[static_cast<std::size_t>(chosen)];
    if (item.enabled && item.Click)
        item.Click();
}

MessageAnswer Form1::MsgBox(const std::string& text, MessageButtons buttons, MessageIcon icon) {
    return sys.dialogs.messageBox(text, kProgramTitle, buttons, icon);
}

} // namespace morvane
