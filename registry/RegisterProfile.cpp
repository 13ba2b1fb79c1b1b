// Registration: the current profile's values become the client's own settings, written
// into its registry keys where the client reads them.

#include "app/Form1.h"

namespace morvane {

namespace {

// The old "Dir" values are deleted upwards from "Dir0"; the index never goes past this,
// whatever the registry does.
constexpr int kLastFolderIndex = 32767;
// Written before every shared folder path.
constexpr const char* kFolderPrefix = "012345:";

} // namespace

void Form1::RegisterProfile() {
    if (str_currentprofilename.empty())
        return;
    SaveProfile(str_currentprofilename);

    for (int i = 0; i <= kLastFolderIndex; ++i)
        if (DelKeyValue(kHkeyCurrentUser, REG_LOCALCONTENT, "Dir" + std::to_string(i)) != 0)
            break;

    SetKey(kHkeyCurrentUser, REG_LOCALCONTENT, false, "DownloadDir", txt_Downloadfolder.text());
    SetKey(kHkeyCurrentUser, REG_USERDETAILS, false, "UserName", txt_profilename.text());
    SetKey(kHkeyCurrentUser, REG_TRANSFER, false, "DlDir0", txt_Downloadfolder.text());
    for (int i = 0; i < list_Folders.count(); ++i)
        SetKey(kHkeyCurrentUser, REG_LOCALCONTENT, false, "Dir" + std::to_string(i),
               kFolderPrefix + list_Folders.item(i));

    // An empty number field means no value is known (typically the import found none): the
    // client keeps its own value rather than getting one made up, and nothing is said, as
    // the user asked for nothing. Any other text that is not a number is refused by SetKey,
    // with a message.
    struct Number {
        const std::string& key;
        const char* value;
        const ui::TextBox& field;
    };
    const Number numbers[] = {{REG_TRANSFER, "ConcurrentDownloads", txt_Downloads},
                              {REG_TRANSFER, "ConcurrentUploads", txt_Uploads},
                              {REG_ADVANCED, "MaxSearchResult", txt_Searchresults}};
    for (const Number& number : numbers)
        if (!number.field.text().empty())
            SetKey(kHkeyCurrentUser, number.key, true, number.value, number.field.text());

    lab_currentprofile.setCaption(txt_profilename.text());
}

} // namespace morvane
