#pragma once
// What the folder picker's directory list shows for an open folder: its parents, itself and
// its subfolders, by full path.

#include <string>
#include <vector>

#include "platform/ui/Controls.h"

namespace morvane {

// The levels of a full folder path, root first: "C:\Music\Live" gives "C:\", "C:\Music" and
// "C:\Music\Live". The drive letter comes out in capitals. Empty when the path names no
// drive or holds a "." or ".." level.
std::vector<std::string> FolderLevels(const std::string& folder);

// The entries for the open folder (the last level) and its subfolders' names, the subfolders
// in name order, letter case aside.
std::vector<ui::FolderItem> FolderItems(const std::vector<std::string>& levels,
                                        std::vector<std::string> subfolders);

} // namespace morvane
