#pragma once
// A folder and a name joined by one backslash, none added when the folder ends in one: the
// download folder, the filter's folders and the listing patterns all go through it.

#include <string>

namespace morvane {

inline std::string JoinFolder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

} // namespace morvane
