#include "app/main_window_win32.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <cstdio>
#include <cstring>
#include <utility>

#include "app/app_state.h"
#include "app/keep_on_air_win32.h"
#include "app/main_commands_win32.h"
#include "app/monitor_host_win32.h"
#include "app/on_air_win32.h"
#include "app/player_commands_win32.h"
#include "app/scheduler_host_win32.h"
#include "app/status_host_win32.h"
#include "app/toolbar_win32.h"
#include "app/tree_mouse_win32.h"
#include "dialogs/dialog_font_win32.h"
#include "dialogs/loading_dialogs_win32.h"
#include "dialogs/preferences_win32.h"
#include "model/tree_images_win32.h"
#include "resources/resource.h"
#include "scheduler/system_clock_win32.h"
#include "scheduler/tick_pacer.h"
#include "storage/message_box_win32.h"
#include "storage/schedule_file.h"

namespace airvane {

namespace {

constexpr UINT_PTR kWinampSearchTimer = 1;
constexpr UINT_PTR kTickTimer = 2;
constexpr UINT_PTR kNowPlayingTimer = 4;
constexpr const char* kWinampClass = "Winamp v1.x";

void setStatus(AppState& state, const char* text) { SetDlgItemTextA(state.mainWindow, IDC_STATUS_LINE, text); }

void checkSchedulerMenu(HWND window, bool on) {
    CheckMenuItem(GetMenu(window), CMD_TOGGLE_SCHEDULER, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

// The player's buttons follow whether its window is known.
void showPlayerFound(AppState& state, bool found) {
    enableToolbarButton(state.mainWindow, CMD_PLAY, found);
    enableToolbarButton(state.mainWindow, CMD_STOP, found);
    enableToolbarButton(state.mainWindow, CMD_RUN_WINAMP, !found);
}

// Every 4 s; every second for the first seconds after KeepOnAir started
// the player, so that the programme is back on air the sooner.
UINT playerSearchPeriod(const AppState& state) {
    const bool justStarted = state.settings.keepOnAir && state.playerStarted &&
                             GetTickCount() - state.playerStartedAt < 10'000;
    return justStarted ? 1000 : 4000;
}

void onWinampSearch(AppState& state) {
    state.winampWindow = FindWindowA(kWinampClass, nullptr);
    if (!state.winampWindow) {
        restartMissingPlayer(state);
        SetTimer(state.mainWindow, kWinampSearchTimer, playerSearchPeriod(state), nullptr);
        return;
    }
    KillTimer(state.mainWindow, kWinampSearchTimer);
    notePlayerFound(state);
    setStatus(state, "WinAmp를 찾았습니다");
    showPlayerFound(state, true);
    payBackOwedVolume(state);
    rejoinOnAir(state);
}

// "Airvane 2.02 - 13:05:09": the title keeps one clock, whatever came before.
void updateTitleClock(HWND window) {
    char title[60] = "";
    GetWindowTextA(window, title, sizeof title);
    if (char* dash = std::strchr(title, '-')) *dash = '\0';
    else std::strncat(title, " ", sizeof title - std::strlen(title) - 1);
    SYSTEMTIME now;
    GetLocalTime(&now);
    char clock[32];
    std::snprintf(clock, sizeof clock, "- %02d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
    SetWindowTextA(window, (std::string(title) + clock).c_str());
}

void onTick(AppState& state) {
    updateTitleClock(state.mainWindow);
    writeHeldOnAirRows(state);
    if (state.scheduleDirty != state.shownScheduleDirty || state.loadingDirty != state.shownLoadingDirty) {
        enableToolbarButton(state.mainWindow, CMD_SAVE, state.scheduleDirty || state.loadingDirty);
        state.shownScheduleDirty = state.scheduleDirty;
        state.shownLoadingDirty = state.loadingDirty;
    }
    if (state.winampWindow && IsWindow(state.winampWindow)) {
        if (state.schedulerOn) runSchedulerTick(state);
        watchAir(state);
        // The monitor runs with the scheduler: the tracks are watched with it.
        if (state.schedulerOn) watchTracks(state);
        retryOwedVolume(state);
        keepOnAirTick(state);
    } else if (state.winampWindow) {
        // At start the first search may have failed: the player is being
        // started then, not lost.
        const bool gone = state.winampWindow != kNotLookedFor;
        if (gone) {
            notePlayerLost(state);
            keepOnAirPlayerLost(state);
        }
        state.winampWindow = nullptr;
        setStatus(state, "WinAmp를 실행하세요");
        showPlayerFound(state, false);
        restartMissingPlayer(state);
        SetTimer(state.mainWindow, kWinampSearchTimer, playerSearchPeriod(state), nullptr);
    } else {
        watchWithoutPlayer(state);
        keepOnAirWithoutPlayer(state);
    }
    // Last: the snapshot shows what this tick did.
    publishStatus(state);
}

// The tick's timer is armed anew at each run for just past the next turn
// of the second, so that programmes reach the player on their second.
void armTickTimer(AppState& state, const LocalTime& now) {
    SetTimer(state.mainWindow, kTickTimer, TickPacer::delayToNextRun(now), nullptr);
}

void onTickTimer(AppState& state) {
    const LocalTime now = SystemClock().now();
    armTickTimer(state, now);
    if (state.tickPacer.newSecond(now)) onTick(state);
}

void onTimer(AppState& state, UINT_PTR timer) {
    switch (timer) {
        case kWinampSearchTimer:
            onWinampSearch(state);
            break;
        case kTickTimer:
            onTickTimer(state);
            break;
        case kDragExpandTimer:
            expandDragTarget(state);
            break;
        case kNowPlayingTimer:
            KillTimer(state.mainWindow, kNowPlayingTimer);
            markPlayingItemAgain(state);
            break;
        default:
            break;
    }
}

BOOL onInitDialog(HWND window, AppState& state) {
    state.mainWindow = window;
    state.tree = std::make_unique<TreeViewTree>(GetDlgItem(window, IDC_SCHEDULE_TREE));
    state.treeImages = createTreeImages(state.instance);
    state.tree->setTreeImages(state.treeImages);
    subclassTreeForMarks(state.tree->window());
    DragAcceptFiles(window, TRUE);
    setUpToolbar(GetDlgItem(window, IDC_TOOLBAR), state.instance);
    checkSchedulerMenu(window, state.schedulerOn);
    showJobFile(state, jobFilePath(state.config), false);
    state.loadingDirty = false;
    state.scheduleDirty = false;
    freeLoadingList(state.loadingList);
    loadLoadingList(state.loadingList, state.config);
    state.settings = readSettings(state.config);
    followStatusSettings(state);
    SendMessageA(window, WM_TIMER, kWinampSearchTimer, 0);
    if (!state.winampWindow) state.winampWindow = kNotLookedFor;
    armTickTimer(state, SystemClock().now());
    state.companions = std::make_unique<CompanionLauncher>(window, GetDlgItem(window, IDC_STATUS_LINE), state.config);
    state.conversation = std::make_unique<PlayerConversation>(window, kPlayingPathAnswer, kTrackAnswer);
    // Under KeepOnAir the start is a restart's: an unattended start of
    // Airvane shows no box and does not start a player already running.
    if (!state.settings.keepOnAir) PostMessageA(window, WM_COMMAND, CMD_RUN_WINAMP, 0);
    else if (state.winampWindow == kNotLookedFor) restartMissingPlayer(state);
    return TRUE;
}

// The companion programs, each started by its command and remembered under
// its file name.
struct Companion {
    int command;
    const char* fileName;
};
constexpr Companion kCompanions[] = {
    {CMD_RUN_WINAMP, "WINAMP.EXE"}, {CMD_FIND_SONG, "FINDMP3.EXE"}, {CMD_TAG_EDITOR, "TAGEDIT.EXE"},
    {CMD_XTRACK, "XTRACK.EXE"},     {CMD_CLOCK, "NETTIME.EXE"},
};

void onCommand(AppState& state, int command) {
    HWND window = state.mainWindow;
    for (const Companion& companion : kCompanions) {
        if (companion.command == command) {
            if (command == CMD_RUN_WINAMP) startPlayer(state);
            else state.companions->launch(companion.fileName);
            return;
        }
    }
    switch (command) {
        case CMD_OK:
            if (GetDlgCtrlID(GetFocus()) == IDC_SCHEDULE_TREE) PostMessageA(window, WM_COMMAND, CMD_EDIT, 0);
            break;
        case CMD_CANCEL:
            ShowWindow(window, SW_MINIMIZE);
            break;
        case CMD_PREFERENCES:
            if (editPreferences(window, state.frame(), state.settings) == IDOK) followStatusSettings(state);
            break;
        case CMD_EXIT:
            exitCommand(state);
            break;
        case CMD_PLAY:
            playCommand(state);
            break;
        case CMD_STOP:
            stopCommand(state);
            break;
        case CMD_ADD:
            addCommand(state);
            break;
        case CMD_DELETE:
            deleteCommand(state);
            break;
        case CMD_EDIT:
            editCommand(state);
            break;
        case CMD_SAVE:
            saveCommand(state);
            break;
        case CMD_OPEN_SCHEDULE:
            openScheduleCommand(state);
            break;
        case CMD_SAVE_AS:
            saveAsCommand(state);
            break;
        case CMD_LOADING_SCHEDULES:
            manageLoadingSchedules(window, state.frame(), state.loadingList, state.loadingDirty);
            break;
        case CMD_TOGGLE_SCHEDULER:
            state.schedulerOn = !state.schedulerOn;
            checkSchedulerMenu(window, state.schedulerOn);
            break;
        case CMD_SHOW_LOG:
            showTodaysLog(state.programFolder);
            break;
        default:
            break;
    }
}

INT_PTR onNotify(AppState& state, LPARAM lParam) {
    const auto* header = reinterpret_cast<NMHDR*>(lParam);
    switch (header->code) {
        case TTN_NEEDTEXTA:
            fillTooltip(lParam, state.instance);
            return 0;
        case TVN_KEYDOWN: {
            const auto* key = reinterpret_cast<NMTVKEYDOWN*>(lParam);
            if (key->wVKey == VK_INSERT) PostMessageA(state.mainWindow, WM_COMMAND, CMD_ADD, 0);
            if (key->wVKey == VK_DELETE) PostMessageA(state.mainWindow, WM_COMMAND, CMD_DELETE, 0);
            return 0;
        }
        case TVN_BEGINDRAGA:
            beginItemDrag(state, *reinterpret_cast<NMTREEVIEWA*>(lParam));
            return 0;
        case TVN_ITEMEXPANDEDA:
            SetTimer(state.mainWindow, kNowPlayingTimer, 2000, nullptr);
            return 0;
        case NM_DBLCLK:
            PostMessageA(state.mainWindow, WM_COMMAND, CMD_EDIT, 0);
            return 0;
        default:
            return 0;
    }
}

void onSize(AppState& state, WPARAM wParam, LPARAM lParam) {
    auto change = sizeChange(state.frame(), state.mainWindow, wParam, lParam);
    if (!change) return;
    RECT tree = controlScreenRect(state.mainWindow, IDC_SCHEDULE_TREE);
    shiftChildren(state.mainWindow, {tree.left + 3, tree.top + 1}, *change);
}

INT_PTR CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        // Known before the frame restores the remembered size, so that the
        // WM_SIZE it sends moves the children.
        reinterpret_cast<AppState*>(lParam)->mainWindow = window;
    }
    auto* statePointer = reinterpret_cast<AppState*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!statePointer) return FALSE;
    AppState& state = *statePointer;
    frameHandler(state.frame(), window, message, wParam, true);
    switch (message) {
        case WM_INITDIALOG:
            return onInitDialog(window, state);
        case WM_COMMAND:
            onCommand(state, LOWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            SetWindowLongPtrA(window, DWLP_MSGRESULT, onNotify(state, lParam));
            return TRUE;
        case WM_TIMER:
            onTimer(state, wParam);
            return FALSE;
        case WM_SIZE:
            onSize(state, wParam, lParam);
            return FALSE;
        case WM_GETMINMAXINFO:
            setMinimumTrackingSize(lParam, 130, 100);
            return FALSE;
        case WM_CLOSE:
            PostMessageA(window, WM_COMMAND, CMD_EXIT, 0);
            return TRUE;
        case kShowNotice:
            if (!state.pendingNotice.empty()) showMessage(window, std::exchange(state.pendingNotice, {}), kMsgOk);
            return TRUE;
        case WM_MOUSEMOVE:
            if (state.itemDrag.dragging) dragOver(state, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return FALSE;
        case WM_LBUTTONUP:
            endItemDrag(state, true);
            return FALSE;
        case WM_CAPTURECHANGED:
            endItemDrag(state, false);
            return FALSE;
        case WM_DROPFILES:
            dropFiles(state, reinterpret_cast<HDROP>(wParam));
            return TRUE;
        case kSearchReport:
            if (state.companions) state.companions->applyReports();
            return TRUE;
        case kPlayingPathAnswer:
            takePlayingPathAnswer(state);
            return TRUE;
        case kTrackAnswer:
            takeTrackAnswer(state);
            return TRUE;
        case kOnAirRowPosted:
            takeWorkerReports(state);
            return TRUE;
        case kAlertNotStarted:
            alertNotStarted(state, lParam);
            return TRUE;
        case kRejoinAnswer:
            takeRejoinAnswer(state, wParam, lParam);
            return TRUE;
        case kPlayerStartAnswer:
            takePlayerStartAnswer(state, wParam);
            return TRUE;
        case WM_DESTROY:
            writeHeldOnAirRows(state);  // a last try: rows still refused now are lost
            state.companions.reset();  // a search running now ends here, unapplied
            state.conversation.reset();
            stopStatusServer(state);
            PostQuitMessage(0);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefDlgProcA;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;  // a dialog-based class needs the dialog's own extra bytes
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_AIRVANE));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

HWND createMainWindow(AppState& state) {
    return CreateDialogIndirectParamA(state.instance, dialogTemplate(state.instance, IDD_MAIN), nullptr,
                                      mainWindowProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace airvane
