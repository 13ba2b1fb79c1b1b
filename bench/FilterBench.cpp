// The filter pass against the plain system calls doing the same work: a download folder of
// 20,000 files, half of them moved by the pass, against listing the folder and renaming the
// same files; and 100,000 files that match nothing against a plain listing, where the yield to
// the window before each file must not dominate. In the Windows build the pass yields to the
// real message queue, and the longest time a timer's message waited during a pass is printed.
// And a pass with 1,000 failures listed against the same pass with none.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/WindowOnDrive.h"
#include "platform/emulated/Headless.h"
#ifdef _WIN32
#include "platform/win32/Win32WindowManager.h"
#endif

namespace morvane::bench {
namespace {

using SteadyClock = std::chrono::steady_clock;

#ifdef _WIN32
// The pass yields to the real message queue. A thread timer ticking as often as the system
// allows measures how long, at most, the window waited for its turn during a pass.
using YieldingWindows = Win32WindowManager;
SteadyClock::time_point g_lastTick;
SteadyClock::duration g_longestWait{};
void CALLBACK timerTicked(HWND, UINT, UINT_PTR, DWORD) {
    SteadyClock::time_point now = SteadyClock::now();
    g_longestWait = std::max(g_longestWait, now - g_lastTick);
    g_lastTick = now;
}
#else
using YieldingWindows = HeadlessWindowManager; // no window system: the yield is the call alone
#endif

// Under Wine every file name is looked up without regard to case by reading the whole folder,
// for the product and the plain calls alike: each call costs in proportion to the folder's
// size, and the full sizes would take the better part of an hour per run. The Windows build
// measures a tenth of them; the names say which.
#ifdef _WIN32
constexpr int kMovedFolderFiles = 2000;
constexpr int kIdleFolderFiles = 10000;
#else
constexpr int kMovedFolderFiles = 20000;
constexpr int kIdleFolderFiles = 100000;
#endif

// The window on the drive's services but for the window manager, which yields.
struct FilterState {
#ifdef _WIN32
    YieldingWindows windows{GetModuleHandleA(nullptr), 96};
#else
    YieldingWindows windows;
#endif
    std::unique_ptr<Services> services;
    WindowOnDrive fixture;
    std::string downloads, music;
};

// A form whose audio category moves "*.mp3" from C:\<folder>\Downloads to C:\<folder>\Music;
// every other category stays inactive.
void prepare(FilterState& state, const std::string& folder, int files, bool halfMatching) {
    BenchDrive& drive = state.fixture.makeDrive({folder + "\\Downloads", folder + "\\Music"});
    state.downloads = drive.hostPath(folder + "\\Downloads");
    state.music = drive.hostPath(folder + "\\Music");
    const std::string into = state.downloads + HostSeparator();
    for (int i = 0; i < files; ++i) {
        const char* extension = halfMatching && i % 2 == 0 ? ".mp3" : ".txt";
        Require(WriteFile(into + "file_" + std::to_string(i) + extension, ""),
                "cannot write the downloads");
    }
    Services& real = drive.services();
    state.services = std::make_unique<Services>(
        Services{real.registry, real.files, real.shell, real.dialogs, real.clock, state.windows});
    MainWindow& form = state.fixture.makeWindow(state.services.get());
    form.downloadFolderBox.setText(drive.windowsPath(folder + "\\Downloads"));
    for (int i = 0; i < kFilterCategories; ++i) {
        form.filterRows[i].extensions.setText(i == 0 ? "mp3;wav;mid;wma;" : "doc;pdf;");
        form.filterRows[i].folder.setText(i == 0 ? drive.windowsPath(folder + "\\Music")
                                                 : form.downloadFolderBox.text());
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
    pair.name = "FilterPass." + std::to_string(kMovedFolderFiles) + "_files_half_moved";
    pair.limit = 1.25;
    pair.setup = [state] { prepare(*state, "MorvaneBenchFilter", kMovedFolderFiles, true); };
    pair.reset = [state] {
        moveAll(state->music, state->downloads);
        state->fixture.form->filterReportList.clear();
    };
    pair.product = [state] {
        MainWindow& form = *state->fixture.form;
        form.filterView.FilterPass();
        Require(form.filterReportList.count() == kMovedFolderFiles / 2, "the pass missed files");
    };
    pair.baseline = [state] {
        int moved = 0;
        for (const std::string& name : ListFolder(state->downloads))
            if (name.ends_with(".mp3"))
                moved += RenameFile(state->downloads + HostSeparator() + name,
                                    state->music + HostSeparator() + name);
        Require(moved == kMovedFolderFiles / 2, "the plain loop missed files");
    };
    pair.teardown = [state] { state->fixture.close(); };
    return pair;
}

BenchPair noneMatching() {
    auto state = std::make_shared<FilterState>();
    BenchPair pair;
    pair.name = "FilterPass." + std::to_string(kIdleFolderFiles) + "_files_none_moved";
    pair.limit = 2;
    pair.setup = [state] { prepare(*state, "MorvaneBenchFilterIdle", kIdleFolderFiles, false); };
    pair.product = [state] {
        MainWindow& form = *state->fixture.form;
        form.filterView.FilterPass();
        Require(form.filterReportList.count() == 0, "the pass moved files");
    };
    pair.baseline = [state] {
        Require(ListFolder(state->downloads).size() == kIdleFolderFiles,
                "the listing missed files");
    };
    pair.teardown = [state] {
#ifdef _WIN32
        UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, timerTicked);
        g_lastTick = SteadyClock::now();
        g_longestWait = {};
        state->fixture.form->filterView.FilterPass();
        KillTimer(nullptr, timer);
        std::printf(
            "time wine64.%s.longest_wait_for_the_window %.3f\n",
            ("FilterPass." + std::to_string(kIdleFolderFiles) + "_files_none_moved").c_str(),
            std::chrono::duration<double, std::milli>(g_longestWait).count());
#endif
        state->fixture.close();
    };
    return pair;
}

// The failures listed on screen: every file a pass would move is first compared with each of
// them. A pass over 10,000 downloads with 1,000 failures listed (the .mp3 files, left from an
// earlier pass: their category's folder is missing) against a pass over the same folder with
// none listed (there no category takes .mp3). Neither moves or lists anything; what differs is
// the 1,000 files' category and failure look-ups.
constexpr int kFailureFolderFiles = 10000;
constexpr int kListedFailures = 1000;

struct FailuresState {
    FilterState filter;
    std::unique_ptr<MainWindow> noneListed; // no category takes .mp3, no failures listed
};

BenchPair failuresListed() {
    auto state = std::make_shared<FailuresState>();
    BenchPair pair;
    pair.name = "FilterPass.1000_failures_listed";
    pair.limit = 1.1;
    pair.setup = [state] {
        FilterState& filter = state->filter;
        prepare(filter, "MorvaneBenchFailures", 0, false);
        const std::string into = filter.downloads + HostSeparator();
        std::vector<std::string> listed;
        for (int i = 0; i < kFailureFolderFiles; ++i) {
            const std::string name =
                "file_" + std::to_string(i) + (i < kListedFailures ? ".mp3" : ".txt");
            Require(WriteFile(into + name, ""), "cannot write the downloads");
            if (i < kListedFailures)
                listed.push_back(name);
        }
        MainWindow& form = *filter.fixture.form;
        form.filterRows[0].folder.setText(
            filter.fixture.drive->windowsPath("MorvaneBenchFailures\\Missing"));
        form.filterFailureList.setItems(listed);
        state->noneListed = std::make_unique<MainWindow>(*filter.services);
        MainWindow& plain = *state->noneListed;
        plain.downloadFolderBox.setText(form.downloadFolderBox.text());
        for (int i = 0; i < kFilterCategories; ++i) {
            plain.filterRows[i].extensions.setText(i == 0 ? "wav;"
                                                          : form.filterRows[i].extensions.text());
            plain.filterRows[i].folder.setText(form.filterRows[i].folder.text());
        }
    };
    pair.product = [state] {
        MainWindow& form = *state->filter.fixture.form;
        form.filterView.FilterPass();
        Require(form.filterFailureList.count() == kListedFailures &&
                    form.filterReportList.count() == 0,
                "the pass moved or listed a download");
    };
    pair.baseline = [state] {
        MainWindow& plain = *state->noneListed;
        plain.filterView.FilterPass();
        Require(plain.filterFailureList.count() == 0 && plain.filterReportList.count() == 0,
                "the pass moved or listed a download");
    };
    pair.teardown = [state] {
        state->noneListed.reset();
        state->filter.fixture.close();
    };
    return pair;
}

MORVANE_BENCH_PAIR(halfMatching);
MORVANE_BENCH_PAIR(noneMatching);
MORVANE_BENCH_PAIR(failuresListed);

} // namespace
} // namespace morvane::bench
