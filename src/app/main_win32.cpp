// The process entry: one instance per desktop, the two places beside the
// executable, the main window and the one message loop.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/app_state.h"
#include "app/main_window_win32.h"
#include "app/startup_checks_win32.h"
#include "player/player_win32.h"
#include "player/workers.h"
#include "storage/filesystem.h"
#include "storage/program_paths.h"

namespace airvane {

namespace {

// The executable's full path, however long: GetModuleFileName cuts silently,
// so grow the buffer until the path fits.
std::string modulePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size() - 1) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

int runMessageLoop(AppState& state) {
    MSG message{};
    // GetMessage returns -1 on an error; only WM_QUIT (0) ends the loop.
    while (GetMessageA(&message, nullptr, 0, 0) != 0) {
        if (state.modeless.offer(message)) continue;
        if (IsDialogMessageA(state.mainWindow, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int startUp(HINSTANCE instance, int showCommand) {
    if (HWND running = FindWindowA(kMainWindowClass, nullptr)) {
        ShowWindow(running, SW_SHOWNORMAL);
        SetForegroundWindow(running);
        return 0;
    }
    if (!koreanCodePageOrSaySo()) return 1;

    const std::string module = modulePath();
    const std::string logDirectory = logDirectoryFor(module);
    AppState state(instance, configFileFor(module), logDirectory.substr(0, logDirectory.size() - 4));
    state.modeless.clear();
    state.currWndSizeAtom = GlobalAddAtomA("CurrWndSize");
    state.volumeLedger = std::make_shared<VolumeLedger>(volumeNotePath(state.programFolder));

    // Said once the window is up, so that the station goes on air meanwhile.
    state.pendingNotice = programFolderProblem(state.programFolder);
    if (pathKind(logDirectory) != 2) makeDirectory(logDirectory);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    registerMainWindowClass(instance);

    int exitCode = 0;
    if (HWND window = createMainWindow(state)) {
        ShowWindow(window, showCommand);
        UpdateWindow(window);
        if (!state.pendingNotice.empty()) PostMessageA(window, kShowNotice, 0, 0);
        exitCode = runMessageLoop(state);
    }
    // A fade still running puts the volume back before the process goes;
    // a player that hangs holds it at most the two seconds of a message.
    // A worker may answer the stop, the hand-over and the restore each
    // after a bound.
    waitForWorkers(state.settings.fadeoutTime * 1000 + 3 * static_cast<int>(WinampPlayer::kAnswerTimeoutMs));
    // What they reported after the window went is written all the same.
    takeWorkerReports(state);

    GlobalDeleteAtom(state.currWndSizeAtom);
    state.modeless.destroyAll();
    return exitCode;
}

}  // namespace

}  // namespace airvane

// MinGW's start-up code does what the entry must: the show command comes
// from the start-up information (SW_SHOWDEFAULT without it) and the command
// tail follows the program name. No argument is used.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return airvane::startUp(instance, showCommand);
}
