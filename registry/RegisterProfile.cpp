// Registration: a profile's values become the client's own settings, written into its
// registry keys where the client reads them.

#include "registry/ClientSettings.h"
#include "registry/RegistryHelpers.h"

namespace morvane {

Registration RegisterProfile(Registry& registry, Messages& dialogs, const ClientKeys& keys,
                             const Profile& profile) {
    Registration registration;
    const auto count = [&](KeyResult result) {
        registration.failed += result == KeyResult::Failed ? 1 : 0;
        registration.refused += result == KeyResult::Refused ? 1 : 0;
    };
    // The old values are deleted upwards from "Dir0" up to the first that is not deleted.
    for (int i = 0; i <= kLastFolderIndex; ++i) {
        const KeyResult deleted = DelKeyValue(registry, dialogs, kHkeyCurrentUser,
                                              keys.localContent, SharedFolderValueName(i));
        count(deleted);
        if (deleted != KeyResult::Done)
            break;
    }

    const auto write = [&](const std::string& key, bool dword, const std::string& name,
                           const std::string& data) {
        count(SetKey(registry, dialogs, kHkeyCurrentUser, key, dword, name, data));
    };
    write(keys.localContent, false, "DownloadDir", profile.downloadFolder);
    write(keys.userDetails, false, "UserName", profile.name);
    write(keys.transfer, false, "DlDir0", profile.downloadFolder);
    for (std::size_t i = 0; i < profile.sharedFolders.size(); ++i)
        write(keys.localContent, false, SharedFolderValueName(static_cast<int>(i)),
              SharedFolderValue(profile.sharedFolders[i]));

    // An empty number means no value is known (typically the import found none): the client
    // keeps its own value rather than getting one made up, and nothing is said, as the user
    // asked for nothing. Any other text that is not a number is refused by SetKey, with a
    // message.
    struct Number {
        const std::string& key;
        const char* value;
        const std::string& text;
    };
    const Number numbers[] = {{keys.transfer, "ConcurrentDownloads", profile.downloads},
                              {keys.transfer, "ConcurrentUploads", profile.uploads},
                              {keys.advanced, "MaxSearchResult", profile.searchResults}};
    for (const Number& number : numbers)
        if (!number.text.empty())
            write(number.key, true, number.value, number.text);
    return registration;
}

} // namespace morvane
