#include "app/FolderTree.h"

#include <algorithm>

#include "platform/PathRules.h"

namespace morvane {

std::vector<std::string> FolderLevels(const std::string& folder) {
    std::string path = DriveRoot(folder);
    if (path.empty())
        return {};
    std::vector<std::string> levels{path};
    std::string part;
    auto addLevel = [&] {
        if (part.empty())
            return true;
        if (part == "." || part == "..")
            return false;
        if (levels.size() > 1)
            path += '\\';
        path += part;
        levels.push_back(path);
        part.clear();
        return true;
    };
    for (std::size_t i = 2; i < folder.size(); ++i) {
        if (folder[i] == '\\' || folder[i] == '/') {
            if (!addLevel())
                return {};
        } else {
            part += folder[i];
        }
    }
    if (!addLevel())
        return {};
    return levels;
}

std::vector<ui::FolderItem> FolderItems(const std::vector<std::string>& levels,
                                        std::vector<std::string> subfolders) {
    std::vector<ui::FolderItem> items;
    if (levels.empty())
        return items;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const std::string& level = levels[i];
        std::string caption = i == 0 ? level : level.substr(level.find_last_of('\\') + 1);
        items.push_back({level, caption, static_cast<int>(i), true});
    }
    std::sort(
        subfolders.begin(), subfolders.end(),
        [&](const std::string& a, const std::string& b) { return LowerCase(a) < LowerCase(b); });
    const std::string& open = levels.back();
    const std::string prefix = JoinFolder(open, "");
    for (const std::string& name : subfolders)
        items.push_back({prefix + name, name, static_cast<int>(levels.size()), false});
    return items;
}

} // namespace morvane
