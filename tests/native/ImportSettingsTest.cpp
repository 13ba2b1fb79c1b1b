// The import of the client's settings at start-up, CutAtNull, which every text read from the
// registry goes through, and the bound on the shared folder indexes. The import of a whole
// client, and of one without its keys, is the typical-use scenario's.

#include <gtest/gtest.h>

#include "app/TargetApplication.h"
#include "registry/CutAtNull.h"
#include "support/Harness.h"

namespace morvane::test {
namespace {

const std::string kLocal = "Software\\Kazaa\\LocalContent";

TEST(CutAtNullTest, KeepsWhatComesBeforeTheFirstNul) {
    using namespace std::string_literals;
    EXPECT_EQ(CutAtNull("C:\\Downloads"), "C:\\Downloads");
    EXPECT_EQ(CutAtNull(""), "");
    EXPECT_EQ(CutAtNull("\0abc"s), "");
    EXPECT_EQ(CutAtNull("a\0b\0c"s), "a");
}

// Dropping the prefix from the raw buffer of a value too short to hold a path would list
// the buffer's filling spaces as a folder.
TEST(ImportSettingsTest, MissingValuesStayEmptyAndValuesWithoutAPathListNothing) {
    Harness h;
    h.setText(kLocal, "Dir0", "abc");
    h.setText(kLocal, "Dir1", "012345:");
    h.setText(kLocal, "Dir2", "012345:C:\\Kept");
    for (const char* key : {"UserDetails", "Transfer", "Advanced"})
        h.setText(std::string("Software\\Kazaa\\") + key, "Other", "x");
    Form1& form = h.form();
    form.SetTarget(kTargetApplications[1]);
    form.ImportSettings(form.str_currentprofilename);
    EXPECT_EQ(form.list_Folders.items(), std::vector<std::string>{"C:\\Kept"});
    EXPECT_EQ(form.str_currentprofilename, "");
    EXPECT_EQ(form.txt_Downloadfolder.text() + form.txt_Downloads.text() + form.txt_Uploads.text() +
                  form.txt_Searchresults.text(),
              "");
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(h.registry.openHandles(), 0);
}

// However many "Dir" values the client holds, neither the import nor the removal before
// registration goes past "Dir32767".
TEST(FolderIndexTest, ImportAndRegistrationStopAt32767) {
    Harness h;
    h.installKazaa("bob");
    for (int i = 0; i <= 32768; ++i)
        h.setText(kLocal, "Dir" + std::to_string(i), "012345:C:\\S" + std::to_string(i));
    Form1& form = h.form();
    form.SetTarget(kTargetApplications[1]);
    form.ImportSettings(form.str_currentprofilename);
    ASSERT_EQ(form.list_Folders.count(), 32768);
    EXPECT_EQ(form.list_Folders.item(32767), "C:\\S32767");
    EXPECT_EQ(form.txt_Searchresults.text(), "100"); // the reads after the folders still ran

    form.list_Folders.clear();
    form.RegisterProfile();
    EXPECT_FALSE(h.hasValue(kLocal, "Dir32767"));
    EXPECT_EQ(h.text(kLocal, "Dir32768"), "012345:C:\\S32768");
}

} // namespace
} // namespace morvane::test
