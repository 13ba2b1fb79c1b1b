#pragma once
// DOWNLOAD FOLDER: the download folder's choice and the incomplete downloads as two lists kept
// in step by row (shown name, .dat file), with RENAME FILE.

namespace morvane {

class MainWindow;

class DownloadsView {
public:
    explicit DownloadsView(MainWindow& window) : w_(window) {}
    void connect();

    void ListIncompleteDownloads();
    void downloadFolderButton_Click();
    // A row chosen in either list is chosen in the other.
    void downloadList_Click(bool datFiles);
    void downloadList_Scroll(bool datFiles);
    void renameButton_Click();

private:
    MainWindow& w_;
};

} // namespace morvane
