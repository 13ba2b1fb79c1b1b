#pragma once
// What the program knows, apart from any window: the client it serves, the current profile's
// values and name, the stored profiles in list order, the registered profile, the download
// filter's run and the incomplete downloads; and the operations over them, each returning what
// happened. Messages go through the Messages it is given. The window shows this state in its
// controls and hands it what the user typed; the command line calls the same operations.

#include <optional>
#include <string>
#include <vector>

#include "downloads/IncompleteDownloads.h"
#include "downloads/RenameDownload.h"
#include "filter/FilterPass.h"
#include "filter/FilterRules.h"
#include "filter/FilterRun.h"
#include "platform/Services.h"
#include "profiles/ProfileFile.h"
#include "registry/ClientSettings.h"
#include "registry/TargetApplication.h"

namespace morvane {

// The client the program serves: its name on screen and its four key paths.
struct TargetClient {
    std::string displayName;
    ClientKeys keys;
};

class ProfileManager {
public:
    ProfileManager(Registry& registry, FileSystem& files, Messages& messages);

    // ---- The client.
    const TargetClient& target() const { return target_; }
    void SetTarget(const TargetApplication& target);
    // The client whose marker file is present (with several, the last one probed); false,
    // with nothing changed, when none is.
    bool FindMarkedTarget();
    // Its keys are there: a target set and the client installed.
    bool TargetInstalled() const;

    // ---- The current profile: its values as the user last left them, and its name (empty
    // while there is none). The window writes each value here as it changes.
    Profile& values() { return values_; }
    const Profile& values() const { return values_; }
    const std::string& currentName() const { return currentName_; }
    // Taken first by a caller about to show a name, so that the rename step finds nothing to
    // rename.
    void setCurrentName(std::string name) { currentName_ = std::move(name); }

    // ---- The stored profiles, in the list's order.
    const std::vector<std::string>& names() const { return names_; }
    void ListProfiles(const std::string& except);
    // An entry added at the end of the list; its index.
    int AddEntry(std::string name);
    // The entry of that text, else the one whose file it names; -1 for none.
    int FindProfileEntry(const std::string& name) const;
    // A profile stored since the list was made joins it as the listing names it; -1 when none.
    int ListStoredProfile(const std::string& name);

    // ---- Import, registration.
    // The client's settings as the current profile, named by the client's user name, listed,
    // with the filter rows of a stored profile of that name. Returns what the window shows.
    Profile ImportSettings();
    // The current profile saved and written into the client's keys; nothing without one.
    Registration RegisterProfile();
    const std::string& registered() const { return registered_; }

    // ---- Storing and loading.
    // The current values stored under `name`: false, after telling the user once, when the
    // file could not be written; true for the empty name. While the current name cannot be
    // stored, saves under it go to the file of its last storable name.
    bool StoreProfile(const std::string& name);
    void SaveProfile(const std::string& name) { StoreProfile(name); }
    // The stored profile read and made current (its values here, its name current); false,
    // after telling the user why, when it cannot be read: nothing changes then.
    bool LoadProfile(const std::string& name);
    // The filter rows stored for `name` over the current ones, defaults filled in.
    FilterCategories LoadFilterSettings(const std::string& name);

    // ---- The name box's rename step and the profile list's edits.
    // The name as it may be taken: X appended while another entry has it or its file.
    std::string FreeProfileName(std::string name) const;
    // The current profile stored under `name`, its entry renamed, the old file gone (kept
    // while `name` cannot be stored). False when the store failed and the old name stays.
    bool RenameProfile(const std::string& name);
    // Leaving a current profile whose name cannot be stored: its entry takes back the name of
    // its file. True when anything changed.
    bool LeaveUnstorableName();
    // The name Delete Profile's question names for an entry.
    std::string StoredNameOf(const std::string& entry) const;
    // A new profile with the default values, listed last and current; returns its name.
    std::string AddProfile();
    void DeleteProfile(int entry);

    // ---- The download filter.
    FilterRun& filterRun() { return filterRun_; }
    const FilterRun& filterRun() const { return filterRun_; }
    // The check a start makes on the current destinations (resets are the caller's to show).
    FilterStartCheck CheckFilterStart() const;
    FilterSettings filterSettings() const;

    // ---- The incomplete downloads of the current download folder, in listing order.
    const std::vector<IncompleteDownload>& downloads() const { return downloads_; }
    const std::vector<IncompleteDownload>& ListIncompleteDownloads();
    RenameOutcome RenameDownload(int row);

private:
    void tellSaveFailed(const std::string& name, const std::string& text);
    void renameEntries(const std::string& from, const std::string& to);

    Registry& registry_;
    FileSystem& files_;
    Messages& messages_;
    TargetClient target_;
    Profile values_;
    std::string currentName_;
    // While the current name cannot be stored (blank, or refused as a file name), the last
    // name the profile was stored under: its file stays until a storable name is typed.
    std::string keptName_;
    std::vector<std::string> names_;
    std::string registered_;
    FilterRun filterRun_;
    std::vector<IncompleteDownload> downloads_;
    bool saveMessageShowing_ = false;
    std::optional<Profile> reportedFailure_; // the values last told as not saved, and their name
};

} // namespace morvane
