#include "bench/BenchPair.h"

#include "bench/BenchSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace morvane::bench {

std::vector<BenchPair>& Pairs() {
    static std::vector<BenchPair> pairs;
    return pairs;
}

std::vector<LongRun>& LongRuns() {
    static std::vector<LongRun> runs;
    return runs;
}

void RunLongRuns(const std::string& prefix, const std::string& only) {
    for (const LongRun& run : LongRuns()) {
        if (run.name.find(only) == std::string::npos)
            continue;
        run.setup();
        // The first tenth settles what is made once (caches, a list's capacity).
        const int settled = run.steps / 10;
        long long early = 0;
        for (int step = 0; step < run.steps; ++step) {
            if (step == settled)
                early = HeapInUseKiB();
            run.step(step);
        }
        const long long late = HeapInUseKiB();
        run.teardown();
        std::printf("memory %s%s.growth %lld\n", prefix.c_str(), run.name.c_str(), late - early);
        std::printf("memory %s%s.heap %lld\n", prefix.c_str(), run.name.c_str(), late);
        std::fflush(stdout);
    }
}

void PrintResult(const std::string& prefix, const BenchPair& pair, double productSeconds,
                 double baselineSeconds, Figure figure) {
    const double ratio = baselineSeconds > 0 ? productSeconds / baselineSeconds : 0;
    if (figure == Figure::Goal)
        std::printf("ratio %s%s %.3f goal <= %.2f\n", prefix.c_str(), pair.name.c_str(), ratio,
                    pair.limit);
    else
        std::printf("info %s%s %.3f\n", prefix.c_str(), pair.name.c_str(), ratio);
    std::printf("time %s%s %.3f\n", prefix.c_str(), pair.name.c_str(), productSeconds * 1e3);
    std::fflush(stdout);
}

void PrintMemory(const std::string& prefix, const BenchPair& pair, long long kib) {
    std::printf("memory %s%s %lld\n", prefix.c_str(), pair.name.c_str(), kib);
    std::fflush(stdout);
}

void Require(bool ok, const std::string& what) {
    if (ok)
        return;
    std::fprintf(stderr, "bench: %s\n", what.c_str());
    std::exit(1);
}

RunnerOptions ParseOptions(int& argc, char** argv, const std::string& defaultPrefix) {
    RunnerOptions options{defaultPrefix, "", ""};
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--prefix=", 9) == 0)
            options.prefix = argv[i] + 9;
        else if (std::strncmp(argv[i], "--only=", 7) == 0)
            options.only = argv[i] + 7;
        else if (std::strncmp(argv[i], "--lay-out-load-folder=", 22) == 0)
            options.layOutLoadFolder = argv[i] + 22;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return options;
}

} // namespace morvane::bench
