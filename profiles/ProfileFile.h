#pragma once
// The profile file: a profile's values as one plain type, the one reader and the one writer of
// its file format, and where the file of a profile name lives. Nothing here knows the window:
// the window copies its controls into a Profile and back through Profiles.h; tests,
// fuzz targets and benchmarks make and read profile files through the same functions.
//
// The format: one value per line, CR LF after every line. The download folder, the three
// numbers, the shared folders, "EOF!", then extension list and destination folder of the five
// filter categories.

#include <optional>
#include <string>
#include <vector>

#include "filter/FilterRules.h"

namespace morvane {

// Where the profiles and the client's marker files are kept.
inline constexpr const char* kProfileDirectory = "c:\\FastTrackProfiles";

inline constexpr const char* kProfileExtension = ".profile";

struct Profile {
    std::string name; // not stored in the file: it is the file's name
    std::string downloadFolder;
    std::string downloads; // the three numbers, as the digit text the boxes hold
    std::string uploads;
    std::string searchResults;
    std::vector<std::string> sharedFolders;
    FilterCategories filters; // extension list and destination folder, in category order

    bool operator==(const Profile&) const = default;
};

// ---- The format.

// The file's lines, in order, without their line ends.
std::vector<std::string> ProfileLines(Profile profile);
// The file's bytes: every line, the last one included, ended by CR LF.
std::string ProfileBytes(const Profile& profile);

// What a profile file holds. A file cut short reads as if its missing single values were
// empty; the shared folders run up to "EOF!" or the file's end; a category takes its two lines
// only when both are there, and stays empty otherwise.
struct ProfileRead {
    Profile profile;            // its name left empty
    bool filterSection = false; // the "EOF!" line was found, so the filter rows were read
};
ProfileRead ReadProfileLines(std::vector<std::string> lines);
// The same over the file's bytes (lines end at CR LF, a lone CR or a lone LF).
ProfileRead ReadProfileBytes(const std::string& bytes);

// The default step: an empty extension list gets its category's default, an empty
// destination folder the profile's download folder. Only exactly empty texts count.
void FillFilterDefaults(Profile& profile);

// ---- Where profiles live: "c:\FastTrackProfiles\" + the name without leading and trailing
// spaces + ".profile". A name that could not be a plain file name in that folder has no path
// at all, so no file is ever written, read or deleted for it.

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

// The profile name a listed file stands for: the file name without ".profile". None for a
// file the program could not have written under that name and so could not load again.
std::optional<std::string> ProfileNameOfFile(const std::string& fileName);

// Stores the profile in its file, `path` (from ProfilePath). The new contents go to a file
// beside the old one and replace it only once complete, so a failed save leaves the old file
// as it was. Makes the profile folder when it is missing. False when nothing was stored.
class FileSystem;
bool StoreProfileFile(FileSystem& files, const std::string& path, Profile profile);

// Reads the profile file at `path` (from ProfilePath); none when it cannot be read. The program
// writes its files in its own code page, UTF-8 wherever the system lets it; a file that is not
// valid UTF-8 was written in the system's legacy code page (by an earlier version, or on a
// system without UTF-8) and is converted, so that "C:\Música" in an old file still names the
// same folder.
std::optional<ProfileRead> LoadProfileFile(FileSystem& files, const std::string& path);

// The tolerant reading over a file's lines: all taken as they are when every one is UTF-8, all
// converted from the legacy code page otherwise (no code page has a line end inside a
// character, so splitting first is the same).
std::vector<std::string> ProfileText(std::vector<std::string> lines, FileSystem& files);

} // namespace morvane
