#pragma once
// One filter pass over the download folder, and the move of one file, over the file system and
// the window manager (the pass yields to the window before each file). What a pass does is told
// to a FilterReport as it happens and summed up in its result.

#include <string>
#include <vector>

#include "filter/FilterRules.h"
#include "filter/FilterRun.h"
#include "platform/Services.h"

namespace morvane {

// What a pass works with, read once as it begins: what changes while the pass yields applies
// from the next pass on.
struct FilterSettings {
    std::string downloadFolder;
    FilterCategories categories;
};

// Where a pass's lines go, each as it happens: the report of moves and the list of failures.
class FilterReport {
public:
    virtual ~FilterReport() = default;
    // The folder has been listed: the pass's lines, if any, follow.
    virtual void listed() {}
    virtual void moved(const std::string& line) = 0; // "name moved to folder"
    virtual void failed(const std::string& name) = 0;
    // The failure list's lines as they stand now (START FILTER empties it, also in the middle
    // of a pass).
    virtual const std::vector<std::string>& listedFailures() const = 0;
};

enum class FilterPassEnd {
    NoFolder,     // no download folder to look at: nothing listed
    Listed,       // the whole listing was looked at
    Stopped,      // STOP FILTER came while the pass yielded: no file moved after it
    ProgramEnded, // the program ended while the pass yielded
};

struct FilterPassResult {
    FilterPassEnd end = FilterPassEnd::NoFolder;
    int moved = 0;
    int failed = 0; // newly listed failures

    bool operator==(const FilterPassResult&) const = default;
};

// Every ordinary file of the download folder whose extension an active category holds is moved
// into that category's folder, lowest category first; a file listed as failed is left.
FilterPassResult FilterPass(const FilterSettings& settings, FileSystem& files,
                            WindowManager& windows, FilterRun& run, FilterReport& report);

enum class FilterMove {
    Moved,
    Failed,      // listed as failed now
    FailedAgain, // failed, and already listed
};

// Moves one file of the download folder into a category's folder and reports the move, or lists
// the file as failed. listedName is the name as the folder listing gave it; the report, the
// failure list and the moved file use it lower-cased. A move never replaces a file.
FilterMove MoveFilteredFile(const std::string& listedName, const std::string& folder,
                            const std::string& downloadFolder, FileSystem& files, FilterRun& run,
                            FilterReport& report);

// The failures listed on screen, lower-cased into the run once (TakeListedFailures), and
// whether a lower-cased name is among them, letter case aside: taken afresh whenever the list's
// length is not the one taken.
void TakeListedFailures(FilterRun& run, const std::vector<std::string>& listed);
bool IsListedFailure(FilterRun& run, const std::vector<std::string>& listed,
                     const std::string& name);

} // namespace morvane
