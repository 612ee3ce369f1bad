// Posts a command to the running Airvane, as its menu would: used by
// scripts/screenshots to open each dialog.
//   usage: post_command ID [selectRoot|selectFirstSchedule]
//          post_command cancel      (cancels the open dialogs)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "../win32/window_search.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: post_command ID [selectRoot|selectFirstSchedule]\n", stderr);
        return 2;
    }
    if (std::string(argv[1]) == "cancel") {
        for (HWND w : airvane::test::topLevelWindows())
            if (airvane::test::isShownDialog(w)) PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
        return 0;
    }
    HWND window = FindWindowA("Airvane", nullptr);
    if (!window) {
        std::fputs("post_command: Airvane is not running\n", stderr);
        return 1;
    }
    if (argc > 2) {
        HWND tree = GetDlgItem(window, 100);
        auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        if (std::string(argv[2]) == "selectFirstSchedule")
            item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
    PostMessageA(window, WM_COMMAND, std::atoi(argv[1]), 0);
    return 0;
}
