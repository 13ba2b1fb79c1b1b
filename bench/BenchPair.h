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

// The lines the runners print for one pair's results.
void PrintResult(const std::string& prefix, const BenchPair& pair, double productSeconds,
                 double baselineSeconds);
void PrintMemory(const std::string& prefix, const BenchPair& pair, long long kib);

// Ends the run with a message when a side did not do its work: a wrong result is not a
// figure.
void Require(bool ok, const std::string& what);

// Runner options shared by both runners: --prefix=<text> and --only=<substring of a name>.
struct RunnerOptions {
    std::string prefix;
    std::string only;
};
RunnerOptions ParseOptions(int& argc, char** argv, const std::string& defaultPrefix);

} // namespace morvane::bench

#define MORVANE_BENCH_CAT2(a, b) a##b
#define MORVANE_BENCH_CAT(a, b) MORVANE_BENCH_CAT2(a, b)
// MORVANE_BENCH_PAIR(maker): registers the pair that `BenchPair maker()` returns.
#define MORVANE_BENCH_PAIR(make)                                                                   \
    static const ::morvane::bench::PairRegistrar MORVANE_BENCH_CAT(morvanePair_, __LINE__)(make)
