#pragma once
// Where a rename of an incomplete download may go. The shown name comes from inside a file
// that a remote peer named, so it is not trusted to stay in the download folder.

#include <optional>
#include <string>

namespace morvane {

// The full new path for a shown name below the download folder (folder already ended by
// "\"); none without a download folder, or when the name could lead elsewhere: empty,
// absolute, with a drive or a colon, with an empty, "." or ".." level, or naming a device such
// as "NUL". A subfolder ("sub\song.mp3") is allowed; whether it exists is the rename's to
// find out.
std::optional<std::string> RenameTarget(const std::string& folder, const std::string& shownName);

} // namespace morvane
