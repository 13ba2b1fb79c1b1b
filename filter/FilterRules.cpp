#include "filter/FilterRules.h"

#include <cctype>

namespace morvane {

bool IsRefusedExtensionKey(int keyAscii) {
    switch (keyAscii) {
    case ' ':
    case '\\':
    case '/':
    case '*':
    case '?':
    case '"':
    case '>':
    case '<':
    case '|':
    case ':':
        return true;
    default:
        return false;
    }
}

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

std::string DriveRootOf(const std::string& path) {
    return path.substr(0, 3);
}

bool SameDrive(const std::string& a, const std::string& b) {
    const std::string rootA = DriveRootOf(a), rootB = DriveRootOf(b);
    if (rootA.size() != rootB.size())
        return false;
    for (std::size_t i = 0; i < rootA.size(); ++i) {
        if (rootA[i] == rootB[i])
            continue;
        // Windows knows no case in drive letters; the rest of the root compares exactly.
        const bool letters = i == 0 && rootA.size() > 1 && rootA[1] == ':' &&
                             std::isalpha(static_cast<unsigned char>(rootA[0])) &&
                             std::isalpha(static_cast<unsigned char>(rootB[0]));
        if (!letters || std::toupper(static_cast<unsigned char>(rootA[0])) !=
                            std::toupper(static_cast<unsigned char>(rootB[0])))
            return false;
    }
    return true;
}

bool BeginsWithDriveRoot(const std::string& path) {
    return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
           path[1] == ':' && path[2] == '\\';
}

} // namespace morvane
