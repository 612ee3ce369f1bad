#include "standin_process.h"

#include <cstdio>
#include <fstream>

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
    const std::string exe = standinPath();
    const std::string commandLine = "\"" + exe + "\" --journal \"" + journal_ + "\" " +
                                    (shoutcast ? "" : "--no-shoutcast ") + extraOptions;
    // A start refused outright (CreateProcess failed, or the process ended
    // before it showed its window) is tried once more, a second later: seen
    // once in a full run under faketime, never again in 600 starts made the
    // same way. Both reasons are printed; a stand-in that runs without a
    // window is a fault of its own and is not tried again.
    if (!start(exe, commandLine)) {
        Sleep(1000);
        start(exe, commandLine);
    }
}

bool StandinProcess::start(const std::string& exe, std::string commandLine) {
    DeleteFileA(journal_.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::fprintf(stderr, "standin.exe did not start (%s): error %lu\n", exe.c_str(), GetLastError());
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    WaitForInputIdle(process_, 10000);
    const DWORD id = info.dwProcessId;
    window_ = waitForTopLevel(
        [id](HWND w) { return windowProcess(w) == id && windowClass(w) == "Winamp v1.x"; }, 10000);
    if (window_) return true;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    std::fprintf(stderr, "standin.exe showed no window in 10 s; %s %lu\n",
                 code == STILL_ACTIVE ? "still running" : "ended with", code == STILL_ACTIVE ? 0 : code);
    if (code == STILL_ACTIVE) return true;
    kill();
    return false;
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
