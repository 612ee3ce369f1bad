// One scheduler tick with 1,000 Schedules of 50 Files, natively with the
// in-memory tree. The same under Wine on the real control:
// bench/win32/tick_bench_win32.cpp.
#include <benchmark/benchmark.h>

#include "model/memory_tree.h"
#include "tick_cost.h"

namespace {

void SchedulerTick(benchmark::State& state) {
    airvane::MemoryTree tree;
    airvane::bench::TickBench bench(tree);
    for (auto _ : state) bench.tick();
}
BENCHMARK(SchedulerTick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
