// Long runs: the operations a user repeats all day, a thousand times over, must not make the
// program grow.

#include <memory>

#include "bench/WindowOnDrive.h"
#include "platform/emulated/Headless.h"
#include "profiles/ProfileFile.h"
#include "registry/TargetApplication.h"

namespace morvane::bench {
namespace {

const std::string kFolder = "FastTrackProfiles";

// Pressing one profile after the other in the list (each press saves one and loads the
// other), registering now and then.
LongRun switchingProfiles() {
    auto state = std::make_shared<WindowOnDrive>();
    LongRun run;
    run.name = "LongRun.1000_presses";
    run.steps = 1000;
    run.setup = [state] {
        state->makeDrive({kFolder});
        const std::string folder = state->drive->hostPath(kFolder) + HostSeparator();
        // name, download folder, the three numbers, shared folders, filter rows
        Profile profile{"", "C:\\Downloads", "3", "3", "100", {}, {}};
        for (int i = 0; i < 50; ++i)
            profile.sharedFolders.push_back("C:\\Shared\\folder_" + std::to_string(i));
        const std::string bytes = ProfileBytes(profile);
        for (const char* name : {"alice", "bob"})
            Require(WriteFile(folder + name + ".profile", bytes), "cannot write the profiles");
        MainWindow& form = state->makeWindow();
        form.SetTarget(kTargetApplications[1]);
        form.profiles.AddEntry("alice");
        form.profiles.AddEntry("bob");
        form.profileView.showProfileNames();
        form.profiles.setCurrentName("alice");
        form.profileView.LoadProfile("alice");
    };
    run.step = [state](int step) {
        MainWindow& form = *state->form;
        Press(form.profileList, ui::kLeftButton, (step + 1) % 2);
        if (step % 10 == 0)
            form.profileView.RegisterProfile();
        Require(form.profiles.currentName() == ((step + 1) % 2 ? "bob" : "alice"),
                "the press did not switch profiles");
    };
    run.teardown = [state] { state->close(); };
    return run;
}

const std::string kDownloads = "MorvaneBenchFilter";
const std::string kMusic = "MorvaneBenchFilter_Music";

// The filter at work all day: each tick finds new downloads, two of which it moves and one it
// cannot (its name is taken at the destination). The report list grows by design and is
// emptied at each step so it does not count; the failure list holds each failed name once.
LongRun filterPasses() {
    auto state = std::make_shared<WindowOnDrive>();
    LongRun run;
    run.name = "LongRun.1000_filter_passes";
    run.steps = 1000;
    run.setup = [state] {
        state->makeDrive({kDownloads, kMusic});
        Require(WriteFile(state->drive->hostPath(kMusic) + HostSeparator() + "taken.mp3", "old"),
                "cannot write the destination's file");
        MainWindow& form = state->makeWindow();
        form.profiles.setCurrentName("alice");
        form.downloadFolderBox.setText(state->drive->windowsPath(kDownloads));
        for (std::size_t i = 0; i < form.filterRows.size(); ++i) {
            form.filterRows[i].extensions.setText(i == 0 ? "mp3;" : "avi;");
            form.filterRows[i].folder.setText(
                state->drive->windowsPath(i == 0 ? kMusic : kDownloads));
        }
        form.filterView.StartFilter();
        Require(form.profiles.filterRun().running(), "the filter did not start");
        form.filterReportList.clear();
    };
    run.step = [state](int step) {
        MainWindow& form = *state->form;
        const std::string folder = state->drive->hostPath(kDownloads) + HostSeparator();
        const std::string n = std::to_string(step);
        for (const std::string& name :
             {"a" + n + ".mp3", "b" + n + ".mp3", std::string("taken.mp3")})
            WriteFile(folder + name, "download " + n);
        form.filterView.filterTimer_Timer();
        Require(form.filterReportList.count() == 2, "the pass did not move both files");
        form.filterReportList.clear();
        Require(form.filterFailureList.count() == 1, "a failure was listed more than once");
    };
    run.teardown = [state] { state->close(); };
    return run;
}

MORVANE_LONG_RUN(switchingProfiles);
MORVANE_LONG_RUN(filterPasses);

} // namespace
} // namespace morvane::bench
