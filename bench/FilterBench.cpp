// The filter pass against the plain system calls doing the same work: a download folder of
// 20,000 files, half of them moved by the pass, against listing the folder and renaming the
// same files; and 100,000 files that match nothing against a plain listing, where the yield to
// the window before each file must not dominate. In the Windows build the pass yields to the
// real message queue, and the longest time between two yields is printed: the window's
// events wait no longer than that during the pass.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

#include "app/Form1.h"
#include "bench/BenchPair.h"
#include "bench/BenchSupport.h"
#include "platform/emulated/Headless.h"
#ifdef _WIN32
#include "platform/win32/Win32WindowManager.h"
#endif

namespace morvane::bench {
namespace {

using SteadyClock = std::chrono::steady_clock;

// The window manager the pass yields to; when asked, it times the gaps between yields (not
// during the measured runs: reading the clock costs more than a yield on some machines).
class TimedYields : public WindowManager {
public:
    void showModal(ui::Window& window) override { inner_.showModal(window); }
    void doEvents() override {
        inner_.doEvents();
        if (!timing_)
            return;
        SteadyClock::time_point now = SteadyClock::now();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }
    void endProgram() override {}
    bool ended() const override { return false; }
    void time(bool on) {
        timing_ = on;
        last_ = SteadyClock::now();
        longest_ = {};
    }
    double longestMs() const { return std::chrono::duration<double, std::milli>(longest_).count(); }

private:
#ifdef _WIN32
    Win32WindowManager inner_{GetModuleHandleA(nullptr), 96, [] {}};
#else
    HeadlessWindowManager inner_; // no window system here: the yield is the call alone
#endif
    bool timing_ = false;
    SteadyClock::time_point last_ = SteadyClock::now();
    SteadyClock::duration longest_{};
};

struct FilterState {
    std::unique_ptr<BenchDrive> drive;
    TimedYields windows;
    std::unique_ptr<Services> services;
    std::unique_ptr<Form1> form;
    std::string downloads, music;
};

// A form whose audio category moves "*.mp3" from C:\<folder>\Downloads to C:\<folder>\Music;
// every other category stays inactive.
void prepare(FilterState& state, const std::string& folder, int files, bool halfMatching) {
    state.drive = std::make_unique<BenchDrive>();
    Require(state.drive->makeFolder(folder + "\\Downloads") &&
                state.drive->makeFolder(folder + "\\Music"),
            "C:\\" + folder + " exists already");
    state.downloads = state.drive->hostPath(folder + "\\Downloads");
    state.music = state.drive->hostPath(folder + "\\Music");
    const std::string into = state.downloads + HostSeparator();
    for (int i = 0; i < files; ++i) {
        const char* extension = halfMatching && i % 2 == 0 ? ".mp3" : ".txt";
        Require(WriteFile(into + "file_" + std::to_string(i) + extension, ""),
                "cannot write the downloads");
    }
    Services& real = state.drive->services();
    state.services = std::make_unique<Services>(
        Services{real.registry, real.files, real.shell, real.dialogs, real.clock, state.windows});
    state.form = std::make_unique<Form1>(*state.services);
    Form1& form = *state.form;
    form.txt_Downloadfolder.setText(state.drive->windowsPath(folder + "\\Downloads"));
    for (std::size_t i = 0; i < 5; ++i) {
        form.txt_filterext[i].setText(i == 0 ? "mp3;wav;mid;wma;" : "doc;pdf;");
        form.txt_filterfolder[i].setText(i == 0 ? state.drive->windowsPath(folder + "\\Music")
                                                : form.txt_Downloadfolder.text());
    }
}

void moveAll(const std::string& from, const std::string& to) {
    for (const std::string& name : ListFolder(from))
        Require(RenameFile(from + HostSeparator() + name, to + HostSeparator() + name),
                "cannot move a file back");
}

BenchPair halfMatching() {
    auto state = std::make_shared<FilterState>();
    BenchPair pair;
    pair.name = "FilterPass.20000_files_half_moved";
    pair.limit = 1.25;
    pair.setup = [state] { prepare(*state, "MorvaneBenchFilter", 20000, true); };
    pair.reset = [state] {
        moveAll(state->music, state->downloads);
        state->form->list_filterreport.clear();
    };
    pair.product = [state] {
        state->form->FilterPass();
        Require(state->form->list_filterreport.count() == 10000, "the pass missed files");
    };
    pair.baseline = [state] {
        int moved = 0;
        for (const std::string& name : ListFolder(state->downloads))
            if (name.ends_with(".mp3"))
                moved += RenameFile(state->downloads + HostSeparator() + name,
                                    state->music + HostSeparator() + name);
        Require(moved == 10000, "the plain loop missed files");
    };
    pair.teardown = [state] {
        state->form.reset();
        state->drive.reset();
    };
    return pair;
}

BenchPair noneMatching() {
    auto state = std::make_shared<FilterState>();
    BenchPair pair;
    pair.name = "FilterPass.100000_files_none_moved";
    pair.limit = 2;
    pair.setup = [state] { prepare(*state, "MorvaneBenchFilterIdle", 100000, false); };
    pair.product = [state] {
        state->form->FilterPass();
        Require(state->form->list_filterreport.count() == 0, "the pass moved files");
    };
    pair.baseline = [state] {
        Require(ListFolder(state->downloads).size() == 100000, "the listing missed files");
    };
    pair.teardown = [state] {
#ifdef _WIN32
        // The window's events wait at most this long during a pass.
        state->windows.time(true);
        state->form->FilterPass();
        std::printf("time wine64.FilterPass.100000_files_none_moved.longest_yield_gap %.3f\n",
                    state->windows.longestMs());
#endif
        state->form.reset();
        state->drive.reset();
    };
    return pair;
}

MORVANE_BENCH_PAIR(halfMatching);
MORVANE_BENCH_PAIR(noneMatching);

} // namespace
} // namespace morvane::bench
