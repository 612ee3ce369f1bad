#include "dialog_driver.h"

#include <string>

namespace airvane::test {

HWND waitForDialog() {
    for (int i = 0; i < 200; ++i) {
        HWND found = nullptr;
        EnumWindows(
            [](HWND w, LPARAM out) -> BOOL {
                char cls[32];
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == GetCurrentProcessId() && IsWindowVisible(w) && GetClassNameA(w, cls, sizeof cls) &&
                    std::string(cls) == "#32770") {
                    *reinterpret_cast<HWND*>(out) = w;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        if (found) return found;
        Sleep(50);
    }
    return nullptr;
}

}  // namespace airvane::test
