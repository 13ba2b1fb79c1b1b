#pragma once
// The filter's rules over plain values: which keys an extension list refuses, which category a
// file name falls into, which destinations a start resets. Drive roots and joining paths are in
// platform/PathRules.h.

#include <array>
#include <string>

#include "platform/PathRules.h"

namespace morvane {

inline constexpr int kFilterCategories = 5; // audio, video, images, documents, software

struct FilterCategory {
    std::string extensions; // as typed: "mp3;wav;"
    std::string folder;     // destination folder

    bool operator==(const FilterCategory&) const = default;
};
using FilterCategories = std::array<FilterCategory, kFilterCategories>;

// The part of a lower-cased name after its first "."; empty when the name has no dot (and so no
// extension), or nothing follows the dot.
std::string FileExtensionOf(const std::string& name);

// The first category, lowest index first, that takes the file: its list and folder are set, the
// folder is not the download folder itself, and the list holds the extension as a plain
// substring. -1 when none does, when the name has no extension, and for an incomplete download
// (extension "dat"). The name is the lower-cased one.
int FilterCategoryOf(const std::string& name, const FilterCategories& categories,
                     const std::string& downloadFolder);

// The start's same-drive check: files are moved by renaming them, so every destination must be
// on the download folder's drive (SameDrive). One that is not is reset to the download folder,
// which makes its category inactive, and the filter does not start.
struct FilterStartCheck {
    std::array<bool, kFilterCategories> reset{}; // the destinations reset, by category
    std::string resetTo;                         // what they become: the download folder
    bool anyReset() const;
};
FilterStartCheck CheckFilterStart(const std::string& downloadFolder,
                                  const std::array<std::string, kFilterCategories>& folders);

} // namespace morvane
