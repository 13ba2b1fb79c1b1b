// Hover highlighting: an item turns blue under the pointer and stays blue until the pointer
// crosses one of the clearing areas (window background, title area, section area).

#include "app/Form1.h"

namespace morvane {

void Form1::ClearMenuHighlight() {
    for (ui::Label& item : Label2)
        item.setForeColour(ui::kBlack);
}

void Form1::Label2_MouseMove(int index, int, int, float, float) {
    if (index >= 0 && index < static_cast<int>(Label2.size()))
        Label2[static_cast<std::size_t>(index)].setForeColour(ui::kBlue);
}

void Form1::filterlabel_MouseMove(int index, int, int, float, float) {
    if (index >= 0 && index < static_cast<int>(filterlabel.size()))
        filterlabel[static_cast<std::size_t>(index)].setForeColour(ui::kBlue);
}

void Form1::Form_MouseMove(int, int, float x, float) {
    // While hidden the window only hears from its notification icon.
    if (window.visible())
        ClearMenuHighlight();
    else
        TrayCallback(x);
}

void Form1::Picture1_MouseMove(int, int, float, float) {
    ClearMenuHighlight();
}

void Form1::frm_Details_MouseMove(int, int, float, float) {
    ClearMenuHighlight();
}

void Form1::frame_runningfilter_MouseMove(int, int, float, float) {
    for (ui::Label& item : filterlabel)
        item.setForeColour(ui::kBlack);
}

} // namespace morvane
