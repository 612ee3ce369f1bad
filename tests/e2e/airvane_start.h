// Starting airvane.exe from its folder and finding its main window, for the
// scenarios and for the harnesses that measure or kill it.
#pragma once

#include <windows.h>

#include <string>

#include "../win32/window_search.h"

namespace airvane::e2e {

// airvane.exe of folder, started there; empty information when it did not start.
inline PROCESS_INFORMATION startAirvane(const std::string& folder) {
    const std::string exe = folder + "\\airvane.exe";
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info)) {
        return {};
    }
    CloseHandle(info.hThread);
    info.hThread = nullptr;
    return info;
}

// The main window of that process, once shown: only then has it made its
// controls and run its initialisation.
inline HWND waitForAirvaneWindow(DWORD processId, DWORD milliseconds) {
    return test::waitForTopLevel(
        [processId](HWND w) {
            return test::windowProcess(w) == processId && IsWindowVisible(w) && test::windowClass(w) == "Airvane";
        },
        milliseconds);
}

}  // namespace airvane::e2e
