// The profile column with many stored profiles: listing 10,000 profile files against a
// plain listing of their folder's profile files.

#include <memory>

#include "app/MainWindow.h"
#include "bench/BenchPair.h"
#include "bench/BenchSupport.h"
#include "profiles/ProfileFile.h"

namespace morvane::bench {
namespace {

constexpr int kProfiles = 10000;
const std::string kFolder = "FastTrackProfiles";

struct ListingState {
    std::unique_ptr<BenchDrive> drive;
    std::unique_ptr<MainWindow> form;
};

BenchPair listProfiles() {
    auto state = std::make_shared<ListingState>();
    BenchPair pair;
    pair.name = "ListProfiles.10000_files";
    pair.limit = 1.5;
    pair.reportMemory = true;
    pair.setup = [state] {
        state->drive = std::make_unique<BenchDrive>();
        Require(state->drive->makeFolder(kFolder), "C:\\" + kFolder + " exists already");
        const std::string folder = state->drive->hostPath(kFolder) + HostSeparator();
        // name, download folder, the three numbers, shared folders, filter rows
        Profile profile{"", "C:\\Downloads", "3", "3", "100", {"C:\\Music"}, {}};
        const std::string bytes = ProfileBytes(profile);
        for (int i = 0; i < kProfiles; ++i)
            Require(WriteFile(folder + "profile_" + std::to_string(i) + ".profile", bytes),
                    "cannot write the profile files");
        state->form = std::make_unique<MainWindow>(state->drive->services());
    };
    pair.reset = [state] { state->form = std::make_unique<MainWindow>(state->drive->services()); };
    pair.product = [state] {
        state->form->profileView.ListProfiles("profile_0");
        Require(state->form->profileList.count() == kProfiles - 1, "ListProfiles missed files");
    };
    pair.baseline = [state] {
        // The same listing.
        std::vector<std::string> names = ListFolder(state->drive->hostPath(kFolder), "*.profile");
        Require(names.size() == kProfiles, "the folder listing missed files");
    };
    pair.teardown = [state] {
        state->form.reset();
        state->drive.reset();
    };
    return pair;
}

MORVANE_BENCH_PAIR(listProfiles);

} // namespace
} // namespace morvane::bench
