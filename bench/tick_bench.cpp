// One scheduler tick with 1,000 Schedules of 50 Files, natively with the
// in-memory tree. The same under Wine on the real control:
// bench/win32/tick_bench_win32.cpp.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "model/memory_tree.h"
#include "onair/on_air_record.h"
#include "tick_cost.h"

namespace {

void SchedulerTick(benchmark::State& state) {
    airvane::MemoryTree tree;
    airvane::bench::TickBench bench(tree);
    for (auto _ : state) bench.tick();
}
BENCHMARK(SchedulerTick)->Unit(benchmark::kMicrosecond);

// A tick that also writes an on-air row: appended with one write and
// flushed to the disk (fsync here, FlushFileBuffers on Windows).
void SchedulerTickWritingAnOnAirRow(benchmark::State& state) {
    airvane::MemoryTree tree;
    airvane::bench::TickBench bench(tree);
    const std::string path = "/tmp/airvane-bench-ONAIR.CSV";
    std::remove(path.c_str());
    const airvane::OnAirRow row{{2026, 12, 21, 1, 12, 0, 0, 250}, "start", "정오 뉴스.m3u", 43200, 250, {}, {}, {}, {}, {}, {}};
    for (auto _ : state) {
        bench.tick();
        airvane::appendOnAirRow(path, row);
    }
    std::remove(path.c_str());
}
BENCHMARK(SchedulerTickWritingAnOnAirRow)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
