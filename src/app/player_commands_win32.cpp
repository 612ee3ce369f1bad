#include "app/player_commands_win32.h"

#include "app/app_state.h"
#include "app/monitor_host_win32.h"
#include "app/on_air_win32.h"
#include "model/node_label.h"
#include "player/player_volume_win32.h"
#include "player/player_win32.h"
#include "player/playlist_file.h"
#include "player/system_fade_clock.h"
#include "resources/resource.h"
#include "storage/message_box_win32.h"

namespace airvane {

namespace {

bool playerRunning(AppState& state) {
    if (state.winampWindow && IsWindow(state.winampWindow)) return true;
    showMessage(state.mainWindow, "먼저 윈엠프를 실행하세요", kMsgOk);
    return false;
}

}  // namespace

void playCommand(AppState& state) {
    if (!playerRunning(state)) return;
    TreeViewTree& tree = *state.tree;
    NodeItem item = tree.caretNode();
    ScheduleNode* record = tree.nodeRecord(item);
    if (!record || record->kind == kRoot) {
        showMessage(state.mainWindow, "연주할 파일을 선택하세요", kMsgOk);
        return;
    }
    std::string path;
    const bool schedule = record->kind == kSchedule;
    if (schedule) {
        record->playing = true;
        relabel(tree, item, *record);
        PlaylistResult playlist = writePlaylistFile(tree, item, state.programFolder);
        if (playlist.path.empty()) {
            // Refused or not written: nothing goes to the player, no mark
            // claims it plays, and the operator is told why.
            record->playing = false;
            relabel(tree, item, *record);
            holdStatus(state, playlist.error);
            return;
        }
        path = playlist.path;
    } else {
        path = record->text;
    }
    SetForegroundWindow(state.winampWindow);
    // The fade takes FadeoutTime: on a worker, so that the tick keeps its
    // second meanwhile. One fade runs at a time, as for the scheduler's.
    WorkerKit kit = workerKit(state);
    noteWhenDone(state, kit, onair::kPlay, schedule ? record->text : path, std::nullopt);
    if (!startPlayWorker(kit, path)) {
        if (schedule) {
            record->playing = false;
            relabel(tree, item, *record);
        }
        holdStatus(state, kNoWorkerToStart);
    }
}

void stopCommand(AppState& state) {
    if (!playerRunning(state)) return;
    // The stop wins over a hand-over still fading on a worker; the silence
    // it makes (live talk on the mixer) is the operator's, not dead air.
    state.stoppedByOperator = newAirCommand();
    // Whatever item has the caret: the Schedule that plays is no longer on air.
    std::string title;
    for (const ScheduleRef& schedule : currentSchedules(*state.tree, state.tickState)) {
        if (!schedule.record->playing) continue;
        title = schedule.record->text;
        schedule.record->playing = false;
        relabel(*state.tree, schedule.item, *schedule.record);
    }
    noteOnAir(state, onair::kOperatorStop, title);
    SetForegroundWindow(state.winampWindow);
    WinampPlayer(state.winampWindow).stopWithFade();
}

WorkerKit workerKit(AppState& state, bool airCommand) {
    WorkerKit kit;
    const HWND player = state.winampWindow;
    kit.makePlayer = [player] { return std::make_unique<WinampPlayer>(player); };
    kit.makeMixer = [player] { return std::make_unique<PlayerVolume>(player); };
    kit.makeClock = [] { return std::make_unique<SystemFadeClock>(); };
    kit.lastTitle = state.lastTitle;
    kit.ledger = state.volumeLedger;
    kit.fadeoutMs = state.settings.fadeoutTime * 1000;
    kit.command = airCommand ? newAirCommand() : latestAirCommand();
    return kit;
}

}  // namespace airvane
