#include "support/Harness.h"

#include <filesystem>

#include "app/FolderPickerDialog.h"

namespace morvane::test {

MainWindow& Harness::form() {
    if (!form_)
        form_ = std::make_unique<MainWindow>(services);
    return *form_;
}

void Harness::installKazaa(const std::string& userName) {
    put("Software\\Kazaa\\LocalContent", "DownloadDir", sz("C:\\Downloads"));
    put("Software\\Kazaa\\LocalContent", "Dir0", sz("012345:C:\\Music"));
    put("Software\\Kazaa\\UserDetails", "UserName", sz(userName));
    put("Software\\Kazaa\\Transfer", "DlDir0", sz("C:\\Downloads"));
    put("Software\\Kazaa\\Transfer", "ConcurrentDownloads", dword(3), kRegDword);
    put("Software\\Kazaa\\Transfer", "ConcurrentUploads", dword(2), kRegDword);
    put("Software\\Kazaa\\Advanced", "MaxSearchResult", dword(100), kRegDword);
}

bool Harness::exists(const std::string& path) {
    std::error_code ec;
    std::filesystem::path host = files->hostPath(path);
    return !host.empty() && std::filesystem::exists(host, ec);
}

void Harness::pickFolder(const std::string& folder) {
    windows.onModal = [this, folder](ui::Window&) {
        FolderPickerDialog& picker = form().picker();
        if (folder.empty())
            return picker.button_Cancel.click();
        const std::size_t cut = folder.find_last_of('\\');
        picker.SetFolderListPath(folder.substr(0, cut == 2 ? 3 : cut));
        for (std::size_t i = 0; i < picker.folderList.items().size(); ++i)
            if (picker.folderList.items()[i].path == folder)
                picker.folderList.userHighlighted(static_cast<int>(i));
        picker.button_Select.click();
    };
}

void Harness::renameDownload(const std::string& datName, MessageAnswer answer) {
    for (int i = 0; i < form().datFileList.count(); ++i)
        if (form().datFileList.item(i) == datName)
            Press(form().datFileList, ui::kLeftButton, i);
    dialogs.answers.push_back(answer);
    form().renameButton.click();
}

std::vector<std::string> Harness::messageLog() const {
    std::vector<std::string> log;
    for (const ShownMessage& m : dialogs.messages)
        log.push_back(m.caption + "|" + m.text);
    return log;
}

} // namespace morvane::test
