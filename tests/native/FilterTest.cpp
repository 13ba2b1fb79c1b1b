// The filter: its rules over plain values, the category boxes, and the run on the headless
// view and the emulated C: drive (start, passes, moves and failures, stop, and what may happen
// while a pass yields to the window).
#include <gtest/gtest.h>

#include "app/FolderPickerDialog.h"
#include "filter/FilterPass.h"
#include "profiles/DefaultExtensions.h"
#include "support/Harness.h"

namespace morvane::test {
namespace {

using Lines = std::vector<std::string>;

TEST(FilterRules, NameToCategoryLowestIndexFirstBySubstringAndOnlyActiveCategories) {
    FilterCategories categories;
    for (std::size_t i = 0; i < categories.size(); ++i)
        categories[i] = {kDefaultExtensionLists[i], "C:\\Category" + std::to_string(i)};
    categories[4].extensions += "dat;"; // still never an incomplete download
    const std::pair<const char*, int> cases[] =
        {
            {"song.mp3", 0},  {"clip.peg", 1},  {"clip.pg", 1},  {"photo.jpeg", 2},
            {"notes.pdf", 3}, {"setup.exe", 4}, {"a.b.mp3", -1}, {"abc.dat", -1},
            {"readme", -1},   {"name.", -1},    {"song.mp", 0},  {"x.data", -1},
            {"song.MP3", -1}, // the caller lower-cases; the list's own case counts
        };
    for (const auto& [name, category] : cases)
        EXPECT_EQ(FilterCategoryOf(name, categories, "C:\\Downloads"), category) << name;

    categories[1].folder = "C:\\Downloads"; // the download folder itself
    categories[2].extensions = "";
    categories[0].folder = "";
    categories[3].extensions = "MP3;PDF;";
    for (const char* name : {"clip.mpeg", "photo.jpg", "song.mp3", "notes.pdf"})
        EXPECT_EQ(FilterCategoryOf(name, categories, "C:\\Downloads"), -1) << name;

    // A start resets every destination off the download folder's drive to the download folder.
    const FilterStartCheck check =
        CheckFilterStart("c:\\Downloads", {"C:\\Music", "D:\\Video", "", "c:\\", "C:Docs"});
    EXPECT_EQ(check.reset, (std::array<bool, kFilterCategories>{false, true, true, false, true}));
    EXPECT_EQ(check.resetTo, "c:\\Downloads");
    EXPECT_FALSE(
        CheckFilterStart("C:\\Downloads", {"C:\\", "C:\\", "C:\\", "C:\\", "C:\\"}).anyReset());
}

class FilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.profiles.setCurrentName("alice");
        form.profileNameBox.setText("alice");
        form.downloadFolderBox.setText("C:\\Downloads");
        const char* folders[] = {"C:\\Music", "C:\\Video", "C:\\Pictures", "C:\\Downloads", "C:\\"};
        const char* lists[] = {"mp3;wav;mid;wma;", "mpg;avi;mov;mpeg;wmv;", "bmp;jpg;jpeg;gif;tif;",
                               "doc;pdf;", "exe;zip;"};
        for (int i = 0; i < kFilterCategories; ++i) {
            form.filterRows[i].extensions.setText(lists[i]);
            form.filterRows[i].folder.setText(folders[i]);
            h.files->makeDirectory(folders[i]);
        }
    }
    void download(const std::string& name, const std::string& bytes = "data") {
        h.writeFile("C:\\Downloads\\" + name, bytes + name);
    }
    void start() { form.commandBar[StartFilterItem].click(); }
    const Lines& report() { return form.filterReportList.items(); }
    const Lines& failures() { return form.filterFailureList.items(); }
    std::string profile() { return h.readFile("C:\\FastTrackProfiles\\alice.profile"); }

    Harness h;
    MainWindow& form = h.form();
};

TEST_F(FilterTest, TypingRefusesFileNameKeysAndLeavingABoxSavesTheProfile) {
    ui::TextBox& list = form.filterRows[0].extensions;
    list.setText("");
    Type(list, "mp3; wav|.MP3"); // every refused key: PathRulesTest
    EXPECT_EQ(list.text(), "mp3;wav.MP3");
    form.filterRows[1].folder.userLeft(); // any filter box
    EXPECT_NE(profile().find("\r\nmp3;wav.MP3\r\n"), std::string::npos);
}

