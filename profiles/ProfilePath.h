#pragma once
// Where a profile lives on disk: "c:\FastTrackProfiles\" + the name without leading and
// trailing spaces + ".profile". A name that could not be a plain file name in that folder
// has no path at all, so no file is ever written, read or deleted for it.

#include <optional>
#include <string>
#include <vector>

namespace morvane {

inline constexpr const char* kProfileExtension = ".profile";

// The name without leading and trailing spaces (spaces only, not tabs).
std::string TrimSpaces(const std::string& text);

// Lower case for A to Z; other bytes are left alone.
std::string LowerCase(std::string text);

// The profile's file, or none when the name cannot be a file name of its own in the profile
// folder: blank once trimmed, holding \ / : * ? " < > | or a control character, starting with
// a dot (hidden, so never listed again), or a device name such as "con" or "lpt1".
std::optional<std::string> ProfilePath(const std::string& name);

// Both names lead to the same file (file names ignore letter case).
bool SameProfileFile(const std::string& a, const std::string& b);

// Whether a new name clashes with an entry of the profile list: the same text, or the same
// file (another entry's file would be overwritten). Entries equal to `renamed` are the ones
// being given the new name and do not count.
bool NameTaken(const std::vector<std::string>& entries, const std::string& name,
               const std::string* renamed = nullptr);

// A name or path as a message shows it: a text longer than `length` characters keeps its start
// and its end with "..." in the middle, so a message naming it still fits on the screen. In
// UTF-8 text no character is cut in two.
inline constexpr std::size_t kMessageNameLength = 64;
std::string ShortenMiddle(const std::string& text, std::size_t length = kMessageNameLength);

// The profile name a listed file stands for: the file name without ".profile". None for a
// file the program could not have written under that name and so could not load again.
std::optional<std::string> ProfileNameOfFile(const std::string& fileName);

} // namespace morvane
