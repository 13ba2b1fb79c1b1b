#pragma once
// One measurement: our operation against the plain system calls that do the same work, both
// timed in the same run. Each bench file registers its pairs with MORVANE_BENCH_PAIR; the
// runner (Google Benchmark natively, a small timing loop on Windows) prints per pair
//   ratio <prefix><name> <product / baseline> goal <= <limit>
//   time <prefix><name> <ms per product run>
// and, when asked, the product's peak memory growth as `memory <prefix><name> <KiB>`.

#include <functional>
#include <string>
#include <vector>

namespace morvane::bench {

struct BenchPair {
    std::string name;               // letters, digits, dots and underscores
    double limit = 0;               // the goal for product time / baseline time
    std::function<void()> setup;    // once, before either side runs
    std::function<void()> product;  // one timed run of our operation
    std::function<void()> baseline; // one timed run of the plain system calls
    std::function<void()> teardown; // once, after both sides
    std::function<void()> reset;    // untimed, before every timed run; may be empty
    bool reportMemory = false;      // print the product's peak memory growth
};

// Every registered pair, in registration order.
std::vector<BenchPair>& Pairs();

struct PairRegistrar {
    explicit PairRegistrar(BenchPair (*make)()) { Pairs().push_back(make()); }
};

// A long run: one step repeated many times, to show that memory stays flat. Both runners
// run these after the pairs and print the heap's growth from a tenth of the steps to the
// last one as `memory <prefix><name>.growth <KiB>`, and its size then as
// `memory <prefix><name>.heap <KiB>`.
struct LongRun {
    std::string name;
    int steps = 0;
    std::function<void()> setup;
    std::function<void(int step)> step;
    std::function<void()> teardown;
};

std::vector<LongRun>& LongRuns();

struct LongRunRegistrar {
    explicit LongRunRegistrar(LongRun (*make)()) { LongRuns().push_back(make()); }
};

void RunLongRuns(const std::string& prefix, const std::string& only);

// The lines the runners print for one pair's results. A figure measured on the real system
// is a `ratio` line with its goal; one measured on the emulated platform (the native runner)
// says little about what a user runs, and is printed as `info <prefix><name> <ratio>`.
enum class Figure { Goal, Information };
void PrintResult(const std::string& prefix, const BenchPair& pair, double productSeconds,
                 double baselineSeconds, Figure figure);
void PrintMemory(const std::string& prefix, const BenchPair& pair, long long kib);

// Ends the run with a message when a side did not do its work: a wrong result is not a
// figure.
void Require(bool ok, const std::string& what);

// Runner options shared by both runners: --prefix=<text> and --only=<substring of a name>.
struct RunnerOptions {
    std::string prefix;
    std::string only;
    std::string layOutLoadFolder; // --lay-out-load-folder=<host folder>: only that, then end
};
RunnerOptions ParseOptions(int& argc, char** argv, const std::string& defaultPrefix);

// The load measurement's download folder of 100,000 files, made in one place for both sides:
// natively at its set-up, and for Wine by scripts/bench.sh through the native runner's
// --lay-out-load-folder (Wine makes files in a big folder slowly), which also leaves the
// ".seeded" mark that BenchDrive::useSeededFolder looks for. `windowsFolder` is the folder as
// the product sees it, named in the incomplete downloads. False when a file could not be made.
bool LayOutLoadFolder(const std::string& hostFolder, const std::string& windowsFolder,
                      bool markSeeded);
inline const std::string kLoadFolder = "MorvaneBenchLoad"; // a folder of drive C:

} // namespace morvane::bench

#define MORVANE_BENCH_CAT2(a, b) a##b
#define MORVANE_BENCH_CAT(a, b) MORVANE_BENCH_CAT2(a, b)
// MORVANE_BENCH_PAIR(maker): registers the pair that `BenchPair maker()` returns.
#define MORVANE_BENCH_PAIR(make)                                                                   \
    static const ::morvane::bench::PairRegistrar MORVANE_BENCH_CAT(morvanePair_, __LINE__)(make)
// MORVANE_LONG_RUN(maker): registers the long run that `LongRun maker()` returns.
#define MORVANE_LONG_RUN(make)                                                                     \
    static const ::morvane::bench::LongRunRegistrar MORVANE_BENCH_CAT(morvaneRun_, __LINE__)(make)