// The client's registry may give "c:\downloads"; the picker always gives a capital letter.
TEST_F(FilterTest, ADestinationIsPickedOnTheDownloadFoldersDriveInAnyLetterCaseAndSaved) {
    form.downloadFolderBox.setText("c:\\downloads");
    form.filterRows[0].folder.setText("c:\\downloads");
    h.windows.onModal = [&](ui::Window&) {
        FolderPickerDialog& picker = form.picker();
        EXPECT_EQ(picker.window.caption(), "Select Filter Folder");
        EXPECT_FALSE(picker.driveList.enabled());
        for (std::size_t i = 0; i < picker.folderList.items().size(); ++i)
            if (picker.folderList.items()[i].caption == "Music")
                picker.folderList.userHighlighted(static_cast<int>(i));
        picker.button_Select.click();
    };
    form.filterRows[0].chooseFolder.click();
    ASSERT_EQ(form.filterRows[0].folder.text(), "C:\\Music");
    EXPECT_NE(profile().find("\r\nC:\\Music\r\n"), std::string::npos);
    EXPECT_TRUE(form.picker().driveList.enabled()) << "free again for the other callers";
    download("song.mp3");
    start();
    EXPECT_EQ(h.messageLog(), Lines());
    EXPECT_EQ(report(), Lines({"Filter started at 12:00:00", "song.mp3 moved to C:\\Music"}));
    EXPECT_TRUE(h.exists("C:\\Music\\song.mp3"));

    h.pickFolder("");
    form.filterRows[0].chooseFolder.click();
    EXPECT_EQ(form.filterRows[0].folder.text(), "C:\\Music") << "a cancel changes nothing";
    // Without a drive to lock to, the picker is not offered at all.
    form.downloadFolderBox.setText("\\\\server\\share");
    form.filterRows[0].chooseFolder.click();
    EXPECT_EQ(h.windows.modalShows.size(), 2u);
    EXPECT_EQ(h.messageLog(), Lines{"Morvane|Choose A Download Folder On A Drive First"});
}

TEST_F(FilterTest, StartMovesMatchingFilesAndLeavesTheRestUntilStop) {
    // Which name goes where is the rules' table; here the run over real listings.
    for (const char* name :
         {"Song.MP3", "abc.dat", "README", "photo.jpeg", "tool.exe", ".hidden.mp3"})
        download(name);
    h.writeFile("C:\\Downloads\\sub.mp3\\inner.mp3", "x");
    form.renameButton.setVisible(true);
    start();
    EXPECT_EQ(report(), Lines({"Filter started at 12:00:00", "photo.jpeg moved to C:\\Pictures",
                               "song.mp3 moved to C:\\Music", "tool.exe moved to C:\\"}));
    EXPECT_EQ(h.readFile("C:\\Music\\song.mp3"), "dataSong.MP3");
    for (const char* stays : {"abc.dat", "README", ".hidden.mp3", "sub.mp3\\inner.mp3"})
        EXPECT_TRUE(h.exists(std::string("C:\\Downloads\\") + stays)) << stays;
    EXPECT_TRUE(failures().empty());
    EXPECT_TRUE(form.filterTimer.enabled());
    EXPECT_GT(form.runningFilterPage.z(), form.sectionArea.z());
    EXPECT_FALSE(form.renameButton.visible());

    download("late.mp3");
    h.clock.time = "12:00:10";
    h.windows.onDoEvents = [&] { form.stopFilterCommand.click(); }; // STOP FILTER
    EXPECT_EQ(form.filterView.FilterPass(), (FilterPassResult{FilterPassEnd::Stopped, 0, 0}));
    EXPECT_TRUE(h.exists("C:\\Downloads\\late.mp3"));
    EXPECT_EQ(report().back(), "Filter stopped at 12:00:10");
    EXPECT_FALSE(form.filterTimer.enabled());
    EXPECT_FALSE(form.runningFilterPage.visible());
}

