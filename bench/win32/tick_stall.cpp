// How long the tick stands still while the player's title changes: airvane.exe
// and standin.exe under Wine, five programmes of 4 s back to back (each a
// title change), once with a healthy player and once with one whose file-info
// box never appears. Reports the longest standstill of the title clock, how
// late each programme reached the player, and how long the exit took.
//   tick_stall.exe FOLDER-OF-AIRVANE.EXE
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "../../tests/e2e/airvane_start.h"
#include "../../tests/e2e/programme_times.h"
#include "../../tests/win32/standin_process.h"

namespace {

using namespace airvane;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int millisOfDay(const std::string& stamp) {  // "HH:MM:SS.mmm"
    int h = 0, m = 0, s = 0, ms = 0;
    std::sscanf(stamp.c_str(), "%d:%d:%d.%d", &h, &m, &s, &ms);
    return ((h * 60 + m) * 60 + s) * 1000 + ms;
}

void runCase(const std::string& build, const char* name, const std::string& standinOptions) {
    const std::string folder = build + "\\bench-run-" + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA((build + "\\airvane.exe").c_str(), (folder + "\\airvane.exe").c_str(), FALSE);
    CopyFileA((build + "\\companion.exe").c_str(), (folder + "\\WINAMP.EXE").c_str(), FALSE);
    DeleteFileA((folder + "\\airvane.INI").c_str());
    test::StandinProcess player("--track-seconds 600 " + standinOptions, true);
    if (!player.window()) {
        std::printf("%-10s standin.exe did not start\n", name);
        return;
    }
    const int t0 = e2e::secondOfDayNow() + 8;
    const char* titles[] = {"P1", "P2", "P3", "P4", "P5"};
    std::string job = "Airvane Data V1.0\r\n";
    for (int i = 0; i < 5; ++i) job += e2e::programmeEntry(t0 + 4 * i, t0 + 4 * i + 4, titles[i]);
    std::ofstream(folder + "\\week.scd", std::ios::binary) << job << "\r\n";
    std::ofstream(folder + "\\airvane.INI", std::ios::binary)
        << "[Config]\r\nJobFile=" << folder << "\\week.scd\r\nFadeoutTime=1\r\n";
    const PROCESS_INFORMATION airvane = e2e::startAirvane(folder);
    HWND window = e2e::waitForAirvaneWindow(airvane.dwProcessId, 15000);
    if (!window) {
        std::printf("%-10s airvane.exe showed no window\n", name);
        return;
    }
    const DWORD watchMs = static_cast<DWORD>((t0 + 24 - e2e::secondOfDayNow()) * 1000);
    const e2e::ClockWatch watch = e2e::watchClockUntilDialog(window, airvane.dwProcessId, watchMs);
    const std::string journal = readAll(player.journalPath());
    int reached = 0, latest = 0;
    for (int i = 0; i < 5; ++i) {
        const auto stamp = e2e::journalStampOf(journal, "IPC_PLAYFILE " + folder + "\\" + titles[i] + ".m3u");
        if (stamp.at == std::string::npos) continue;
        ++reached;
        latest = std::max(latest, millisOfDay(stamp.time) - (t0 + 4 * i) * 1000);
    }
    const DWORD exitFrom = GetTickCount();
    PostMessageA(window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(airvane.hProcess, 15000) == WAIT_OBJECT_0;
    const DWORD exitMs = GetTickCount() - exitFrom;
    if (!ended) TerminateProcess(airvane.hProcess, 1);
    CloseHandle(airvane.hProcess);
    CloseHandle(airvane.hThread);
    std::printf("%-10s longest standstill %5lu ms   programmes reached %d of 5, latest %5d ms after its second   "
                "exit %s %lu ms\n",
                name, watch.longestSilence, reached, latest, ended ? "in" : "not done after", exitMs);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tick_stall FOLDER-OF-AIRVANE.EXE\n");
        return 2;
    }
    runCase(argv[1], "healthy", "");
    runCase(argv[1], "no-box", "--no-file-info");
    runCase(argv[1], "hung-id3", "--hang-on WINAMP_EDIT_ID3");
    return 0;
}
