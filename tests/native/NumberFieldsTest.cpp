// The three number fields: digits only, a fallback when left empty, and a save on leaving.

#include <gtest/gtest.h>

#include "support/Harness.h"
#include "support/ProfileFiles.h"

namespace morvane::test {
namespace {

struct Field {
    const char* name;
    ui::TextBox Form1::*box;
    std::string ProfileValues::*value;
    const char* fallback;
};

const Field kFields[] = {
    {"txt_Downloads", &Form1::txt_Downloads, &ProfileValues::downloads, "1"},
    {"txt_Uploads", &Form1::txt_Uploads, &ProfileValues::uploads, "1"},
    {"txt_Searchresults", &Form1::txt_Searchresults, &ProfileValues::searchResults, "50"},
};

TEST(NumberFieldsTest, OnlyDigitsAndBackspaceCanBeTyped) {
    for (const Field& field : kFields) {
        Harness h;
        ui::TextBox& box = h.form().*field.box;
        box.type("a1 -2.");
        EXPECT_EQ(box.text(), "12") << field.name;
        box.type("\b+");
        EXPECT_EQ(box.text(), "1") << field.name;
    }
}

TEST(NumberFieldsTest, LeavingAFieldStoresTheProfileEmptyOnesGettingTheirFallbackFirst) {
    for (const Field& field : kFields) {
        for (const char* typed : {"", "0", "42"}) {
            Harness h;
            Form1& form = h.form();
            aliceValues().putInto(form);
            form.str_currentprofilename = "alice";
            form.txt_profilename.setText("alice");
            (form.*field.box).userEdited(typed);
            (form.*field.box).userLeft();

            ProfileValues expected = aliceValues();
            expected.*field.value = *typed ? typed : field.fallback;
            EXPECT_EQ(ProfileValues::readFrom(form), expected) << field.name << " " << typed;
            EXPECT_EQ(h.readFile(profileFile("alice")), expected.bytes())
                << field.name << " " << typed;
        }
    }
}

TEST(NumberFieldsTest, TheSaveGoesToTheNameInTheBoxAndNowhereForAnEmptyBox) {
    Harness h;
    Form1& form = h.form();
    aliceValues().putInto(form);
    form.str_currentprofilename = "carol";
    form.txt_profilename.setText("carol");
    form.str_currentprofilename = "alice";
    form.txt_Uploads.userLeft();
    EXPECT_EQ(h.files->listFiles("C:\\FastTrackProfiles\\*"),
              std::vector<std::string>{"carol.profile"});

    form.str_currentprofilename.clear();
    form.txt_profilename.setText("");
    h.files->deleteFile(profileFile("carol"));
    form.txt_Searchresults.userEdited("");
    form.txt_Searchresults.userLeft();
    EXPECT_EQ(form.txt_Searchresults.text(), "50");
    EXPECT_TRUE(h.files->listFiles("C:\\FastTrackProfiles\\*").empty());
}

} // namespace
} // namespace morvane::test
