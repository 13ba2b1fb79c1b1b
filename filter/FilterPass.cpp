// One filter pass: every ordinary file of the download folder whose extension an active
// category holds is moved into that category's folder, and each move or failure is reported.

#include "filter/FilterPass.h"

#include <cstdint>
#include <unordered_set>

#include "platform/PathRules.h"

namespace morvane {

void TakeListedFailures(FilterRun& run, const std::vector<std::string>& listed) {
    std::unordered_set<std::string> failures;
    failures.reserve(listed.size());
    for (const std::string& failed : listed)
        failures.insert(LowerCase(failed));
    run.takeFailures(std::move(failures), listed.size());
}

bool IsListedFailure(FilterRun& run, const std::vector<std::string>& listed,
                     const std::string& name) {
    if (run.failuresTaken() != listed.size())
        TakeListedFailures(run, listed);
    return run.failures().contains(name);
}

FilterPassResult FilterPass(const FilterSettings& settings, FileSystem& files,
                            WindowManager& windows, FilterRun& run, FilterReport& report) {
    FilterPassResult result;
    const std::string& downloads = settings.downloadFolder;
    if (downloads.empty())
        return result; // no folder to look at (a bare "\*" would list the current drive's root)
    const std::vector<std::string> names = files.listFiles(JoinFolder(downloads, "*"));
    report.listed();
    TakeListedFailures(run, report.listedFailures()); // as they stand now, whatever changed them
    const std::uint64_t stops = run.stops();
    for (const std::string& listed : names) {
        // STOP FILTER, GO TO TRAY and the tray icon stay usable during a long pass. After a
        // stop no file is moved: the stop line stays the report's last.
        windows.doEventsInLoop();
        if (windows.ended()) {
            result.end = FilterPassEnd::ProgramEnded;
            return result;
        }
        if (run.stops() != stops) {
            result.end = FilterPassEnd::Stopped;
            return result;
        }
        const std::string name = LowerCase(listed);
        int category = FilterCategoryOf(name, settings.categories, downloads);
        if (category < 0 || IsListedFailure(run, report.listedFailures(), name))
            continue;
        const std::string& folder = settings.categories[static_cast<std::size_t>(category)].folder;
        switch (MoveFilteredFile(listed, folder, downloads, files, run, report)) {
        case FilterMove::Moved:
            ++result.moved;
            break;
        case FilterMove::Failed:
            ++result.failed;
            break;
        case FilterMove::FailedAgain:
            break;
        }
    }
    result.end = FilterPassEnd::Listed;
    return result;
}

FilterMove MoveFilteredFile(const std::string& listedName, const std::string& folder,
                            const std::string& downloadFolder, FileSystem& files, FilterRun& run,
                            FilterReport& report) {
    const std::string name = LowerCase(listedName);
    // The source by its listed name finds it on file systems whose names keep letter case too.
    // A move never replaces a file already at the destination.
    if (files.rename(JoinFolder(downloadFolder, listedName), JoinFolder(folder, name))) {
        report.moved(name + " moved to " + folder);
        return FilterMove::Moved;
    }
    if (IsListedFailure(run, report.listedFailures(), name))
        return FilterMove::FailedAgain;
    report.failed(name);
    run.addFailure(name);
    return FilterMove::Failed;
}

} // namespace morvane
