// The folder picker as the main window uses it, and the handlers of the controls that use it
// (shared folders, the download folder) or show its results (the incomplete downloads).

#include "app/Form1.h"
#include "app/Form2.h"

namespace morvane {

Form2& Form1::picker() {
    if (!form2_)
        form2_ = std::make_unique<Form2>(*this, sys);
    return *form2_;
}

void Form1::ShowFolderPicker(const std::string& title) {
    Form2& dialog = picker();
    dialog.window.setCaption(title);
    dialog.prepareShow();
    sys.windows.showModal(dialog.window);
    // Closed by its close box: nothing was chosen, and the next use starts afresh.
    if (!dialog.answered()) {
        str_pickedfolder.clear();
        form2_.reset();
    }
}

void Form1::LockFolderPicker(const std::string& root) {
    Form2& dialog = picker();
    // The lock first, so that the drive change opens nothing by itself.
    dialog.str_lockeddrive = root;
    dialog.Drive1.setDrive(root);
    // A locked drive that cannot be read shows nothing, rather than another drive's folders.
    if (!dialog.SetDir1Path(root))
        dialog.Dir1.open("", {}, -1);
    dialog.Drive1.setEnabled(false);
}

void Form1::UnlockFolderPicker() {
    // After a close by the close box this makes the dialog afresh, as any next use does.
    Form2& dialog = picker();
    str_pickedfolder.clear();
    dialog.str_lockeddrive.clear();
    dialog.Drive1.setEnabled(true);
}

void Form1::connectFolderHandlers() {
    list_Folders.MouseDown = [this](int b, int s, float x, float y) {
        list_Folders_MouseDown(b, s, x, y);
    };
    FolderMenu.items[AddFolder].Click = [this] { AddFolder_Click(); };
    FolderMenu.items[RemoveFolder].Click = [this] { RemoveFolder_Click(); };
    button_folderlist.Click = [this] { button_folderlist_Click(); };
    List_Downloads.Click = [this] { List_Downloads_Click(); };
    list_downloads2.Click = [this] { list_downloads2_Click(); };
    List_Downloads.Scroll = [this] { List_Downloads_Scroll(); };
    list_downloads2.Scroll = [this] { list_downloads2_Scroll(); };
    button_rename.Click = [this] { button_rename_Click(); };
}

} // namespace morvane
