// How long the INI engine takes for a whole section written at once and
// read back key by key, natively. The side-by-side run against the
// platform's profile functions is bench/win32/ini_platform_bench.cpp.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "storage/config_file.h"

namespace {

std::vector<airvane::IniEntry> makeEntries(int count) {
    std::vector<airvane::IniEntry> entries;
    for (int i = 0; i < count; ++i) entries.push_back({std::to_string(i), "0 0 0 9 30 0 -1|D:\\Radio\\job" + std::to_string(i) + ".scd"});
    return entries;
}

std::string benchFile() { return (std::filesystem::temp_directory_path() / "airvane-bench.INI").string(); }

void BatchedWriteToDisk(benchmark::State& state) {
    const auto entries = makeEntries(static_cast<int>(state.range(0)));
    const std::string path = benchFile();
    for (auto _ : state) {
        std::filesystem::remove(path);
        airvane::ConfigFile config(path);
        benchmark::DoNotOptimize(config.writeProfileSection("LoadingSchedule", entries));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BatchedWriteToDisk)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void ReadBackKeyByKey(benchmark::State& state) {
    const auto entries = makeEntries(static_cast<int>(state.range(0)));
    airvane::IniDocument doc;
    doc.assign("LoadingSchedule", entries);
    for (auto _ : state) {
        for (const auto& entry : entries) {
            benchmark::DoNotOptimize(airvane::profileString(doc, "LoadingSchedule", entry.key, "", 340));
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ReadBackKeyByKey)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
