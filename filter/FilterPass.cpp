// One filter pass: every ordinary file of the download folder whose extension an active
// category holds is moved into that category's folder, and each move or failure is reported.

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "app/Form1.h"
#include "filter/FilterRules.h"
#include "platform/PathRules.h"

namespace morvane {

void Form1::TakeListedFailures() {
    const std::vector<std::string>& listed = list_filtererrors.items();
    std::unordered_set<std::string> failures;
    failures.reserve(listed.size());
    for (const std::string& failed : listed)
        failures.insert(LowerCase(failed));
    filterRun_.takeFailures(std::move(failures), listed.size());
}

bool Form1::IsListedFailure(const std::string& name) {
    if (filterRun_.failuresTaken() != list_filtererrors.items().size())
        TakeListedFailures();
    return filterRun_.failures().contains(name);
}

void Form1::FilterPass() {
    // The settings are read once, as the pass begins: what a handler changes while the pass
    // yields applies from the next pass on.
    const std::string downloads = txt_Downloadfolder.text();
    if (downloads.empty())
        return; // no folder to look at (a bare "\*" would list the current drive's root)
    FilterCategories categories;
    for (int i = 0; i < kFilterCategories; ++i) {
        auto at = static_cast<std::size_t>(i);
        categories[at] = {txt_filterext[at].text(), txt_filterfolder[at].text()};
    }
    const std::vector<std::string> names = sys.files.listFiles(JoinFolder(downloads, "*"));
    // A pass over thousands of files reports them together at its end rather than
    // repainting both lists for every line.
    ui::ListUpdate reportUpdate(list_filterreport), errorsUpdate(list_filtererrors);
    TakeListedFailures(); // as they stand now, whatever changed them since the last pass
    const std::uint64_t stops = filterRun_.stops();
    for (const std::string& listed : names) {
        // STOP FILTER, GO TO TRAY and the tray icon stay usable during a long pass. After a
        // stop no file is moved: the stop line stays the report's last.
        sys.windows.doEventsInLoop();
        if (sys.windows.ended() || filterRun_.stops() != stops)
            return;
        const std::string name = LowerCase(listed);
        int category = FilterCategoryOf(name, categories, downloads);
        if (category < 0 || IsListedFailure(name))
            continue;
        MoveFilteredFile(listed, categories[static_cast<std::size_t>(category)].folder, downloads);
    }
}

void Form1::MoveFilteredFile(const std::string& listedName, const std::string& folder,
                             const std::string& downloadFolder) {
    const std::string name = LowerCase(listedName);
    // The source by its listed name finds it on file systems whose names keep letter case too.
    // A move never replaces a file already at the destination.
    if (sys.files.rename(JoinFolder(downloadFolder, listedName), JoinFolder(folder, name))) {
        list_filterreport.addItem(name + " moved to " + folder);
        return;
    }
    if (!IsListedFailure(name)) {
        list_filtererrors.addItem(name);
        filterRun_.addFailure(name);
    }
}

} // namespace morvane
