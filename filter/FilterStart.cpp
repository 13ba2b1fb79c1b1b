// Starting and stopping the filter, its timer, and the commands of the running-filter page.

#include "app/Form1.h"
#include "filter/FilterRules.h"

namespace morvane {

void Form1::StartFilter() {
    // A start during the first pass of another (the page is not in front yet) changes nothing.
    if (str_currentprofilename.empty() || filterRun_.running())
        return;
    const std::string& downloads = txt_Downloadfolder.text();
    bool reset = false;
    for (ui::TextBox& folder : txt_filterfolder) {
        if (!SameDrive(folder.text(), downloads)) {
            folder.setText(downloads);
            reset = true;
        }
    }
    if (reset) {
        SaveProfile(txt_profilename.text()); // stored as any other change of the folders
        MsgBox("Filter Folders Are No Longer On The Same Drive As Download Folder: Filter "
               "Folders Reset",
               MessageButtons::Ok, MessageIcon::Stop);
        return;
    }
    filterRun_.start();
    list_filterreport.addItem("Filter started at " + sys.clock.timeOfDay());
    list_filtererrors.clear();
    RunFilterPasses(true);
    if (sys.windows.ended() || !filterRun_.running())
        return; // stopped during its first pass: the page stays hidden, the timer off
    timer_filter.setEnabled(true);
    frame_runningfilter.setVisible(true);
    frame_runningfilter.bringToFront();
    button_rename.setVisible(false);
}

void Form1::StopFilter() {
    if (!filterRun_.running())
        return;
    filterRun_.stop();
    timer_filter.setEnabled(false);
    list_filterreport.addItem("Filter stopped at " + sys.clock.timeOfDay());
    frame_runningfilter.setVisible(false);
}

void Form1::filterlabel_Click(int index) {
    if (index == 0) {
        StopFilter();
    } else if (index == 1) {
        filterlabel[1].setForeColour(ui::kBlack);
        window.setState(ui::WindowState::Minimised); // Form_Resize puts it in the tray
    }
}

void Form1::timer_filter_Timer() {
    if (filterRun_.running())
        RunFilterPasses(false);
}

// Passes never nest: a tick during a pass is skipped, a start's pass follows the one under way.
void Form1::RunFilterPasses(bool queue) {
    if (!filterRun_.beginPass(queue))
        return;
    do {
        FilterPass();
    } while (filterRun_.endPass() && !sys.windows.ended());
}

} // namespace morvane
