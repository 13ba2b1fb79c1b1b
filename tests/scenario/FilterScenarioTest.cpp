// A filter run on whichever platform the build tests (the emulated C: drive natively, the Wine
// prefix's real one under Wine): a start whose pass moves some files, named in several scripts,
// and fails on others in every way a move can fail, then a stop. Every file is counted and its
// bytes compared before and after: nothing lost, nothing overwritten.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/MainWindow.h"
#include "contract/PlatformUnderTest.h"

namespace morvane::test {
namespace {

using Lines = std::vector<std::string>;

TEST(FilterScenario, APassMovesWhatItCanAndListsEveryFailedMoveWithNothingLost) {
    PlatformUnderTest platform;
    Services services = platform.services();
    HeadlessView& view = platform.view;
    const std::string root = platform.scratchFolder();
    const std::string downloads = root + "\\Downloads";
    const std::string music = root + "\\音楽";
    const Lines folders = {downloads, music, root + "\\Pictures", root + "\\Docs"};
    for (const std::string& folder : folders)
        ASSERT_TRUE(platform.files().makeDirectory(folder)) << folder;
    for (const char* name : {"Song.MP3", "taken.mp3", "clip.avi", "held.jpg", "gone.pdf",
                             "partial.dat", "photo.gif", "Ωmega.mp3", "日本語.mp3", "Кино.MP3"})
        platform.writeFile(downloads + "\\" + name, std::string("bytes of ") + name);
    platform.writeFile(music + "\\taken.mp3", "the one already there");
    platform.holdOpen(downloads + "\\held.jpg", true);

    // Every file's bytes, from every folder, sorted: the same before and after a run that
    // loses and overwrites nothing.
    const auto everything = [&] {
        Lines contents;
        for (const std::string& folder : folders)
            for (const std::string& name : platform.files().listFiles(folder + "\\*"))
                contents.push_back(platform.readFile(folder + "\\" + name).value_or("?"));
        std::sort(contents.begin(), contents.end());
        return contents;
    };
    Lines before = everything();
    before.erase(std::find(before.begin(), before.end(), "bytes of gone.pdf"));

    MainWindow form(services);
    form.profiles.setCurrentName("scenario");
    form.downloadFolderBox.setText(downloads);
    const char* lists[] = {"mp3;", "avi;", "jpg;gif;", "pdf;", ""};
    const std::string destinations[] = {music, root + "\\Video", root + "\\Pictures\\",
                                        root + "\\Docs", downloads};
    for (int i = 0; i < kFilterCategories; ++i) {
        form.filterRows[i].extensions.setText(lists[i]);
        form.filterRows[i].folder.setText(destinations[i]);
    }
    // The source goes between the listing and its turn.
    view.windows.onDoEvents = [&] {
        if (platform.readFile(downloads + "\\gone.pdf")) {
            EXPECT_TRUE(platform.files().deleteFile(downloads + "\\gone.pdf"));
        }
    };
    form.commandBar[StartFilterItem].click();
    platform.holdOpen(downloads + "\\held.jpg", false);
    form.stopFilterCommand.click();

    Lines failed = form.filterFailureList.items();
    std::sort(failed.begin(), failed.end());
    EXPECT_EQ(failed, Lines({"clip.avi", "gone.pdf", "held.jpg", "taken.mp3"}));
    Lines report = form.filterReportList.items();
    ASSERT_EQ(report.size(), 7u);
    EXPECT_EQ(report.front(), "Filter started at 12:00:00");
    EXPECT_EQ(report.back(), "Filter stopped at 12:00:00");
    std::sort(report.begin() + 1, report.end() - 1);
    // Names the legacy code page cannot hold are moved under their own names, only A to Z
    // lower-cased.
    EXPECT_EQ(Lines(report.begin() + 1, report.end() - 1),
              Lines({"photo.gif moved to " + root + "\\Pictures\\", "song.mp3 moved to " + music,
                     "Ωmega.mp3 moved to " + music, "Кино.mp3 moved to " + music,
                     "日本語.mp3 moved to " + music}));
    EXPECT_EQ(platform.readFile(music + "\\song.mp3"), "bytes of Song.MP3");
    EXPECT_EQ(platform.readFile(music + "\\Кино.mp3"), "bytes of Кино.MP3");
    EXPECT_EQ(platform.readFile(root + "\\Pictures\\photo.gif"), "bytes of photo.gif");
    EXPECT_EQ(everything(), before);
    EXPECT_FALSE(form.filterTimer.enabled());
}

} // namespace
} // namespace morvane::test
