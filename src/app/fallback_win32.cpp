#include "app/fallback_win32.h"

#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/monitor_host_win32.h"
#include "app/on_air_win32.h"
#include "app/player_commands_win32.h"
#include "model/schedule_node.h"
#include "onair/alert.h"
#include "player/playlist_file.h"
#include "scheduler/system_clock_win32.h"
#include "storage/filesystem.h"
#include "storage/text.h"

namespace airvane {

namespace {

constexpr const char* kFallbackNotRead = "대체 방송 목록에 재생할 파일이 없습니다: ";

int64_t steadyNow() { return static_cast<int64_t>(GetTickCount64()); }

// A Schedule marked playing, or one of today's whose times hold now (a
// refused start leaves none marked).
bool programmeDue(AppState& state) {
    const LocalTime now = SystemClock().now();
    const int32_t second = daySecondsOf(now);
    for (const ScheduleRef& schedule : currentSchedules(*state.tree, state.tickState)) {
        const ScheduleNode& s = *schedule.record;
        if (s.playing) return true;
        if (s.endSec == kNoEndTime || !(s.weekdays & (1 << now.dayOfWeek)) ||
            !matchesDate(s.year, s.month, s.day, now))
            continue;
        const bool holds = s.startSec <= s.endSec ? s.startSec <= second && second < s.endSec
                                                  : second >= s.startSec || second < s.endSec;
        if (holds) return true;
    }
    return false;
}

std::string causeText(const FallbackAction& action) {
    std::string text(causeName(action.cause));
    if (action.cause == FallbackCause::Silence && action.signal != SilenceSignal::None)
        text += std::string(" (") + std::string(signalName(action.signal)) + ")";
    return text;
}

// The list the player is handed: a playlist file as it is; of a folder,
// its audio files written to a playlist beside the program. On the
// worker's thread: a folder on a slow disk or a share must not hold the tick.
std::string fallbackList(const std::string& source, const std::string& programFolder) {
    const DWORD attributes = GetFileAttributesA(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return source;
    std::string folder = source;
    ensureBackslash(folder);
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && isFallbackAudioFile(found.cFileName))
            files.push_back(folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    if (files.empty()) return {};
    std::string list = programFolder;
    ensureBackslash(list);
    list += kFallbackListName;
    return writeFileAtomically(list, fallbackListText(std::move(files))) ? list : std::string();
}

void handOver(AppState& state, const FallbackAction& action) {
    WorkerKit kit = workerKit(state);
    state.fallbackCommand = kit.command;
    const std::string source = state.settings.fallbackPlaylist;
    holdStatus(state, "소리가 없어 대체 방송을 내보냅니다 (" + causeText(action) + ")");
    const HWND notify = state.mainWindow;
    // Recorded once the player took it; a list not handed over is a start
    // not made, and the watch is told the fallback is not on air.
    kit.done = [notify, reports = state.workerReports, source, cause = causeText(action),
                command = kit.command](const WorkerOutcome& outcome) {
        if (outcome.overtaken) return;
        WorkerReport report;
        report.command = command;
        if (outcome.playerThere && outcome.answered) {
            report.rows.push_back({});
            report.rows.back().when = SystemClock().now();
            report.rows.back().event = std::string(onair::kFallback);
            report.rows.back().title = source;
            report.rows.back().detail = cause;
            reports->put(std::move(report));
            PostMessageA(notify, kOnAirRowPosted, 0, 0);
            return;
        }
        report.notStartedTitle = source;
        report.notice = "대체 방송을 넘기지 못했습니다: " + source;
        report.rows.push_back({});
        report.rows.back().when = SystemClock().now();
        report.rows.back().event = std::string(onair::kNotStarted);
        report.rows.back().title = source;
        report.rows.back().detail = outcome.playerThere ? "플레이어가 응답하지 않습니다" : "플레이어가 실행되고 있지 않습니다";
        reports->put(std::move(report));
        PostMessageA(notify, kOnAirRowPosted, 0, 0);
    };
    try {
        std::thread([kit = std::move(kit), source, programFolder = state.programFolder, notify,
                     reports = state.workerReports] {
            const std::string list = fallbackList(source, programFolder);
            if (!list.empty() && startStartWorker(kit, kRepeat | kShuffle, list)) return;
            WorkerReport report;
            report.command = kit.command;
            report.notStartedTitle = source;
            report.notice = list.empty() ? kFallbackNotRead + source : std::string(kNoWorkerToStart);
            report.rows.push_back({});
            report.rows.back().when = SystemClock().now();
            report.rows.back().event = std::string(onair::kNotStarted);
            report.rows.back().title = source;
            report.rows.back().detail = report.notice;
            reports->put(std::move(report));
            PostMessageA(notify, kOnAirRowPosted, 0, 0);
        }).detach();
    } catch (const std::system_error&) {
        state.fallbackCommand = 0;
        holdStatus(state, kNoWorkerToStart);
    }
}

}  // namespace

bool fallbackOnAir(const AppState& state) {
    return state.fallbackCommand != 0 && state.fallbackCommand == latestAirCommand();
}

void fallbackNotStarted(AppState& state) {
    if (!state.settings.fallbackPlaylist.empty()) state.fallbackWatch.notStarted(steadyNow());
}

void fallbackNothingToRejoin(AppState& state) {
    if (!state.settings.fallbackPlaylist.empty()) state.fallbackWatch.nothingToRejoin(steadyNow());
}

void fallbackTick(AppState& state, std::optional<bool> captionPlaying) {
    FallbackInput in;
    in.nowMs = steadyNow();
    // With the scheduler off the operator decides what plays.
    in.configured = !state.settings.fallbackPlaylist.empty() && state.schedulerOn;
    if (!in.configured) return;
    // What the operator stopped stays stopped; a soft change that waits for
    // the song's end, or a rejoin being decided, comes first.
    if (state.stoppedByOperator != 0 && state.stoppedByOperator == latestAirCommand()) return;
    if (state.keepOnAir.pending || state.tickState.softEnd ||
        (state.tickState.softStart && !state.tickState.softStart->settled))
        return;
    in.afterMs = int64_t{state.settings.fallbackAfterSec} * 1000;
    in.fillGaps = state.settings.fillGaps != 0;
    in.programmeDue = programmeDue(state);
    in.captionPlaying = captionPlaying;
    in.frozenSince = state.positionWatch.frozenSince();
    in.fallbackOnAir = fallbackOnAir(state);
    in.airCommand = latestAirCommand();
    const FallbackAction action = state.fallbackWatch.observe(in);
    switch (action.kind) {
        case FallbackAction::HandOver:
            handOver(state, action);
            break;
        case FallbackAction::End: {
            // The programme it stood in for is over: stopped as an end would.
            WorkerKit kit = workerKit(state);
            noteWhenDone(state, kit, onair::kEnd, state.settings.fallbackPlaylist, std::nullopt);
            if (!startEndWorker(kit)) holdStatus(state, kNoWorkerToStart);
            break;
        }
        case FallbackAction::FallbackSilent: {
            // Said and alerted once; handing the same list over again would
            // only loop.
            alertOnAir(state, onair::kSilent, state.settings.fallbackPlaylist,
                       "대체 방송도 소리가 없습니다 (" + std::string(signalName(action.signal)) + ")");
            holdStatus(state, "대체 방송도 소리가 없습니다: " + state.settings.fallbackPlaylist);
            break;
        }
        default:
            break;
    }
}

}  // namespace airvane
