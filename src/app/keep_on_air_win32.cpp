#include "app/keep_on_air_win32.h"

#include <system_error>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/monitor_host_win32.h"
#include "app/on_air_win32.h"
#include "app/player_commands_win32.h"
#include "app/scheduler_host_win32.h"
#include "model/node_label.h"
#include "onair/rejoin_point.h"
#include "player/player_win32.h"
#include "player/playlist_file.h"
#include "scheduler/system_clock_win32.h"
#include "storage/file_io.h"
#include "storage/filesystem.h"
#include "storage/filesystem_platform.h"
#include "storage/settings.h"
#include "tools/companions_win32.h"

namespace airvane {

namespace {

// How long a decision waits for the monitor to say which file plays (the
// player's file-info box) before it hands the programme over after all.
constexpr DWORD kPathWaitMs = 5000;
constexpr const char* kNoWindow = "플레이어 창이 나타나지 않았습니다";

std::string programmeName(std::string title) {
    if (const std::size_t dot = title.rfind('.'); dot != std::string::npos) title.resize(dot);
    return title;
}

int64_t tickMs() { return static_cast<int64_t>(GetTickCount64()); }

std::vector<std::string> filesOf(TreeViewTree& tree, NodeItem schedule) {
    std::vector<std::string> files;
    for (NodeItem file = tree.firstChildNode(schedule); file != kNoNode; file = tree.nextNode(file)) {
        if (const ScheduleNode* record = tree.nodeRecord(file)) files.push_back(record->text);
    }
    return files;
}

bool runsToday(const ScheduleNode& s, const LocalTime& now) {
    return matchesDate(s.year, s.month, s.day, now) && ((s.weekdays >> now.dayOfWeek) & 1) != 0;
}

// The live tree's programme: the one marked as playing (a Schedule played
// by hand, edits not yet saved), else the one whose times hold now and
// that began last today.
NodeItem liveProgramme(AppState& state, const LocalTime& now) {
    const int32_t second = daySecondsOf(now);
    NodeItem best = kNoNode;
    int32_t bestStart = -1;
    for (const ScheduleRef& schedule : currentSchedules(*state.tree, state.tickState)) {
        const ScheduleNode& r = *schedule.record;
        if (r.playing) return schedule.item;
        if (!runsToday(r, now) || r.startSec > second || (r.endSec != kNoEndTime && second >= r.endSec)) continue;
        if (r.startSec > bestStart) best = schedule.item, bestStart = r.startSec;
    }
    return best;
}

// The plan's programme in the tree Airvane shows: its title, times,
// weekdays and date all alike, so that a namesake of another day is not it.
NodeItem plannedProgramme(AppState& state, const OnAirProgramme& planned) {
    const ScheduleNode& p = planned.schedule;
    for (const ScheduleRef& schedule : currentSchedules(*state.tree, state.tickState)) {
        const ScheduleNode& r = *schedule.record;
        if (r.text == p.text && r.startSec == p.startSec && r.endSec == p.endSec && r.weekdays == p.weekdays &&
            r.year == p.year && r.month == p.month && r.day == p.day)
            return schedule.item;
    }
    return kNoNode;
}

void markOnly(AppState& state, NodeItem playing) {
    for (const ScheduleRef& schedule : currentSchedules(*state.tree, state.tickState)) {
        if (schedule.record->playing == (schedule.item == playing)) continue;
        schedule.record->playing = schedule.item == playing;
        relabel(*state.tree, schedule.item, *schedule.record);
    }
}

// Asked on a thread of its own: the plan reads the INI and every job file
// of the day (unbounded on a slow network path), and the player may hang.
void askWhatShouldPlay(AppState& state, uint64_t number, bool afterStart) {
    const HWND notify = state.mainWindow;
    const HWND player = state.winampWindow;
    const std::string config = state.config.path();
    const LocalTime now = SystemClock().now();
    try {
        std::thread([notify, player, config, now, number, afterStart] {
            auto answer = std::make_unique<RejoinAnswer>();
            answer->planAsked = afterStart;
            if (afterStart) answer->plan = onAirAt(config, now);
            WinampPlayer asked(player);
            const int playing = asked.isPlaying();
            if (asked.answered()) answer->playerState = playing;
            if (PostMessageA(notify, kRejoinAnswer, static_cast<WPARAM>(number), reinterpret_cast<LPARAM>(answer.get())))
                answer.release();
        }).detach();
    } catch (const std::system_error&) {
        state.keepOnAir.pending.reset();  // no thread: the next find of the player tries again
    }
}

void refuseRejoin(AppState& state, const std::string& title, const std::string& why) {
    holdStatus(state, why);
    noteOnAir(state, onair::kNotStarted, title, std::nullopt, why);
}

void handOver(AppState& state, NodeItem item, ScheduleNode& schedule) {
    const PlaylistResult playlist = writePlaylistFile(*state.tree, item, state.programFolder);
    if (playlist.path.empty()) {
        refuseRejoin(state, schedule.text, playlist.error.empty() ? "재생목록을 쓰지 못했습니다" : playlist.error);
        return;
    }
    ProgrammeList list{schedule.text, filesOf(*state.tree, item), (schedule.options & kShuffle) != 0,
                       (schedule.options & kRepeat) != 0};
    WorkerKit kit = workerKit(state);
    noteWhenDone(state, kit, onair::kRejoin, schedule.text, std::nullopt, list.files);
    auto where = [list, folder = state.programFolder, now = SystemClock().now()] {
        const RejoinKnowledge known = readRejoinKnowledge(folder, now, list.files);
        const RejoinPoint point = whereNow(list, known.rows, known.lengths, now);
        return PlacedAt{point.index, point.offsetMs, point.known, point.listEnded, false};
    };
    if (!startRejoinWorker(kit, schedule.options, playlist.path, where)) {
        holdStatus(state, kNoWorkerToStart);
        return;
    }
    // This one is marked as playing, and the tick ends it as usual.
    markOnly(state, item);
    state.keepOnAir.crashes.rejoined(schedule.text, tickMs());
    holdStatus(state, "방송 중이던 '" + programmeName(schedule.text) + "'을(를) 다시 시작합니다");
}

void adopt(AppState& state, NodeItem item, const ScheduleNode& schedule, const std::string& path) {
    markOnly(state, item);
    noteOnAir(state, onair::kAdopt, schedule.text, std::nullopt, path);
    holdStatus(state, "방송 중이던 '" + programmeName(schedule.text) + "'이(가) 그대로 연주되고 있어 이어받습니다");
}

// Decides once everything needed is known; a later air command, the
// scheduler turned off or KeepOnAir turned off drop the decision.
void decide(AppState& state) {
    KeepOnAirState& keep = state.keepOnAir;
    if (!keep.pending || !keep.pending->answer) return;
    if (keep.pending->command != latestAirCommand() || !state.settings.keepOnAir || !state.schedulerOn ||
        !state.winampWindow || !IsWindow(state.winampWindow)) {
        keep.pending.reset();
        return;
    }
    const RejoinAnswer& answer = *keep.pending->answer;
    const LocalTime now = SystemClock().now();
    NodeItem item = kNoNode;
    if (answer.planAsked) {
        if (!answer.plan) {
            keep.pending.reset();
            return;
        }
        // A loading time passed while Airvane was not running: the load
        // it missed comes first, as it would have come.
        if (!answer.plan->jobFile.empty() && !samePathText(answer.plan->jobFile, state.jobFile))
            loadJobFileOnAir(state, answer.plan->jobFile, std::nullopt, "Airvane이 꺼져 있던 동안의 불러오기");
        item = plannedProgramme(state, *answer.plan);
        if (item == kNoNode) {
            keep.pending.reset();
            refuseRejoin(state, answer.plan->title,
                         "방송 중이어야 할 '" + programmeName(answer.plan->title) + "'이(가) 지금의 스케쥴에 없습니다");
            return;
        }
    } else {
        item = liveProgramme(state, now);
        if (item == kNoNode) {
            keep.pending.reset();
            return;
        }
    }
    ScheduleNode& schedule = *state.tree->nodeRecord(item);
    if (answer.playerState == static_cast<int>(PlayState::Playing)) {
        const bool pathFresh = keep.playingPathKnown && static_cast<int32_t>(keep.playingPathAt - keep.pending->since) >= 0;
        if (!pathFresh && GetTickCount() - keep.pending->since < kPathWaitMs) return;  // the path comes soon
        if (pathFresh) {
            for (const std::string& file : filesOf(*state.tree, item)) {
                if (!samePathText(file, keep.playingPath)) continue;
                keep.pending.reset();
                adopt(state, item, schedule, file);
                return;
            }
        }
    }
    keep.pending.reset();
    if (keep.crashes.refuses(schedule.text)) {
        refuseRejoin(state, schedule.text,
                     "'" + programmeName(schedule.text) +
                         "'을(를) 다시 시작할 때마다 플레이어가 곧 멈추어, 다음 프로그램까지 다시 시작하지 않습니다");
        return;
    }
    handOver(state, item, schedule);
}

unsigned long startRememberedPlayer(AppState& state, std::string& path) {
    path = state.config.readProfileText(kConfigSection, "WINAMP.EXE", "WINAMP.EXE");
    if (!File(openNativeFile(path, "rb"))) return ERROR_FILE_NOT_FOUND;
    return startProcess("\"" + path + "\"", SW_SHOW);
}

void sayPlayerNotStarted(AppState& state, const std::string& why) {
    if (std::exchange(state.keepOnAir.notStartedSaid, true)) return;
    const std::string text = "플레이어를 시작하지 못했습니다: " + why;
    holdStatus(state, text);
    noteOnAir(state, onair::kPlayerNotStarted, "", std::nullopt, why);
}

}  // namespace

void startPlayer(AppState& state) {
    state.playerStartedAt = GetTickCount();
    state.playerStarted = true;
    state.keepOnAir.restarts.tried(tickMs());
    state.keepOnAir.restartMadeNoWindow = true;  // until its window is found
    if (state.companions) state.companions->launch("WINAMP.EXE");
}

void rejoinOnAir(AppState& state) {
    KeepOnAirState& keep = state.keepOnAir;
    keep.restarts.found();
    keep.restartMadeNoWindow = false;
    keep.notStartedSaid = false;
    const bool afterStart = !std::exchange(keep.foundBefore, true);
    if (!state.settings.keepOnAir || !state.schedulerOn) return;
    keep.pending = KeepOnAirState::Pending{latestAirCommand(), GetTickCount(), afterStart, std::nullopt};
    askWhatShouldPlay(state, ++keep.pendingNumber, afterStart);
}

void takeRejoinAnswer(AppState& state, WPARAM number, LPARAM posted) {
    std::unique_ptr<RejoinAnswer> answer(reinterpret_cast<RejoinAnswer*>(posted));
    KeepOnAirState& keep = state.keepOnAir;
    if (!keep.pending || number != keep.pendingNumber) return;  // a newer find asked again
    keep.pending->answer = *answer;
    decide(state);
}

void keepOnAirPathAnswered(AppState& state, const std::string& path) {
    KeepOnAirState& keep = state.keepOnAir;
    keep.playingPath = path;
    keep.playingPathAt = GetTickCount();
    keep.playingPathKnown = true;
    decide(state);
}

void keepOnAirTick(AppState& state) {
    decide(state);
    for (const ScheduleRef& schedule : currentSchedules(*state.tree, state.tickState)) {
        if (schedule.record->playing) state.keepOnAir.crashes.programmeBegan(schedule.record->text);
    }
}

void keepOnAirPlayerLost(AppState& state) {
    state.keepOnAir.pending.reset();
    state.keepOnAir.crashes.playerLost(tickMs());
}

void restartMissingPlayer(AppState& state) {
    KeepOnAirState& keep = state.keepOnAir;
    // At Airvane's start the player is started by command 103 itself, once
    // the window (and its launcher) is made.
    if (!state.companions) return;
    if (!state.settings.keepOnAir || !state.schedulerOn || !keep.restarts.due(tickMs())) return;
    if (keep.restartMadeNoWindow) sayPlayerNotStarted(state, kNoWindow);
    std::string path;
    const unsigned long error = startRememberedPlayer(state, path);
    keep.restarts.tried(tickMs());
    if (error != 0) {
        sayPlayerNotStarted(state, refusalReason(error) + ": " + path);
        return;
    }
    keep.restartMadeNoWindow = true;
    state.playerStartedAt = GetTickCount();
    state.playerStarted = true;
}

}  // namespace airvane
