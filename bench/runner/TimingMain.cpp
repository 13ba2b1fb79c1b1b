// The Windows runner: Google Benchmark is not available for mingw here, so a small loop
// times both sides of each pair in turn (alternating, so a slow spell of the machine hits
// both) and compares their medians.

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench/BenchPair.h"
#include "bench/BenchSupport.h"

namespace {

using morvane::bench::BenchPair;
using Clock = std::chrono::steady_clock;

constexpr double kMinSecondsPerSide = 0.5;
constexpr int kMinRuns = 5;
constexpr int kMaxRuns = 1000;

double timedRun(const BenchPair& pair, bool product) {
    if (pair.reset)
        pair.reset();
    const Clock::time_point start = Clock::now();
    (product ? pair.product : pair.baseline)();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    using namespace morvane::bench;
    const RunnerOptions options = ParseOptions(argc, argv, "win64.");
    for (const BenchPair& pair : Pairs()) {
        if (pair.name.find(options.only) == std::string::npos)
            continue;
        pair.setup();
        if (pair.reportMemory) {
            if (pair.reset)
                pair.reset();
            ResetPeakMemory();
            pair.product();
            PrintMemory(options.prefix, pair, PeakMemoryKiB());
        }
        timedRun(pair, true); // warm caches for both sides alike
        timedRun(pair, false);
        std::vector<double> product, baseline;
        double productTotal = 0, baselineTotal = 0;
        while (static_cast<int>(product.size()) < kMaxRuns &&
               (static_cast<int>(product.size()) < kMinRuns || productTotal < kMinSecondsPerSide ||
                baselineTotal < kMinSecondsPerSide)) {
            // In the order product, baseline, baseline, product: whatever one run leaves the
            // system to finish (a file system flush after a file is renamed over) falls on the
            // run after it, which is then each side equally often.
            const bool productFirst = product.size() % 2 == 0;
            if (productFirst)
                product.push_back(timedRun(pair, true));
            baseline.push_back(timedRun(pair, false));
            if (!productFirst)
                product.push_back(timedRun(pair, true));
            productTotal += product.back();
            baselineTotal += baseline.back();
        }
        pair.teardown();
        PrintResult(options.prefix, pair, median(product), median(baseline), Figure::Goal);
    }
    RunLongRuns(options.prefix, options.only);
    return 0;
}
