#include "downloads/RenameDownload.h"

#include <optional>

#include "downloads/RenameTarget.h"
#include "platform/PathRules.h"

namespace morvane {

RenameOutcome RenameDownload(FileSystem& files, Messages& dialogs, const std::string& folder,
                             const std::string& shownName, const std::string& datName) {
    if (dialogs.messageBox(
            "Rename " + ShortenMiddle(datName) + " to " + ShortenMiddle(shownName) + "?",
            kProgramTitle, MessageButtons::YesNo, MessageIcon::None) != MessageAnswer::Yes)
        return RenameOutcome::Declined;
    const std::string in = JoinFolder(folder, "");
    // The rename stays in the download folder and never replaces a file.
    std::optional<std::string> target = RenameTarget(in, shownName);
    RenameOutcome outcome = RenameOutcome::Renamed;
    if (!target)
        outcome = RenameOutcome::Refused;
    else if (!files.rename(in + datName, *target))
        outcome = RenameOutcome::Failed;
    if (outcome != RenameOutcome::Renamed)
        dialogs.messageBox("File Rename Failed!", kProgramTitle, MessageButtons::Ok,
                           MessageIcon::Stop);
    return outcome;
}

} // namespace morvane
