// The incomplete downloads: the client's .dat files in the download folder, each beside the
// name stored inside it, and the choice of the download folder.

#include "app/Form1.h"
#include "downloads/DatFileReader.h"
#include "platform/PathRules.h"

namespace morvane {

void Form1::ListIncompleteDownloads() {
    sys.clock.setWaitPointer(true);
    List_Downloads.clear();
    list_downloads2.clear();
    const std::string folder = txt_Downloadfolder.text();
    // No download folder set: an empty pattern would list the current drive's root.
    if (!folder.empty()) {
        for (const std::string& name : sys.files.listFiles(JoinFolder(folder, "*.dat"))) {
            if (!IsDatFileName(name))
                continue;
            std::optional<std::string> stored = GetDatFileName(sys.files, JoinFolder(folder, name));
            if (!stored)
                continue; // unreadable: left out of both lists, which stay in step
            List_Downloads.addItem(ShownName(folder, *stored));
            list_downloads2.addItem(name);
        }
    }
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
