// Loading and saving a large station schedule (200 Schedules of 100 Files)
// in both forms, natively with the in-memory tree.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "model/memory_tree.h"
#include "station_tree.h"
#include "storage/schedule_file.h"

namespace {

std::string benchPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void Save(benchmark::State& state, const char* name) {
    airvane::MemoryTree tree;
    airvane::bench::buildStation(tree, 200, 100);
    const std::string path = benchPath(name);
    for (auto _ : state) {
        std::filesystem::remove(path);
        benchmark::DoNotOptimize(airvane::writeScheduleFile(tree, path));
    }
}

void Load(benchmark::State& state, const char* name) {
    const std::string path = benchPath(name);
    {
        airvane::MemoryTree tree;
        airvane::bench::buildStation(tree, 200, 100);
        std::filesystem::remove(path);
        airvane::writeScheduleFile(tree, path);
    }
    for (auto _ : state) {
        airvane::MemoryTree tree;
        airvane::loadScheduleFile(tree, path, nullptr);
        if (tree.countNodes() != 1 + 200 * 101) state.SkipWithError("the tree did not load whole");
    }
}

BENCHMARK_CAPTURE(Save, LineForm, "airvane-bench.scd")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, IniForm, "airvane-bench.INI")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, LineForm, "airvane-bench.scd")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, IniForm, "airvane-bench.INI")->Unit(benchmark::kMillisecond);

}  // namespace
