#pragma once
// RENAME FILE: an incomplete download's .dat file takes its stored name within the download
// folder, after the user agreed.

#include <string>

#include "platform/Services.h"

namespace morvane {

enum class RenameOutcome {
    Renamed,  // the file has its new name
    Declined, // the user answered No
    Refused,  // the shown name could lead out of the folder, or no folder is set
    Failed,   // the system did not rename (a file of that name exists, a missing subfolder)
};

// Asks "Rename <dat> to <shown>?" (Yes/No); on Yes renames folder\datName to folder\shownName,
// never replacing a file, and shows "File Rename Failed!" when that is refused or fails.
RenameOutcome RenameDownload(FileSystem& files, Messages& dialogs, const std::string& folder,
                             const std::string& shownName, const std::string& datName);

} // namespace morvane
