#include "app/keep_on_air_win32.h"

#include "app/app_state.h"
#include "app/monitor_host_win32.h"
#include "app/on_air_win32.h"
#include "app/player_commands_win32.h"
#include "model/node_label.h"
#include "player/playlist_file.h"
#include "scheduler/plan.h"
#include "scheduler/system_clock_win32.h"

namespace airvane {

namespace {

constexpr DWORD kPlayerRestartMs = 30'000;

std::string programmeName(std::string title) {
    if (const std::size_t dot = title.rfind('.'); dot != std::string::npos) title.resize(dot);
    return title;
}

}  // namespace

void startPlayer(AppState& state) {
    state.playerStartedAt = GetTickCount();
    state.playerStarted = true;
    if (state.companions) state.companions->launch("WINAMP.EXE");
}

void rejoinOnAir(AppState& state) {
    if (!state.settings.keepOnAir || !state.schedulerOn) return;
    // The plan of today up to now, from the files the INI names: the same
    // answer scdtool plan gives.
    const std::optional<OnAirProgramme> onAir = onAirAt(state.config.path(), SystemClock().now());
    if (!onAir) return;
    TreeViewTree& tree = *state.tree;
    const NodeItem root = tree.rootNode();
    NodeItem found = kNoNode;
    for (NodeItem item = root ? tree.firstChildNode(root) : kNoNode; item != kNoNode; item = tree.nextNode(item)) {
        const ScheduleNode* record = tree.nodeRecord(item);
        if (record && record->text == onAir->title && record->startSec == onAir->startSec &&
            record->endSec == onAir->endSec) {
            found = item;
            break;
        }
    }
    if (found == kNoNode) {
        holdStatus(state, "방송 중이어야 할 '" + programmeName(onAir->title) + "'이(가) 지금의 스케쥴에 없습니다");
        return;
    }
    const PlaylistResult playlist = writePlaylistFile(tree, found, state.programFolder);
    ScheduleNode& schedule = *tree.nodeRecord(found);
    if (playlist.path.empty()) {
        holdStatus(state, playlist.error);
        return;
    }
    WorkerKit kit = workerKit(state);
    noteWhenDone(state, kit, onair::kRejoin, schedule.text, std::nullopt);
    if (!startStartWorker(kit, schedule.options, playlist.path)) {
        holdStatus(state, kNoWorkerToStart);
        return;
    }
    // One programme is marked as playing: this one, which the tick now ends as usual.
    for (NodeItem item = tree.firstChildNode(root); item != kNoNode; item = tree.nextNode(item)) {
        ScheduleNode* record = tree.nodeRecord(item);
        if (!record || record->playing == (item == found)) continue;
        record->playing = item == found;
        relabel(tree, item, *record);
    }
    holdStatus(state, "방송 중이던 '" + programmeName(onAir->title) + "'을(를) 다시 시작합니다");
}

void restartMissingPlayer(AppState& state, bool justGone) {
    if (!state.settings.keepOnAir || !state.schedulerOn) return;
    if (!justGone && state.playerStarted && GetTickCount() - state.playerStartedAt < kPlayerRestartMs) return;
    startPlayer(state);
}

}  // namespace airvane
