// The program's state: one struct, owned by the entry, reached by the main
// window through its user data. Everything here lives on the UI thread.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/keep_on_air_win32.h"
#include "app/modeless_list_win32.h"
#include "app/on_air_win32.h"
#include "app/status_host_win32.h"
#include "app/tree_mouse_win32.h"
#include "dialogs/dialog_frame_win32.h"
#include "monitor/last_title.h"
#include "monitor/now_playing.h"
#include "monitor/player_conversation_win32.h"
#include "monitor/track_watch.h"
#include "onair/alert.h"
#include "onair/on_air_record.h"
#include "onair/fallback_watch.h"
#include "onair/silence_watch.h"
#include "player/volume_ledger.h"
#include "scheduler/scheduler_tick.h"
#include "scheduler/tick_pacer.h"
#include "model/tree_view_win32.h"
#include "storage/config_file.h"
#include "storage/loading_list.h"
#include "storage/settings.h"
#include "tools/companions_win32.h"

namespace airvane {

struct AppState {
    AppState(HINSTANCE instance, std::string configPath, std::string programFolder)
        : instance(instance), config(std::move(configPath)), programFolder(std::move(programFolder)) {}

    HINSTANCE instance;
    ConfigFile config;
    std::string programFolder;  // where the playlist files are written
    Settings settings;
    LoadingList loadingList;
    ModelessList modeless;
    ATOM currWndSizeAtom = 0;  // property key of a dialog's last client size

    // The file the tree was loaded from: saves go there and nowhere else,
    // even when "JobFile" could not be written.
    std::string jobFile;
    // That file exists but could not be read: a save over it must not
    // destroy it without the operator's word.
    bool jobFileUnread = false;
    bool scheduleDirty = false;
    bool loadingDirty = false;
    bool schedulerOn = true;  // not stored; every start begins with the scheduler on

    HWND mainWindow = nullptr;
    std::unique_ptr<TreeViewTree> tree;  // the ScheduleTree, control 100
    HIMAGELIST treeImages = nullptr;

    // The player's main window: none while it is not running; kNotLookedFor
    // at start when the first search failed.
    HWND winampWindow = nullptr;
    // The dirty pair last shown on the save button; 255 forces the first show.
    int shownScheduleDirty = 255;
    int shownLoadingDirty = 255;
    // The player's title as last seen; the fade on a worker empties it.
    std::shared_ptr<LastTitle> lastTitle = std::make_shared<LastTitle>();
    TickState tickState;
    // A message for the operator from inside the tick, shown once the tick
    // is over (kShowNotice), so that no tick waits on a click.
    std::string pendingNotice;
    // A word for the operator in the status line, kept there (over the
    // player's title) until this tick count.
    DWORD statusHeldUntil = 0;
    // When the player was last started by Airvane (KeepOnAir starts a
    // missing one at most every 30 s).
    DWORD playerStartedAt = 0;
    bool playerStarted = false;
    KeepOnAirState keepOnAir;
    bool statusHeld() const { return static_cast<int32_t>(statusHeldUntil - GetTickCount()) > 0; }
    TickPacer tickPacer;
    MonitorState monitorState;  // CurrentItem
    TrackWatch trackWatch;      // the track on air, from the player's answers
    std::unique_ptr<PlayerConversation> conversation;  // made with the main window
    std::unique_ptr<CompanionLauncher> companions;  // made with the main window
    ItemDrag itemDrag;

    // The on-air record and the alert command.
    HeldOnAirRows onAirRows;      // rows the record would not take yet
    bool onAirHeldSaid = false;   // the status line said so for the rows held now
    SilenceWatch silenceWatch;
    PositionWatch positionWatch;  // the position signal of a silence
    SilenceSignal silenceSignal = SilenceSignal::Caption;  // the signal that saw the silence now
    FallbackWatch fallbackWatch;
    uint64_t fallbackCommand = 0;  // the air command of the fallback's last hand-over
    // The operator's stop: no fallback until a later command (a start) decides.
    uint64_t stoppedByOperator = 0;
    bool fallbackFolderSaid = false;  // the status line said the fallback cannot be read
    std::string titleOnAir;       // the programme last marked as playing
    std::string lastNotStarted;   // the start last recorded as not made
    bool playerLost = false;      // the player's window went away and was not found since
    AlertGate alertGate;
    std::shared_ptr<WorkerReports> workerReports = std::make_shared<WorkerReports>();
    // The volume a fade owes the player; at start, the one noted beside the program.
    std::shared_ptr<VolumeLedger> volumeLedger = std::make_shared<VolumeLedger>();
    DWORD volumeTriedAt = 0;  // when a volume still owed was last tried between programmes
    std::string brokenAlertCommand;  // failed to start: not tried again while it is the setting

    // The status server and the now-playing file, fed at each tick.
    std::unique_ptr<StatusRoom> statusRoom = std::make_unique<StatusRoom>();

    FrameContext frame() { return {&config, currWndSizeAtom}; }
};

inline constexpr UINT kShowNotice = WM_APP + 1;

inline const HWND kNotLookedFor = reinterpret_cast<HWND>(static_cast<INT_PTR>(-1));

}  // namespace airvane
