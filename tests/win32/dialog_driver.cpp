#include "dialog_driver.h"

#include <string>

namespace airvane::test {

namespace {
struct Search {
    HWND owner;  // null: any
    HWND found;
};

BOOL CALLBACK findDialog(HWND w, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    char cls[32];
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(w) && GetClassNameA(w, cls, sizeof cls) &&
        std::string(cls) == "#32770" && (!search->owner || GetWindow(w, GW_OWNER) == search->owner)) {
        search->found = w;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND waitForDialogOwnedBy(HWND owner) {
    for (int i = 0; i < 200; ++i) {
        Search search{owner, nullptr};
        EnumWindows(findDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    return nullptr;
}

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
