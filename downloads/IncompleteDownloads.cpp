// The incomplete downloads: the client's .dat files in the download folder, each beside the
// name stored inside it, and the choice of the download folder.

#include "app/Form1.h"
#include "downloads/DatFileReader.h"
#include "platform/PathRules.h"

namespace morvane {

void Form1::ListIncompleteDownloads() {
    sys.clock.setWaitPointer(true);
    std::vector<std::string> shown, datNames;
    const std::string folder = txt_Downloadfolder.text();
    // No download folder set: an empty pattern would list the current drive's root.
    if (!folder.empty()) {
        for (const std::string& name : sys.files.listFiles(JoinFolder(folder, "*.dat"))) {
            if (!IsDatFileName(name))
                continue;
            std::optional<std::string> stored = GetDatFileName(sys.files, JoinFolder(folder, name));
            if (!stored)
                continue; // unreadable: left out of both lists, which stay in step
            shown.push_back(ShownName(folder, *stored));
            datNames.push_back(name);
        }
    }
    // Both lists filled in one go each: thousands of rows added one at a time would repaint
    // the lists thousands of times.
    List_Downloads.setItems(std::move(shown));
    list_downloads2.setItems(std::move(datNames));
    sys.clock.setWaitPointer(false);
}

void Form1::button_folderlist_Click() {
    ShowFolderPicker("Select Download Folder");
    if (str_pickedfolder.empty())
        return;
    txt_Downloadfolder.setText(str_pickedfolder);
    str_pickedfolder.clear();
    ListIncompleteDownloads();
    SaveProfile(txt_profilename.text());
}

} // namespace morvane
