// One scheduler tick with 1,000 Schedules of 50 Files, natively with the
// in-memory tree. The same under Wine on the real control:
// bench/win32/tick_bench_win32.cpp.
#include <benchmark/benchmark.h>

#include "model/memory_tree.h"
#include "tick_cost.h"

namespace {

void SchedulerTick(benchmark::State& state) {
    airvane::MemoryTree tree;
    airvane::bench::prepareTickTree(tree);
    airvane::LoadingList loading;
    airvane::Settings settings;
    settings.fadeoutTime = 3;
    airvane::bench::StillClock clock;
    airvane::bench::IdleHost host;
    airvane::TickState tickState;
    for (auto _ : state) airvane::schedulerTick(tree, loading, settings, clock, host, tickState);
}
BENCHMARK(SchedulerTick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
