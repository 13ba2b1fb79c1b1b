// The native runner: each side of a pair is a Google Benchmark; a pair's set-up runs before
// its two benchmarks and its tear-down after them, then its lines are printed. Google
// Benchmark's own table goes to standard error.

#include <benchmark/benchmark.h>

#include <iostream>
#include <map>

#include "bench/BenchPair.h"
#include "bench/BenchSupport.h"

namespace {

using morvane::bench::BenchPair;

// Keeps each benchmark's mean wall time per iteration, in seconds.
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (!run.error_occurred && run.iterations > 0)
                seconds[run.run_name.function_name] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

void timedSide(benchmark::State& state, const BenchPair& pair, bool product) {
    for (auto _ : state) {
        if (pair.reset) {
            state.PauseTiming();
            pair.reset();
            state.ResumeTiming();
        }
        (product ? pair.product : pair.baseline)();
    }
}

// Pair names hold letters, digits, dots and underscores; only the dots need escaping.
std::string exactly(const std::string& name) {
    std::string pattern = "^";
    for (char c : name) {
        if (c == '.')
            pattern += '\\';
        pattern += c;
    }
    return pattern + "/(product|baseline)/";
}

} // namespace

int main(int argc, char** argv) {
    using namespace morvane::bench;
    const RunnerOptions options = ParseOptions(argc, argv, "native.");
    if (!options.layOutLoadFolder.empty())
        return LayOutLoadFolder(options.layOutLoadFolder, "C:\\" + kLoadFolder, true) ? 0 : 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;

    std::vector<const BenchPair*> chosen;
    for (const BenchPair& pair : Pairs())
        if (pair.name.find(options.only) != std::string::npos)
            chosen.push_back(&pair);
    for (const BenchPair* pair : chosen) {
        benchmark::RegisterBenchmark((pair->name + "/product").c_str(), [pair](
                                                                            benchmark::State& s) {
            timedSide(s, *pair, true);
        })->UseRealTime();
        benchmark::RegisterBenchmark((pair->name + "/baseline").c_str(), [pair](
                                                                             benchmark::State& s) {
            timedSide(s, *pair, false);
        })->UseRealTime();
    }

    Collector collector;
    collector.SetOutputStream(&std::cerr);
    collector.SetErrorStream(&std::cerr);
    for (const BenchPair* pair : chosen) {
        pair->setup();
        if (pair->reportMemory) {
            if (pair->reset)
                pair->reset();
            ResetPeakMemory();
            pair->product();
            PrintMemory(options.prefix, *pair, PeakMemoryKiB());
        }
        benchmark::RunSpecifiedBenchmarks(&collector, exactly(pair->name));
        pair->teardown();
        // The emulated platform's figures: information, not goals.
        PrintResult(options.prefix, *pair, collector.seconds[pair->name + "/product"],
                    collector.seconds[pair->name + "/baseline"], Figure::Information);
    }
    RunLongRuns(options.prefix, options.only);
    benchmark::Shutdown();
    return 0;
}
