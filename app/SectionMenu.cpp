// The section menu and the command bar: one click handler that tells the items apart by
// their captions.

#include "app/Form1.h"

namespace morvane {

void Form1::ShowSection(ui::Frame& page) {
    for (ui::Frame* frame : {&frame_shared, &frame_downloads, &frame_general, &frame_filter})
        frame->setVisible(frame == &page);
}

void Form1::Label2_Click(int index) {
    if (index < 0 || index >= static_cast<int>(Label2.size()))
        return;
    // Each comparison reads the caption afresh, as an action may change captions.
    const ui::Label& item = Label2[static_cast<std::size_t>(index)];
    if (item.caption() == "DOWNLOAD FOLDER") {
        ListIncompleteDownloads();
        ShowSection(frame_downloads);
    }
    if (item.caption() == "SHARED FOLDERS") {
        ShowSection(frame_shared);
        button_rename.setVisible(false);
    }
    if (item.caption() == "GENERAL") {
        ShowSection(frame_general);
        button_rename.setVisible(false);
    }
    if (item.caption() == "DOWNLOAD FILTER") {
        ShowSection(frame_filter);
        button_rename.setVisible(false);
    }
    if (item.caption() == "REGISTER PROFILE")
        RegisterProfile();
    if (item.caption() == "EXIT") {
        // The click takes no focus: a value still being typed is stored as leaving it would.
        sys.windows.leaveFocusedControl(window);
        sys.windows.endProgram();
        return;
    }
    if (item.caption() == kWebPageHost)
        sys.shell.runHidden(std::string("start ") + kWebPageAddress);
    if (item.caption() == "CHECK FOR UPDATES")
        sys.shell.runHidden(std::string("start ") + kUpdatePageAddress);
    if (item.caption() == "START FILTER")
        StartFilter();
}

} // namespace morvane
