#pragma once
// The incomplete downloads: the client's .dat files in the download folder, each beside the
// name stored inside it.

#include <string>
#include <vector>

#include "platform/Services.h"

namespace morvane {

// One incomplete download: the name shown for it and its .dat file's name in the folder.
struct IncompleteDownload {
    std::string shownName;
    std::string datName;
    bool operator==(const IncompleteDownload&) const = default;
};

// The folder's .dat files in the order the system lists them. Only names that really end in
// ".dat" count; a file that cannot be read is left out. No folder set lists nothing (an empty
// pattern would list the current drive's root).
std::vector<IncompleteDownload> ListIncompleteDownloads(FileSystem& files,
                                                        const std::string& folder);

} // namespace morvane
