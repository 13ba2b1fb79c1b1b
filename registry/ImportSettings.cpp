// The import at start-up: the client's present settings, read from its registry keys,
// become the current profile, named after the client's user name.

#include "app/Form1.h"
#include "platform/PathRules.h"
#include "registry/CutAtNull.h"

namespace morvane {

namespace {

// Shared folders are values "Dir0", "Dir1", ...; the index never goes past this, whatever
// the registry holds.
constexpr int kLastFolderIndex = 32767;
// Every shared folder value starts with a prefix of this many characters that means nothing
// to us.
constexpr std::size_t kFolderPrefix = 7;

} // namespace

void Form1::ImportSettings(std::string& name) {
    txt_Downloadfolder.setText(GetKey(kHkeyCurrentUser, REG_LOCALCONTENT, false, "DownloadDir"));
    txt_Downloadfolder.setText(CutAtNull(txt_Downloadfolder.text()));

    // The name box keeps names in lower case, by its own rule. Taking the lower-cased name as
    // the current one before the box is set leaves the box's rename step nothing to rename:
    // it would otherwise replace the stored profile of that name (file names ignore case)
    // with these half-filled fields, and its filter settings would be lost.
    name = LowerCase(CutAtNull(GetKey(kHkeyCurrentUser, REG_USERDETAILS, false, "UserName")));
    str_currentprofilename = name;
    list_Profiles.addItem(name);
    txt_profilename.setText(name);
    lab_currentprofile.setCaption(name);

    for (int i = 0; i <= kLastFolderIndex; ++i) {
        const std::string raw =
            GetKey(kHkeyCurrentUser, REG_LOCALCONTENT, false, "Dir" + std::to_string(i));
        if (raw.empty())
            break;
        // Cut first: a value too short to hold a path after its prefix would otherwise leave
        // the buffer's filling spaces as a "folder". Such a value lists nothing, and the
        // values after it are still read.
        const std::string value = CutAtNull(raw);
        if (value.size() > kFolderPrefix)
            list_Folders.addItem(value.substr(kFolderPrefix));
    }

    txt_Downloads.setText(GetKey(kHkeyCurrentUser, REG_TRANSFER, true, "ConcurrentDownloads"));
    txt_Uploads.setText(GetKey(kHkeyCurrentUser, REG_TRANSFER, true, "ConcurrentUploads"));
    txt_Searchresults.setText(GetKey(kHkeyCurrentUser, REG_ADVANCED, true, "MaxSearchResult"));

    LoadFilterSettings(name);
}

} // namespace morvane
