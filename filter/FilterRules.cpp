#include "filter/FilterRules.h"

namespace morvane {

std::string FileExtensionOf(const std::string& name) {
    std::size_t dot = name.find('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

int FilterCategoryOf(const std::string& name, const FilterCategories& categories,
                     const std::string& downloadFolder) {
    // An empty extension ("name.") would be found in every list: it counts as none.
    const std::string extension = FileExtensionOf(name);
    if (extension.empty() || extension == "dat")
        return -1; // "dat": the client's incomplete download
    for (int i = 0; i < kFilterCategories; ++i) {
        const FilterCategory& category = categories[static_cast<std::size_t>(i)];
        if (category.extensions.empty() || category.folder.empty() ||
            category.folder == downloadFolder)
            continue;
        // A plain substring test: "peg" is found in "mpeg;", letter case counts.
        if (category.extensions.find(extension) != std::string::npos)
            return i;
    }
    return -1;
}

bool FilterStartCheck::anyReset() const {
    for (bool one : reset)
        if (one)
            return true;
    return false;
}

FilterStartCheck CheckFilterStart(const std::string& downloadFolder,
                                  const std::array<std::string, kFilterCategories>& folders) {
    FilterStartCheck check;
    check.resetTo = downloadFolder;
    for (std::size_t i = 0; i < folders.size(); ++i)
        check.reset[i] = !SameDrive(folders[i], downloadFolder);
    return check;
}

} // namespace morvane
