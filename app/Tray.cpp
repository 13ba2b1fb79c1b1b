// The notification-area icon: minimising hides the window behind it, its right-button menu
// restores the window or ends the program; and the closing of the main window.

#include "app/MainWindow.h"
#include "app/TrayIcon.h"

namespace morvane {

void MainWindow::GoToTray() {
    goToTrayCommand.setForeColour(ui::kBlack);
    window.setState(ui::WindowState::Minimised); // Form_Resize puts it in the tray
}

void MainWindow::Form_Resize() {
    if (window.state() == ui::WindowState::Minimised) {
        window.setVisible(false);
        TrayIcon = MakeTrayIcon(sys.windows.windowHandle(window), sys.windows.windowIcon(window),
                                window.caption());
        AddTrayIcon();
        return;
    }
    // Without an icon (the first showing, with the record still all zero) this does nothing.
    sys.shell.notifyIcon(kNotifyDelete, TrayIcon);
}

// A hidden window with no icon would leave nothing on screen to bring it back: it is shown
// again instead.
void MainWindow::AddTrayIcon() {
    if (!sys.shell.notifyIcon(kNotifyAdd, TrayIcon))
        RestoreWindow_Click();
}

void MainWindow::TrayCallback(float x) {
    if (TrayMouseMessage(x, sys.clock.twipsPerPixelX()) == kTrayRightButtonDown)
        ShowPopup(trayMenu);
}

void MainWindow::RestoreWindow_Click() {
    window.setState(ui::WindowState::Normal); // Form_Resize deletes the icon
    window.setVisible(true);
}

void MainWindow::StopFiltersAndExit_Click() {
    int cancel = 0;
    Form_Unload(cancel);
}

// The close box, the tray's exit and the end of the session: a value still being typed is
// stored first, as leaving its field would.
void MainWindow::Form_Unload(int&) {
    sys.windows.leaveFocusedControl(window);
    sys.shell.notifyIcon(kNotifyDelete, TrayIcon);
    // The program ends here; no stop line is written.
    filterTimer.setEnabled(false);
    sys.windows.endProgram();
}

void MainWindow::Form_TaskbarCreated() {
    if (window.state() == ui::WindowState::Minimised && !window.visible())
        AddTrayIcon();
}

} // namespace morvane
