#pragma once
// The client's settings as the client keeps them in its registry keys: the import of them as
// a profile, and the registration of a profile into them.

#include <optional>
#include <string>
#include <string_view>

#include "platform/Services.h"
#include "profiles/ProfileFile.h"

namespace morvane {

// The target client's four key paths, under HKEY_CURRENT_USER.
struct ClientKeys {
    std::string localContent; // download folder and shared folders
    std::string userDetails;  // user name
    std::string transfer;     // download folder again, downloads and uploads at once
    std::string advanced;     // search results
};

// A client counts as installed when its local-content key exists.
bool ClientInstalled(Registry& registry, const std::string& localContent);

// ---- Shared folders: values "Dir0", "Dir1", ... of the local-content key, each holding a
// prefix that means nothing to us, then the folder's path.

// The index never goes past this, whatever the registry holds.
inline constexpr int kLastFolderIndex = 32767;
inline constexpr std::string_view kSharedFolderPrefix = "012345:";

inline std::string SharedFolderValueName(int index) {
    return "Dir" + std::to_string(index);
}
inline std::string SharedFolderValue(const std::string& path) {
    return std::string(kSharedFolderPrefix) + path;
}
// The path a value (cut at its NUL) holds; none when it is too short to hold one after its
// prefix.
inline std::optional<std::string> SharedFolderPath(const std::string& value) {
    if (value.size() <= kSharedFolderPrefix.size())
        return std::nullopt;
    return value.substr(kSharedFolderPrefix.size());
}

// The client's present settings as a profile: its name the client's user name lower-cased,
// its download folder, shared folders and the three numbers as text (empty where none could
// be read); no filter rows. Messages about keys that cannot be opened go to `dialogs`.
Profile ImportSettings(Registry& registry, Messages& dialogs, const ClientKeys& keys);

// What a registration did.
struct Registration {
    int failed = 0;  // writes and deletions the registry refused, each told in an "Error" box
    int refused = 0; // values over 255 characters, left as they were without a word
};

// Writes a profile into the client's keys: the old shared folders deleted, then the download
// folder, the user name (the profile's name), the shared folders and the numbers that are not
// empty.
Registration RegisterProfile(Registry& registry, Messages& dialogs, const ClientKeys& keys,
                             const Profile& profile);

} // namespace morvane
