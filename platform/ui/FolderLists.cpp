#include "platform/ui/FolderLists.h"

#include "platform/PathRules.h"

namespace morvane::ui {

void DriveListBox::setItems(std::vector<DriveItem> items) {
    items_ = std::move(items);
    sync(Aspect::Items);
}

void DriveListBox::setDrive(const std::string& path) {
    std::string root = DriveRoot(path);
    if (root.empty() || root == drive_)
        return;
    drive_ = std::move(root);
    sync(Aspect::Selection);
    if (Change)
        Change();
}

int DriveListBox::listIndex() const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].root == drive_)
            return static_cast<int>(i);
    return -1;
}

void DriveListBox::userChose(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size()))
        return;
    setDrive(items_[static_cast<std::size_t>(index)].root);
}

void DirListBox::open(std::string path, std::vector<FolderItem> items, int openIndex) {
    path_ = std::move(path);
    items_ = std::move(items);
    listIndex_ = openIndex >= 0 && openIndex < static_cast<int>(items_.size()) ? openIndex : -1;
    sync(Aspect::Items);
}

std::string DirListBox::highlighted() const {
    if (listIndex_ < 0 || listIndex_ >= static_cast<int>(items_.size()))
        return path_;
    return items_[static_cast<std::size_t>(listIndex_)].path;
}

void DirListBox::userHighlighted(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size()))
        return;
    listIndex_ = index;
    if (Click)
        Click();
}

void DirListBox::userOpened(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size()))
        return;
    listIndex_ = index;
    if (DblClick)
        DblClick();
}

} // namespace morvane::ui
