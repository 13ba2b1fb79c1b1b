// Long runs: the operations a user repeats all day, a thousand times over, must not make the
// program grow.

#include <memory>

#include "app/Form1.h"
#include "app/TargetApplication.h"
#include "bench/BenchPair.h"
#include "bench/BenchSupport.h"

namespace morvane::bench {
namespace {

const std::string kFolder = "FastTrackProfiles";

struct Switching {
    std::unique_ptr<BenchDrive> drive;
    std::unique_ptr<Form1> form;
};

// Pressing one profile after the other in the list (each press saves one and loads the
// other), registering now and then.
LongRun switchingProfiles() {
    auto state = std::make_shared<Switching>();
    LongRun run;
    run.name = "LongRun.1000_presses";
    run.steps = 1000;
    run.setup = [state] {
        state->drive = std::make_unique<BenchDrive>();
        Require(state->drive->makeFolder(kFolder), "C:\\" + kFolder + " exists already");
        const std::string folder = state->drive->hostPath(kFolder) + HostSeparator();
        std::string bytes = "C:\\Downloads\r\n3\r\n3\r\n100\r\n";
        for (int i = 0; i < 50; ++i)
            bytes += "C:\\Shared\\folder_" + std::to_string(i) + "\r\n";
        bytes += "EOF!\r\n";
        for (const char* name : {"alice", "bob"})
            Require(WriteFile(folder + name + ".profile", bytes), "cannot write the profiles");
        state->form = std::make_unique<Form1>(state->drive->services());
        Form1& form = *state->form;
        form.SetTarget(kTargetApplications[1]);
        form.list_Profiles.addItem("alice");
        form.list_Profiles.addItem("bob");
        form.str_currentprofilename = "alice";
        form.LoadProfile("alice");
    };
    run.step = [state](int step) {
        Form1& form = *state->form;
        form.list_Profiles.press(ui::kLeftButton, (step + 1) % 2);
        if (step % 10 == 0)
            form.RegisterProfile();
        Require(form.str_currentprofilename == ((step + 1) % 2 ? "bob" : "alice"),
                "the press did not switch profiles");
    };
    run.teardown = [state] {
        state->form.reset();
        state->drive.reset();
    };
    return run;
}

MORVANE_LONG_RUN(switchingProfiles);

} // namespace
} // namespace morvane::bench
