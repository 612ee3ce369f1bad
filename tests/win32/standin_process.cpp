#include "standin_process.h"

#include <cstdio>
#include <fstream>

#include "process_start.h"
#include "window_search.h"

namespace airvane::test {

namespace {

std::string standinPath() {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    path.resize(path.rfind('\\'));  // tests\win32
    path.resize(path.rfind('\\'));  // tests
    path.resize(path.rfind('\\'));  // the build tree
    return path + "\\standin\\standin.exe";
}

}  // namespace

StandinProcess::StandinProcess(const std::string& extraOptions, bool shoutcast) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    journal_ = std::string(temp) + "standin-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++counter) + ".log";
    DeleteFileA(journal_.c_str());
    const std::string exe = standinPath();
    const PROCESS_INFORMATION info =
        startProcess(exe, "\"" + exe + "\" --journal \"" + journal_ + "\" " + (shoutcast ? "" : "--no-shoutcast ") +
                              extraOptions);
    if (!info.hProcess) return;
    process_ = info.hProcess;
    WaitForInputIdle(process_, 10000);
    const DWORD id = info.dwProcessId;
    window_ = waitForTopLevel(
        [id](HWND w) { return windowProcess(w) == id && windowClass(w) == "Winamp v1.x"; }, 10000);
    if (window_) return;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    if (code == STILL_ACTIVE) std::fprintf(stderr, "standin.exe showed no window in 10 s; still running\n");
    else std::fprintf(stderr, "standin.exe ended with %lu before it showed its window\n", code);
}

void StandinProcess::kill() {
    if (!process_) return;
    TerminateProcess(process_, 0);
    WaitForSingleObject(process_, 5000);
    CloseHandle(process_);
    process_ = nullptr;
}

StandinProcess::~StandinProcess() {
    kill();
    DeleteFileA(journal_.c_str());
}

std::vector<std::string> StandinProcess::entries(std::size_t count) const {
    std::vector<std::string> lines;
    for (int attempt = 0; attempt < 50; ++attempt) {
        lines.clear();
        std::ifstream in(journal_, std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.size() > 24) lines.push_back(line.substr(24));  // "YYYY-MM-DD HH:MM:SS.mmm "
        }
        if (lines.size() >= count) break;
        Sleep(100);
    }
    return lines;
}

}  // namespace airvane::test
