// The import at start-up: the client's present settings, read from its registry keys.

#include "platform/PathRules.h"
#include "registry/ClientSettings.h"
#include "registry/CutAtNull.h"
#include "registry/RegistryHelpers.h"

namespace morvane {

Profile ImportSettings(Registry& registry, Messages& dialogs, const ClientKeys& keys) {
    const auto read = [&](const std::string& key, bool dword, const std::string& name) {
        return GetKey(registry, dialogs, kHkeyCurrentUser, key, dword, name);
    };
    Profile profile;
    profile.downloadFolder = CutAtNull(read(keys.localContent, false, "DownloadDir"));
    profile.name = LowerCase(CutAtNull(read(keys.userDetails, false, "UserName")));

    for (int i = 0; i <= kLastFolderIndex; ++i) {
        const std::string raw = read(keys.localContent, false, SharedFolderValueName(i));
        if (raw.empty())
            break;
        // Cut first: a value too short to hold a path after its prefix would otherwise leave
        // the buffer's filling spaces as a "folder". Such a value lists nothing, and the
        // values after it are still read.
        if (std::optional<std::string> path = SharedFolderPath(CutAtNull(raw)))
            profile.sharedFolders.push_back(std::move(*path));
    }

    profile.downloads = read(keys.transfer, true, "ConcurrentDownloads");
    profile.uploads = read(keys.transfer, true, "ConcurrentUploads");
    profile.searchResults = read(keys.advanced, true, "MaxSearchResult");
    return profile;
}

} // namespace morvane
