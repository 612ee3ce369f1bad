// How fast the drive search walks a folder tree (files per second), and,
// under Wine, the longest pause of Airvane's tick while it searches its
// drives. Reports; it never fails on a figure.
//   build/native/bench/program_search_bench TREE FILES
//   wine program_search_bench.exe TREE FILES [FOLDER-WITH-AIRVANE.EXE]
// bench/program-search makes the tree and runs both.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/program_search.h"
#ifdef _WIN32
#include "../tests/e2e/airvane_start.h"
#else
#include <time.h>
#endif

namespace {

// <chrono> does not build in the program's code page: a clock of our own.
double secondsNow() {
#ifdef _WIN32
    return GetTickCount64() / 1000.0;
#else
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
#endif
}

void walkTree(std::string tree, long files) {
    if (tree.back() != '\\') tree += '\\';
    const std::atomic<bool> stop{false};
    for (const char* pass : {"first walk", "second walk"}) {
        const double start = secondsNow();
        const bool found = airvane::findProgramUnder(tree, "NOT-THERE.EXE", stop).has_value();
        const double seconds = secondsNow() - start;
        std::printf("%s of %ld files: %.2f s, %.0f files/s%s\n", pass, files, seconds, files / seconds,
                    found ? " (found a copy!)" : "");
    }
}

#ifdef _WIN32
// Airvane of folder searches every fixed drive for a program that is
// nowhere; its title clock is watched until the message comes.
void tickDuringSearch(const std::string& folder) {
    PROCESS_INFORMATION airvane = airvane::e2e::startAirvane(folder);
    HWND window = airvane::e2e::waitForAirvaneWindow(airvane.dwProcessId, 15000);
    if (!window) {
        std::printf("airvane.exe did not start in %s\n", folder.c_str());
        return;
    }
    Sleep(1500);
    const DWORD start = GetTickCount();
    PostMessageA(window, WM_COMMAND, 119, 0);
    const auto watch = airvane::e2e::watchClockUntilDialog(window, airvane.dwProcessId, 600000);
    std::printf("Airvane searched its drives for %lu ms; its tick paused for at most %lu ms\n",
                GetTickCount() - start, watch.longestSilence);
    TerminateProcess(airvane.hProcess, 0);
    CloseHandle(airvane.hProcess);
}
#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: program_search_bench TREE FILES [AIRVANE-FOLDER]\n");
        return 2;
    }
    walkTree(argv[1], std::atol(argv[2]));
#ifdef _WIN32
    if (argc > 3) tickDuringSearch(argv[3]);
#endif
    return 0;
}
