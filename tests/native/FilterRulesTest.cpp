// The filter's rules over plain values, and the typing and saving of the category boxes.
#include <gtest/gtest.h>

#include "app/Form2.h"
#include "filter/FilterRules.h"
#include "profiles/DefaultExtensions.h"
#include "support/Harness.h"

namespace morvane::test {
namespace {

FilterCategories defaults() {
    FilterCategories categories;
    for (std::size_t i = 0; i < categories.size(); ++i)
        categories[i] = {kDefaultExtensionLists[i], "C:\\Category" + std::to_string(i)};
    return categories;
}

TEST(FilterRules, NameToCategoryLowestIndexFirstBySubstring) {
    const struct {
        const char* name;
        int category;
    } cases[] =
        {
            {"song.mp3", 0},  {"clip.peg", 1},  {"clip.pg", 1},  {"photo.jpeg", 2},
            {"notes.pdf", 3}, {"setup.exe", 4}, {"a.b.mp3", -1}, {"abc.dat", -1},
            {"readme", -1},   {"name.", -1},    {"song.mp", 0},  {"x.data", -1},
            {"song.MP3", -1}, // the caller lower-cases; the list's own case counts
        };
    FilterCategories categories = defaults();
    categories[4].extensions += "dat;"; // still never an incomplete download
    for (const auto& c : cases)
        EXPECT_EQ(FilterCategoryOf(c.name, categories, "C:\\Downloads"), c.category) << c.name;
}

TEST(FilterRules, InactiveCategoriesAreSkipped) {
    FilterCategories categories = defaults();
    categories[1].folder = "C:\\Downloads"; // the download folder itself
    categories[2].extensions = "";
    categories[0].folder = "";
    EXPECT_EQ(FilterCategoryOf("clip.mpeg", categories, "C:\\Downloads"), -1);
    EXPECT_EQ(FilterCategoryOf("photo.jpg", categories, "C:\\Downloads"), -1);
    EXPECT_EQ(FilterCategoryOf("song.mp3", categories, "C:\\Downloads"), -1);
    categories[3].extensions = "MP3;PDF;";
    EXPECT_EQ(FilterCategoryOf("notes.pdf", categories, "C:\\Downloads"), -1);
}

TEST(FilterConfig, TypingRefusesTheTenKeysAndLeavingABoxSavesTheProfile) {
    Harness h;
    Form1& form = h.form();
    ui::TextBox& list = form.txt_filterext[0];
    list.type("mp3; wav\\/*?\"><|:.MP3");
    EXPECT_EQ(list.text(), "mp3;wav.MP3");

    h.files->makeDirectory("C:\\FastTrackProfiles");
    form.txt_profilename.setText("alice");
    form.txt_filterfolder[4].setText("C:\\Apps");
    form.txt_filterext[2].userLeft();
    EXPECT_NE(h.readFile("C:\\FastTrackProfiles\\alice.profile").find("mp3;wav.MP3\r\n"),
              std::string::npos);
    form.txt_filterext[0].setText("ogg;");
    form.txt_filterfolder[1].userLeft();
    EXPECT_NE(h.readFile("C:\\FastTrackProfiles\\alice.profile").find("ogg;\r\n"),
              std::string::npos);
    EXPECT_NE(h.readFile("C:\\FastTrackProfiles\\alice.profile").find("C:\\Apps\r\n"),
              std::string::npos);
}

TEST(FilterConfig, TheDestinationIsChosenOnTheDownloadFoldersDriveAndSaved) {
    Harness h;
    h.files->addDrive('c');
    h.files->addDrive('d');
    h.files->makeDirectory("C:\\FastTrackProfiles");
    h.files->makeDirectory("D:\\Music");
    Form1& form = h.form();
    form.txt_profilename.setText("alice");
    form.txt_Downloadfolder.setText("D:\\Downloads");
    h.windows.onModal = [&](ui::Window&) {
        Form2& picker = form.picker();
        EXPECT_EQ(picker.window.caption(), "Select Filter Folder");
        EXPECT_EQ(picker.str_lockeddrive, "D:\\");
        EXPECT_FALSE(picker.Drive1.enabled());
        EXPECT_EQ(picker.Dir1.path(), "D:\\");
        picker.Dir1.click(1); // D:\Music
        picker.button_Select.click();
    };
    form.button_selfilterfolder[2].click();
    EXPECT_EQ(form.txt_filterfolder[2].text(), "D:\\Music");
    EXPECT_NE(h.readFile("C:\\FastTrackProfiles\\alice.profile").find("D:\\Music\r\n"),
              std::string::npos);
    EXPECT_TRUE(form.picker().Drive1.enabled()) << "free again for the other callers";
    EXPECT_EQ(form.picker().str_lockeddrive, "");
    EXPECT_EQ(form.str_pickedfolder, "");

    h.windows.onModal = [&](ui::Window&) { form.picker().button_Cancel.click(); };
    form.button_selfilterfolder[2].click();
    EXPECT_EQ(form.txt_filterfolder[2].text(), "D:\\Music") << "a cancel changes nothing";

    // Without a drive to lock to, the picker is not offered at all.
    form.txt_Downloadfolder.setText("\\\\server\\share");
    form.button_selfilterfolder[0].click();
    EXPECT_EQ(h.windows.modalShows.size(), 2u);
    EXPECT_EQ(h.messageLog(),
              std::vector<std::string>{"Morvane|Choose A Download Folder On A Drive First"});
}

} // namespace
} // namespace morvane::test