TEST_F(FilterTest, FailuresAreListedOnceSkippedAndRetriedAfterARestart) {
    download("dup.mp3", "new");
    h.writeFile("C:\\Music\\dup.mp3", "old");
    download("film.avi");
    form.filterRows[1].folder.setText("C:\\Missing");
    start();
    EXPECT_EQ(form.filterView.FilterPass(), (FilterPassResult{FilterPassEnd::Listed, 0, 0}));
    form.filterFailureList.clear(); // taken afresh: each fails and is listed once more
    EXPECT_EQ(form.filterView.FilterPass(), (FilterPassResult{FilterPassEnd::Listed, 0, 2}));
    form.filterTimer.tick();
    EXPECT_EQ(failures(), Lines({"dup.mp3", "film.avi"}));

    // Skipped without regard to case, even when the failure line is spelled otherwise.
    form.filterFailureList.setItem(0, "DUP.MP3");
    h.files->deleteFile("C:\\Music\\dup.mp3");
    form.filterTimer.tick();
    EXPECT_TRUE(h.exists("C:\\Downloads\\dup.mp3"));

    form.stopFilterCommand.click();
    EXPECT_EQ(failures().size(), 2u) << "kept after the stop";
    start();
    EXPECT_EQ(failures(), Lines({"film.avi"}));
    EXPECT_EQ(report().back(), "dup.mp3 moved to C:\\Music");
}

TEST_F(FilterTest, StartIsRefusedWithoutAProfileOrWithAFolderOffTheDrive) {
    download("song.mp3");
    form.profiles.setCurrentName("");
    start();
    EXPECT_TRUE(report().empty());

    form.profiles.setCurrentName("alice");
    form.filterRows[0].folder.setText("D:\\Music");
    form.filterRows[2].folder.setText("C:Pictures"); // no root: not on the drive's root either
    start();
    EXPECT_EQ(h.messageLog(), Lines({"Morvane|Filter Folders Are No Longer On The Same Drive As "
                                     "Download Folder: Filter Folders Reset"}));
    EXPECT_EQ(h.dialogs.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(form.filterRows[0].folder.text() + form.filterRows[1].folder.text() +
                  form.filterRows[2].folder.text(),
              "C:\\DownloadsC:\\VideoC:\\Downloads");
    EXPECT_TRUE(report().empty());
    EXPECT_FALSE(form.filterTimer.enabled());
    for (const char* stored : {"wma;\r\nC:\\Downloads\r\n", "tif;\r\nC:\\Downloads\r\n"})
        EXPECT_NE(profile().find(stored), std::string::npos) << "the reset is stored";

    start(); // the reset made every folder fit: audio now stays where it is
    EXPECT_EQ(report(), Lines({"Filter started at 12:00:00"}));
    EXPECT_TRUE(h.exists("C:\\Downloads\\song.mp3"));
}

// A tick or a start during a pass's yield runs no pass inside it. A stop ends the pass under
// way before its next file: a start right after it runs its own pass once the old one has
// ended, and a pass asked for before a stop is dropped.
TEST_F(FilterTest, NoPassRunsInsideAnotherAndAStopEndsThePassUnderWay) {
    start();
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"})
        download(name);
    int yields = 0;
    h.windows.onDoEvents = [&] {
        if (++yields == 1) {
            form.filterTimer.tick();
            start();
        }
    };
    form.filterTimer.tick();
    EXPECT_EQ(yields, 3) << "one pass, one yield per file";
    EXPECT_EQ(report().size(), 4u);

    for (const char* name : {"d.mp3", "e.mp3", "f.mp3"})
        download(name);
    yields = 0;
    h.windows.onDoEvents = [&] {
        if (++yields % 2 == 0)
            return;
        form.stopFilterCommand.click();
        start();
        if (yields == 3)
            form.stopFilterCommand.click();
    };
    form.filterTimer.tick();
    EXPECT_EQ(yields, 3);
    EXPECT_EQ(Lines(report().begin() + 4, report().end()),
              Lines({"Filter stopped at 12:00:00", "Filter started at 12:00:00",
                     "d.mp3 moved to C:\\Music", "Filter stopped at 12:00:00",
                     "Filter started at 12:00:00", "Filter stopped at 12:00:00"}));
    EXPECT_TRUE(h.exists("C:\\Downloads\\e.mp3") && h.exists("C:\\Downloads\\f.mp3"));
    EXPECT_FALSE(form.filterTimer.enabled() || form.runningFilterPage.visible());
}

} // namespace
} // namespace morvane::test
