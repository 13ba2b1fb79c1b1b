#include "downloads/IncompleteDownloads.h"

#include "downloads/DatFileReader.h"
#include "platform/PathRules.h"

namespace morvane {

std::vector<IncompleteDownload> ListIncompleteDownloads(FileSystem& files,
                                                        const std::string& folder) {
    std::vector<IncompleteDownload> rows;
    if (folder.empty())
        return rows;
    for (const std::string& name : files.listFiles(JoinFolder(folder, "*.dat"))) {
        if (!IsDatFileName(name))
            continue;
        std::optional<std::string> stored = GetDatFileName(files, JoinFolder(folder, name));
        if (!stored)
            continue; // unreadable: no row at all, so the shown and file names stay in step
        rows.push_back({ShownName(folder, *stored), name});
    }
    return rows;
}

} // namespace morvane
