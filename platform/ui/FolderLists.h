#pragma once
// The drive and folder choosers of the control model.

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Control.h"

namespace morvane::ui {

// A drive chooser: the system's drives, one of them current.
struct DriveItem {
    std::string root;    // "C:\"
    std::string caption; // what the list shows for it
};

class DriveListBox : public Control {
public:
    DriveListBox() : Control(Kind::DriveList) {}

    const std::vector<DriveItem>& items() const { return items_; }
    void setItems(std::vector<DriveItem> items);
    // The current drive's root, "C:\"; empty until one is set.
    const std::string& drive() const { return drive_; }
    // From code: takes a root or a path on the drive ("d:", "D:\Music"); raises Change when
    // the drive differs. Anything that names no drive letter is ignored.
    void setDrive(const std::string& path);
    // Where the current drive is in the items; -1 when it is not listed.
    int listIndex() const;

    std::function<void()> Change;

    // Called by a view: the user chose the item at index.
    void userChose(int index);

private:
    std::vector<DriveItem> items_;
    std::string drive_;
};

// A folder chooser: the open folder's parents, the open folder and its subfolders, each
// known by its full path and shown by its name, indented by its level.
struct FolderItem {
    std::string path;    // "C:\Music\Live"
    std::string caption; // "Live"
    int level = 0;       // 0 for the drive's root
    bool opened = false; // the open folder or one of its parents
};

class DirListBox : public Control {
public:
    DirListBox() : Control(Kind::DirList) {}

    const std::vector<FolderItem>& items() const { return items_; }
    // The open folder; empty while nothing is shown.
    const std::string& path() const { return path_; }
    // From code: shows a newly opened folder, highlighted.
    void open(std::string path, std::vector<FolderItem> items, int openIndex);
    // The highlighted entry, -1 for none.
    int listIndex() const { return listIndex_; }
    // The highlighted entry's path: the open folder until another one is highlighted.
    std::string highlighted() const;

    std::function<void()> Click;
    std::function<void()> DblClick;

    // Called by a view: a single click highlights, a double click asks to open.
    void userHighlighted(int index);
    void userOpened(int index);

private:
    std::vector<FolderItem> items_;
    std::string path_;
    int listIndex_ = -1;
};

} // namespace morvane::ui
