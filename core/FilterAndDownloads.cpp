// The download filter's start check and settings, and the incomplete downloads, over the
// current profile's values.

#include "core/ProfileManager.h"

namespace morvane {

FilterStartCheck ProfileManager::CheckFilterStart() const {
    std::array<std::string, kFilterCategories> folders;
    for (std::size_t i = 0; i < folders.size(); ++i)
        folders[i] = values_.filters[i].folder;
    return morvane::CheckFilterStart(values_.downloadFolder, folders);
}

FilterSettings ProfileManager::filterSettings() const {
    return {values_.downloadFolder, values_.filters};
}

const std::vector<IncompleteDownload>& ProfileManager::ListIncompleteDownloads() {
    downloads_ = morvane::ListIncompleteDownloads(files_, values_.downloadFolder);
    return downloads_;
}

RenameOutcome ProfileManager::RenameDownload(int row) {
    if (row < 0 || row >= static_cast<int>(downloads_.size()))
        return RenameOutcome::Refused;
    const IncompleteDownload& download = downloads_[static_cast<std::size_t>(row)];
    return morvane::RenameDownload(files_, messages_, values_.downloadFolder, download.shownName,
                                   download.datName);
}

} // namespace morvane
