// The pre-flight check and the week's timetable of a large station
// natively: 1,000 Schedules of 50 Files (none of whose audio files exists,
// so every one is looked up and reported) and 20 loading entries naming two
// job files.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "model/memory_tree.h"
#include "scheduler/station_check.h"
#include "scheduler/timetable.h"
#include "station_tree.h"
#include "storage/schedule_file.h"

namespace {

std::string writeStation() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "airvane-check-bench";
    std::filesystem::create_directories(folder);
    {
        airvane::MemoryTree tree;
        airvane::bench::buildStation(tree, 1000, 50);
        for (const char* name : {"week.scd", "other.scd"}) airvane::writeScheduleFile(tree, (folder / name).string());
        tree.freeNodeRecords(airvane::kNoNode);
    }
    std::ofstream ini(folder / "station.INI", std::ios::binary);
    ini << "[Config]\r\nFadeoutTime=3\r\nJobFile=" << (folder / "week.scd").string() << "\r\n\r\n[LoadingSchedule]\r\n";
    for (int i = 0; i < 20; ++i) {
        ini << i << "=0 0 0 " << i << " 0 0 -1|" << (folder / (i % 2 ? "other.scd" : "week.scd")).string() << "\r\n";
    }
    ini << "20=\r\n";
    return (folder / "station.INI").string();
}

void CheckStation(benchmark::State& state) {
    airvane::StationCheckRequest request;
    request.configPath = writeStation();
    request.year = 2026, request.month = 12, request.day = 21;
    for (auto _ : state) {
        const std::vector<airvane::StationProblem> problems = airvane::checkStation(request);
        state.counters["problems"] = static_cast<double>(problems.size());
    }
}

void TimetableWeek(benchmark::State& state) {
    const std::string ini = writeStation();
    for (auto _ : state) {
        std::vector<airvane::TimetableDay> week;
        airvane::PlanRequest request;
        request.configPath = ini;
        for (int d = 0; d < 7; ++d) {
            request.year = 2026, request.month = 12, request.day = 21 + d;
            week.push_back(airvane::timetableDay(request, airvane::runPlan(request).actions, 3));
        }
        benchmark::DoNotOptimize(airvane::timetableHtml(week));
    }
}

BENCHMARK(CheckStation)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(TimetableWeek)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
