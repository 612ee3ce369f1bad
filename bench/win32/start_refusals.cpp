// How often Wine refuses to start a program, and whether the tests' retry
// gets each of those starts through: starts a program that ends at once
// (this one, with --child) COUNT times back to back. Reports; it never fails
// on a figure. Through scripts/wine-run (no address randomisation), and with
// plain wine, from build/, to see the refusals that scripts/wine-start takes
// away:
//   scripts/wine-run build/win/bench/win32/start_refusals.exe 20000
//   (cd build && WINEPREFIX=$PWD/wineprefix wine 'D:\win\bench\win32\start_refusals.exe' 20000)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "../../tests/win32/process_start.h"

namespace {

std::map<DWORD, int> refusals;  // by error

BOOL WINAPI countingCreate(LPCSTR exe, LPSTR commandLine, LPSECURITY_ATTRIBUTES process, LPSECURITY_ATTRIBUTES thread,
                           BOOL inherit, DWORD flags, LPVOID environment, LPCSTR folder, LPSTARTUPINFOA startup,
                           LPPROCESS_INFORMATION info) {
    if (CreateProcessA(exe, commandLine, process, thread, inherit, flags, environment, folder, startup, info))
        return TRUE;
    const DWORD error = GetLastError();
    ++refusals[error];
    SetLastError(error);
    return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) return 0;
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string commandLine = std::string("\"") + self + "\" --child";
    int failed = 0, badExits = 0;
    const DWORD start = GetTickCount();
    for (int i = 0; i < count; ++i) {
        const PROCESS_INFORMATION child = airvane::test::startProcess(self, commandLine, nullptr, countingCreate);
        if (!child.hProcess) {
            ++failed;
            continue;
        }
        WaitForSingleObject(child.hProcess, 10000);
        DWORD code = 1;
        GetExitCodeProcess(child.hProcess, &code);
        if (code != 0) ++badExits;
        CloseHandle(child.hProcess);
    }
    std::printf("%d starts in %lu s; refusals:", count, (GetTickCount() - start) / 1000);
    if (refusals.empty()) std::printf(" none;");
    for (const auto& [error, times] : refusals) std::printf(" %d with error %lu;", times, error);
    std::printf(" not started after the retry: %d; ended with an error: %d\n", failed, badExits);
    return 0;
}
