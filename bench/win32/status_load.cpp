// The status server under load while programmes change: airvane.exe and
// standin.exe under Wine, eight programmes of 4 s back to back, and 50
// clients asking for status.json (and now and then the page) without pause
// for 30 s. Reports requests per second, answers that were not a whole 200,
// the tick's longest delay past its second (from the heartbeat's
// milliseconds) and the title clock's longest standstill, and how late each
// programme reached the player. It reports, it never fails.
//   status_load.exe FOLDER-OF-AIRVANE.EXE [CLIENTS] [SECONDS]
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "../../tests/e2e/airvane_start.h"
#include "../../tests/e2e/http_client.h"
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

struct Load {
    std::atomic<long> answered{0}, wrong{0}, refused{0}, busy{0};
    std::atomic<int> longestTickMs{0};
};

// A whole answer: the status line and a body that ends as each document does.
bool wholeAnswer(const std::string& answer, bool page) {
    if (answer.rfind("HTTP/1.1 200 OK\r\n", 0) != 0) return false;
    const std::string body = e2e::httpBody(answer);
    return page ? body.find("</html>") != std::string::npos
                : body.size() > 2 && body.substr(body.size() - 2) == "}\n";
}

void client(unsigned short port, DWORD until, Load& load, int index) {
    for (int n = 0; GetTickCount() < until; ++n) {
        const bool page = (n + index) % 10 == 0;
        const std::string answer = e2e::httpGet(port, page ? "/" : "/status.json");
        if (answer.empty()) {
            ++load.refused;
            continue;
        }
        if (answer.rfind("HTTP/1.1 503 ", 0) == 0) {
            ++load.busy;
            continue;
        }
        if (!wholeAnswer(answer, page)) {
            ++load.wrong;
            continue;
        }
        ++load.answered;
        if (page) continue;
        // The tick's lateness past its second: the heartbeat's milliseconds.
        const std::string beat = e2e::jsonMember(e2e::httpBody(answer), "heartbeat");
        if (beat.size() == 23) {
            const int ms = std::atoi(beat.c_str() + 20);
            int seen = load.longestTickMs;
            while (ms > seen && !load.longestTickMs.compare_exchange_weak(seen, ms)) {
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: status_load FOLDER-OF-AIRVANE.EXE [CLIENTS] [SECONDS]\n");
        return 2;
    }
    const std::string build = argv[1];
    const int clients = argc > 2 ? std::atoi(argv[2]) : 50;
    const int seconds = argc > 3 ? std::atoi(argv[3]) : 30;
    const unsigned short port = static_cast<unsigned short>(20000 + GetCurrentProcessId() % 20000);
    const std::string folder = build + "\\bench-run-status";
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA((build + "\\airvane.exe").c_str(), (folder + "\\airvane.exe").c_str(), FALSE);
    CopyFileA((build + "\\companion.exe").c_str(), (folder + "\\WINAMP.EXE").c_str(), FALSE);
    DeleteFileA((folder + "\\airvane.INI").c_str());
    test::StandinProcess player("--track-seconds 600", true);
    if (!player.window()) {
        std::printf("standin.exe did not start\n");
        return 1;
    }
    const int t0 = e2e::secondOfDayNow() + 10;
    const int programmes = seconds / 4;
    std::string job = "Airvane Data V1.0\r\n";
    for (int i = 0; i < programmes; ++i) {
        const std::string title = "P" + std::to_string(i + 1);
        job += e2e::programmeEntry(t0 + 4 * i, t0 + 4 * i + 4, title.c_str());
    }
    std::ofstream(folder + "\\week.scd", std::ios::binary) << job << "\r\n";
    std::ofstream(folder + "\\airvane.INI", std::ios::binary)
        << "[Config]\r\nJobFile=" << folder << "\\week.scd\r\nFadeoutTime=1\r\nStatusPort=" << port
        << "\r\nNowPlayingFile=" << folder << "\\now.txt\r\n";
    const PROCESS_INFORMATION airvane = e2e::startAirvane(folder);
    HWND window = e2e::waitForAirvaneWindow(airvane.dwProcessId, 15000);
    if (!window) {
        std::printf("airvane.exe showed no window\n");
        return 1;
    }
    // The clients start with the first programme and run for `seconds`.
    while (e2e::secondOfDayNow() < t0) Sleep(50);
    Load load;
    const DWORD from = GetTickCount(), until = from + static_cast<DWORD>(seconds) * 1000;
    std::vector<std::thread> threads;
    for (int i = 0; i < clients; ++i) threads.emplace_back(client, port, until, std::ref(load), i);
    const e2e::ClockWatch watch =
        e2e::watchClockUntilDialog(window, airvane.dwProcessId, until - GetTickCount());
    for (std::thread& thread : threads) thread.join();
    const double elapsed = (GetTickCount() - from) / 1000.0;
    const std::string journal = readAll(player.journalPath());
    int reached = 0, onSecond = 0, latest = 0;
    for (int i = 0; i < programmes; ++i) {
        const auto stamp =
            e2e::journalStampOf(journal, "IPC_PLAYFILE " + folder + "\\P" + std::to_string(i + 1) + ".m3u");
        if (stamp.at == std::string::npos) continue;
        ++reached;
        const int late = millisOfDay(stamp.time) - (t0 + 4 * i) * 1000;
        if (late >= 0 && late < 1000) ++onSecond;
        latest = std::max(latest, late);
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(airvane.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(airvane.hProcess, 1);
    CloseHandle(airvane.hProcess);
    CloseHandle(airvane.hThread);
    std::printf(
        "%d clients, %.1f s: %ld answers (%.0f requests/s), %ld not whole, %ld busy (503), %ld without an "
        "answer\n",
        clients, elapsed, load.answered.load(), load.answered / elapsed, load.wrong.load(), load.busy.load(),
        load.refused.load());
    std::printf("tick's longest delay past its second %d ms; title clock's longest standstill %lu ms\n",
                load.longestTickMs.load(), watch.longestSilence);
    std::printf("programmes reached %d of %d, %d in their second, latest %d ms after its second\n", reached,
                programmes, onSecond, latest);
    return 0;
}
