#include "app/keep_on_air_win32.h"

#include <system_error>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/fallback_win32.h"
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
constexpr DWORD kPathWaitMs = 10'000;
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

// The Schedule of the tree Airvane shows with these stored fields: title,
// times, weekdays and date all alike, so that a namesake of another day is
// not it.
NodeItem scheduleLike(AppState& state, const ScheduleNode& p) {
    for (const ScheduleRef& schedule : currentSchedules(*state.tree, state.tickState)) {
        const ScheduleNode& r = *schedule.record;
        if (r.text == p.text && r.startSec == p.startSec && r.endSec == p.endSec && r.weekdays == p.weekdays &&
            r.year == p.year && r.month == p.month && r.day == p.day)
            return schedule.item;
    }
    return kNoNode;
}

// When this airing of the Schedule was due: its start second today, or the
// evening before when that second is still to come today.
LocalTime airingStart(const ScheduleNode& schedule, const LocalTime& now) {
    const LocalTime day = schedule.startSec <= daySecondsOf(now) ? now : previousDay(now);
    return localTimeAt(day.year, day.month, day.day, schedule.startSec);
}

std::optional<ScheduleNode> markedSchedule(AppState& state) {
    for (const ScheduleRef& schedule : currentSchedules(*state.tree, state.tickState)) {
        if (schedule.record->playing) return *schedule.record;
    }
    return std::nullopt;
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
    fallbackNothingToRejoin(state);
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
    // The record is read once, on the worker; the place is worked out again
    // at the hand-over itself, after any fade.
    auto where = [list, folder = state.programFolder, startSec = schedule.startSec] {
        auto known = std::make_shared<RejoinKnowledge>(readRejoinKnowledge(folder, SystemClock().now(), list.files));
        return std::function<PlacedAt()>([list, known, startSec] {
            const LocalTime now = SystemClock().now();
            ScheduleNode due;
            due.startSec = startSec;
            const RejoinPoint point = whereNow(list, known->rows, known->lengths, airingStart(due, now), now);
            return PlacedAt{point.index, point.offsetMs, point.known, point.listEnded, false};
        });
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

// Decides once everything needed is known; a later air command, another
// job file shown, the scheduler or KeepOnAir turned off drop the decision.
void decide(AppState& state) {
    KeepOnAirState& keep = state.keepOnAir;
    if (!keep.pending || !keep.pending->answer) return;
    if (keep.pending->command != latestAirCommand() || keep.pending->jobFile != state.jobFile ||
        !state.settings.keepOnAir || !state.schedulerOn || !state.winampWindow || !IsWindow(state.winampWindow)) {
        keep.pending.reset();
        return;
    }
    const RejoinAnswer& answer = *keep.pending->answer;
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
        item = scheduleLike(state, answer.plan->schedule);
        if (item == kNoNode) {
            keep.pending.reset();
            refuseRejoin(state, answer.plan->title,
                         "방송 중이어야 할 '" + programmeName(answer.plan->title) + "'이(가) 지금의 스케쥴에 없습니다");
            return;
        }
    } else {
        // What played when the player went away (or fell due meanwhile),
        // as Airvane holds it: edits not saved included.
        item = keep.pending->lost ? scheduleLike(state, *keep.pending->lost) : kNoNode;
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
        markOnly(state, kNoNode);  // nothing of it plays
        refuseRejoin(state, schedule.text,
                     "'" + programmeName(schedule.text) +
                         "'을(를) 다시 시작할 때마다 플레이어가 곧 멈추어, 다음 프로그램까지 다시 시작하지 않습니다");
        return;
    }
    handOver(state, item, schedule);
}

// On a thread of its own: a player on a network share that does not
// answer would hold the tick for the share's timeout at every try.
bool startRememberedPlayer(AppState& state) {
    const std::string path = state.config.readProfileText(kConfigSection, "WINAMP.EXE", "WINAMP.EXE");
    const HWND notify = state.mainWindow;
    try {
        std::thread([notify, path] {
            const unsigned long error =
                File(openNativeFile(path, "rb")) ? startProcess("\"" + path + "\"", SW_SHOW) : ERROR_FILE_NOT_FOUND;
            PostMessageA(notify, kPlayerStartAnswer, static_cast<WPARAM>(error), 0);
        }).detach();
        return true;
    } catch (const std::system_error&) {
        return false;  // no thread now: the next try is paced as any other
    }
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
    keep.restarts.found(tickMs());
    keep.restartMadeNoWindow = false;
    keep.notStartedSaid = false;
    const bool afterStart = !std::exchange(keep.foundBefore, true);
    std::optional<ScheduleNode> lost = std::exchange(keep.lost, std::nullopt);
    if (!state.settings.keepOnAir || !state.schedulerOn) return;
    if (!afterStart && !lost) return;  // nothing played when the player went away
    keep.pending = KeepOnAirState::Pending{latestAirCommand(), GetTickCount(), afterStart, state.jobFile,
                                           std::move(lost), std::nullopt};
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
    KeepOnAirState& keep = state.keepOnAir;
    keep.pending.reset();
    keep.crashes.playerLost(tickMs());
    keep.restarts.lost(tickMs());
    keep.lost = markedSchedule(state);
    // A soft start that waited for the song's end was to be on air by now.
    if (const auto& waiting = state.tickState.softStart; waiting && !waiting->settled) {
        for (const ScheduleRef& schedule : currentSchedules(*state.tree, state.tickState)) {
            if (schedule.item == waiting->item) keep.lost = *schedule.record;
        }
    }
}

void keepOnAirWithoutPlayer(AppState& state) {
    if (!state.settings.keepOnAir || !state.schedulerOn) return;
    // A start missed for want of a player is the one to put back.
    if (const ScheduleNode* due = scheduleDueAt(*state.tree, state.tickState, SystemClock().now()))
        state.keepOnAir.lost = *due;
}

void restartMissingPlayer(AppState& state) {
    KeepOnAirState& keep = state.keepOnAir;
    // At Airvane's start the player is started by command 103 itself, once
    // the window (and its launcher) is made.
    if (!state.companions) return;
    if (!state.settings.keepOnAir || !state.schedulerOn || keep.starting || !keep.restarts.due(tickMs())) return;
    if (keep.restartMadeNoWindow) sayPlayerNotStarted(state, kNoWindow);
    keep.restarts.tried(tickMs());
    keep.starting = startRememberedPlayer(state);
    state.playerStartedAt = GetTickCount();
    state.playerStarted = true;
}

void takePlayerStartAnswer(AppState& state, WPARAM error) {
    KeepOnAirState& keep = state.keepOnAir;
    keep.starting = false;
    if (error == 0) {
        keep.restartMadeNoWindow = true;  // until its window is found
        return;
    }
    sayPlayerNotStarted(state, refusalReason(static_cast<unsigned long>(error)) + ": " +
                                   state.config.readProfileText(kConfigSection, "WINAMP.EXE", "WINAMP.EXE"));
}

}  // namespace airvane
