// Hover highlighting: an item turns blue under the pointer and stays blue until the pointer
// crosses one of the clearing areas (window background, title area, section area).

#include "app/MainWindow.h"

namespace morvane {

void MainWindow::ClearMenuHighlight() {
    for (ui::Label& item : sectionMenu)
        item.setForeColour(ui::kBlack);
    for (ui::Label& item : commandBar)
        item.setForeColour(ui::kBlack);
}

void MainWindow::menuItem_MouseMove(ui::Label& item) {
    item.setForeColour(ui::kBlue);
}

void MainWindow::Form_MouseMove(int, int, float x, float) {
    // While hidden the window only hears from its notification icon.
    if (window.visible())
        ClearMenuHighlight();
    else
        TrayCallback(x);
}

void MainWindow::titleArea_MouseMove(int, int, float, float) {
    ClearMenuHighlight();
}

void MainWindow::sectionArea_MouseMove(int, int, float, float) {
    ClearMenuHighlight();
}

void MainWindow::runningFilterPage_MouseMove(int, int, float, float) {
    stopFilterCommand.setForeColour(ui::kBlack);
    goToTrayCommand.setForeColour(ui::kBlack);
}

} // namespace morvane
