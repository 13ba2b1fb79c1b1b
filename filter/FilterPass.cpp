// One filter pass: every ordinary file of the download folder whose extension an active
// category holds is moved into that category's folder, and each move or failure is reported.

#include "app/Form1.h"
#include "filter/FilterRules.h"
#include "platform/PathRules.h"

namespace morvane {

bool Form1::IsListedFailure(const std::string& name) const {
    for (const std::string& failed : list_filtererrors.items())
        if (LowerCase(failed) == name)
            return true;
    return false;
}

void Form1::FilterPass() {
    // The settings are read once per pass: a profile chosen while a stopped pass finishes must
    // not send this listing's names to another folder.
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
    for (const std::string& listed : names) {
        // STOP FILTER, GO TO TRAY and the tray icon stay usable during a long pass.
        sys.windows.doEventsInLoop();
        if (sys.windows.ended())
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
    if (!IsListedFailure(name))
        list_filtererrors.addItem(name);
}

} // namespace morvane
