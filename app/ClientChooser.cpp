// The chooser: offers the installed clients and remembers the choice in a marker file.

#include "app/ClientChooser.h"

#include "app/MainWindow.h"
#include "registry/TargetApplication.h"

namespace morvane {

ClientChooser::ClientChooser(MainWindow& main, Services& services) : main_(main), sys_(services) {
    window.name = "ClientChooser";
    window.setCaption("Select Application");
    window.clientWidth = 5400;
    window.clientHeight = 1545;
    window.background = ui::kLightGrey;
    window.toolWindow = true;
    window.add(button_grokster, "button_grokster", {180, 30, 2475, 1425});
    button_grokster.picture = "GROKSTER";
    window.add(button_kazaa, "button_kazaa", {2700, 30, 2475, 1425});
    button_kazaa.picture = "KAZAA";
    // A picture button has no caption: each reads as its client.
    button_grokster.accessibleName = kTargetApplications[0].displayName;
    button_kazaa.accessibleName = kTargetApplications[1].displayName;
    button_grokster.Click = [this] { button_grokster_Click(); };
    button_kazaa.Click = [this] { button_kazaa_Click(); };
}

bool ClientChooser::Form_Load() {
    // The chooser offers Grokster and Kazaa, the first two rows of the clients' table.
    auto installed = [this](const TargetApplication& client) {
        return ClientInstalled(sys_.registry, std::string(client.localContent));
    };
    if (!installed(kTargetApplications[1]))
        button_kazaa.setEnabled(false);
    if (!installed(kTargetApplications[0]))
        button_grokster.setEnabled(false);
    if (!button_kazaa.enabled() && !button_grokster.enabled()) {
        main_.MsgBox("NO INSTALLED FASTTRACK APPLICATIONS", MessageButtons::Ok, MessageIcon::Stop);
        sys_.windows.endProgram();
        return false;
    }
    return true;
}

void ClientChooser::SelectApplication(const std::string& name) {
    // Every step goes on whatever the last one did; only persistence is lost on failure.
    for (const char* marker :
         {"c:\\FastTrackProfiles\\kazaa.id", "c:\\FastTrackProfiles\\grokster.id",
          "c:\\FastTrackProfiles\\fileshare.id"})
        sys_.files.deleteFile(marker);
    for (const TargetApplication& target : kTargetApplications) {
        if (target.displayName != name)
            continue;
        main_.SetTarget(target);
        if (!sys_.files.directoryExists(kProfileDirectory))
            sys_.files.makeDirectory(kProfileDirectory);
        sys_.files.writeLines(std::string(target.markerFile), {});
        chosen_ = true;
    }
    window.setVisible(false);
}

} // namespace morvane
