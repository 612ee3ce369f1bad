// Finding the top-level windows of this or another process, for tests that
// drive programs and dialogs from outside.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace airvane::test {

inline std::string windowClass(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

inline DWORD windowProcess(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

// A visible dialog: shown only once it has its controls and their texts.
inline bool isShownDialog(HWND window) { return IsWindowVisible(window) && windowClass(window) == "#32770"; }

inline std::vector<HWND> topLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// The first top-level window that matches, looking again every 100 ms up to
// milliseconds (at least once); null when none came.
template <typename Match>
HWND waitForTopLevel(Match match, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        for (HWND window : topLevelWindows())
            if (match(window)) return window;
        if (GetTickCount() - start >= milliseconds) return nullptr;
        Sleep(100);
    }
}

}  // namespace airvane::test
