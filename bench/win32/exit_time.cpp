// How long Airvane takes to go once told to: from WM_CLOSE (or from the
// answer to the save prompt) until its window is gone and until its process
// has ended, with nothing unsaved, after a message box, and after the save
// prompt. Reports; it never fails on a figure.
//   scripts/wine-run build/win/bench/win32/exit_time.exe D:\win\src
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "../../tests/e2e/airvane_start.h"

namespace {

using namespace airvane::test;

struct Airvane {
    PROCESS_INFORMATION info{};
    HWND window = nullptr;

    explicit Airvane(const std::string& folder) : info(airvane::e2e::startAirvane(folder)) {
        if (!info.hProcess) return;
        window = airvane::e2e::waitForAirvaneWindow(info.dwProcessId, 15000);
        Sleep(1500);  // settled: the first ticks have run
    }
    ~Airvane() {
        if (!info.hProcess) return;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 99);
        CloseHandle(info.hProcess);
    }
    // Answers the next dialog with button; the time of the answer. Waits a
    // moment for the dialog to go, unless the answer starts a measurement.
    DWORD answer(int button, bool settle = true) {
        const DWORD id = info.dwProcessId;
        HWND box = waitForTopLevel([id](HWND w) { return windowProcess(w) == id && isShownDialog(w); }, 10000);
        const DWORD at = GetTickCount();
        if (box) PostMessageA(box, WM_COMMAND, button, 0);
        Sleep(box && settle ? 300 : 0);
        return box ? at : 0;
    }
    void commandOnTheRoot(int command) {
        HWND tree = GetDlgItem(window, 100);
        LPARAM root = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, root);
        PostMessageA(window, WM_COMMAND, command, 0);
    }
    void report(const char* name, DWORD from) {
        while (IsWindowVisible(window) && GetTickCount() - from < 20000) Sleep(2);
        const DWORD gone = GetTickCount() - from;
        WaitForSingleObject(info.hProcess, 20000);
        std::printf("%-26s window gone after %5lu ms, process ended after %5lu ms\n", name, gone,
                    GetTickCount() - from);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: exit_time FOLDER-OF-AIRVANE.EXE\n");
        return 2;
    }
    const std::string folder = argv[1];
    for (int round = 0; round < 3; ++round) {
        {
            Airvane airvane(folder);
            PostMessageA(airvane.window, WM_CLOSE, 0, 0);
            airvane.report("nothing unsaved", GetTickCount());
        }
        {
            Airvane airvane(folder);
            airvane.commandOnTheRoot(108);  // "여기는 수정할 수 없습니다"
            airvane.answer(IDOK);
            const DWORD at = GetTickCount();
            PostMessageA(airvane.window, WM_CLOSE, 0, 0);
            airvane.report("after a message box", at);
        }
        {
            Airvane airvane(folder);
            airvane.commandOnTheRoot(107);  // delete everything: unsaved changes
            airvane.answer(IDOK);
            PostMessageA(airvane.window, WM_CLOSE, 0, 0);
            airvane.report("save prompt answered No", airvane.answer(IDNO, false));
        }
    }
    return 0;
}
