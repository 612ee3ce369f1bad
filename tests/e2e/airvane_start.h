// Starting airvane.exe from its folder and finding its main window, for the
// scenarios and for the harnesses that measure or kill it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "../win32/process_start.h"
#include "../win32/window_search.h"

namespace airvane::e2e {

// airvane.exe of folder, started there; empty information when it did not start.
inline PROCESS_INFORMATION startAirvane(const std::string& folder) {
    const std::string exe = folder + "\\airvane.exe";
    return test::startProcess(exe, "\"" + exe + "\"", folder.c_str());
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

// Watches the main window's title, whose clock turns with every tick, until
// a dialog of the process comes or milliseconds pass: the longest time the
// clock stood still (the wait for the dialog counted), and the dialog.
struct ClockWatch {
    DWORD longestSilence = 0;
    HWND dialog = nullptr;
};
inline ClockWatch watchClockUntilDialog(HWND window, DWORD processId, DWORD milliseconds) {
    ClockWatch watch;
    char title[100] = "", seen[100] = "";
    GetWindowTextA(window, seen, sizeof seen);
    DWORD lastTurn = GetTickCount();
    for (const DWORD start = lastTurn; !watch.dialog && GetTickCount() - start < milliseconds; Sleep(20)) {
        GetWindowTextA(window, title, sizeof title);
        const DWORD now = GetTickCount();
        if (strcmp(title, seen) != 0) {
            strcpy(seen, title);
            lastTurn = now;
        }
        watch.longestSilence = std::max(watch.longestSilence, now - lastTurn);
        watch.dialog = test::waitForTopLevel(
            [processId](HWND w) { return test::windowProcess(w) == processId && test::isShownDialog(w); }, 0);
    }
    return watch;
}

}  // namespace airvane::e2e
