// The three number fields: digits only, a fallback when left empty, and a save on leaving.

#include <gtest/gtest.h>

#include "support/ProfileFiles.h"

namespace morvane::test {
namespace {

TEST(NumberFieldsTest, DigitsOnlyAndAnEmptyFieldGetsItsFallbackThenTheNameInTheBoxIsStored) {
    const std::tuple<ui::TextBox Form1::*, std::size_t, const char*> fields[] = {
        {&Form1::txt_Downloads, 1, "1"},
        {&Form1::txt_Uploads, 2, "1"},
        {&Form1::txt_Searchresults, 3, "50"}};
    for (const auto& [box, line, fallback] : fields) {
        Harness h;
        Form1& form = h.form();
        show(form, kAlice);
        form.txt_profilename.setText("carol");
        form.str_currentprofilename = "alice"; // the save follows the box, not the variable
        ui::TextBox& field = form.*box;
        field.userEdited("");
        field.type("a1 -2.\b+0");
        field.userLeft();
        EXPECT_EQ(h.readFile(profileFile("carol")), crlf(with(kAlice, line, "10"))) << line;
        field.userEdited("");
        field.userLeft();
        EXPECT_EQ(h.readFile(profileFile("carol")), crlf(with(kAlice, line, fallback))) << line;
        EXPECT_EQ(storedProfiles(*h.files), Lines{"carol.profile"}) << line;
    }
}

} // namespace
} // namespace morvane::test
