#include "app/on_air_win32.h"

#include <memory>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/fallback_win32.h"
#include "app/monitor_host_win32.h"
#include "app/player_commands_win32.h"
#include "model/node_label.h"
#include "onair/alert.h"
#include "onair/on_air_record.h"
#include "scheduler/system_clock_win32.h"
#include "tools/companions_win32.h"

namespace airvane {

namespace {

constexpr const char* kNoPlayer = "플레이어가 실행되고 있지 않습니다";
constexpr const char* kNoAnswer = "플레이어가 응답하지 않습니다";
constexpr const char* kEndedByNext = "다음 명령이 이어서 멈춤";
constexpr const char* kListEnded = "목록이 이미 끝났을 시간이라 다시 시작하지 않습니다";
constexpr const char* kVolumeNotRestored = "플레이어의 음량을 되돌리지 못했습니다: 다음 연주 전에 다시 되돌립니다";

// Says once, for as long as rows are kept, why: a spreadsheet that has the
// record open (Excel opens a CSV so) is the likely cause, and its share
// mode says so.
void sayHeldRows(AppState& state) {
    if (!state.onAirRows.holding()) {
        state.onAirHeldSaid = false;
        return;
    }
    if (std::exchange(state.onAirHeldSaid, true)) return;
    const std::string path = state.onAirRows.heldPath();
    HANDLE probe =
        CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = probe == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
    holdStatus(state, (error == ERROR_SHARING_VIOLATION
                           ? "방송 기록 파일이 다른 프로그램에 열려 있어 기록을 잠시 보관합니다: "
                           : "방송 기록 파일에 쓸 수 없어 기록을 잠시 보관합니다: ") +
                          path);
}

void writeRow(AppState& state, const OnAirRow& row) {
    if (const auto path = onAirRecordPath(state.programFolder, row.when.year, row.when.month, row.when.day)) {
        state.onAirRows.write(*path, row);
        sayHeldRows(state);
    }
}

OnAirRow rowNow(std::string_view event, const std::string& title, std::optional<int32_t> dueSec,
                const std::string& detail) {
    OnAirRow row;
    row.when = SystemClock().now();
    row.event = std::string(event);
    row.title = title;
    row.dueSec = dueSec;
    row.detail = detail;
    if (dueSec) row.lateMs = lateBy(row.when, *dueSec);
    return row;
}

std::string stampText(const LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

// Started on a thread of its own: making a process can take long (a virus
// scanner looks at it first), and the tick must not wait for it. A title
// or a detail comes from a schedule file, the player or the operator: it
// goes to the command in its environment only, where no shell reads it as
// a command; the arguments are the program's own words.
void raiseAlert(AppState& state, const OnAirRow& row) {
    const std::string& command = state.settings.alertCommand;
    if (command.empty() || command == state.brokenAlertCommand) return;
    if (!state.alertGate.mayAlert(row.event + "|" + row.title, static_cast<int64_t>(GetTickCount64()))) return;
    const std::string stamp = stampText(row.when);
    const std::string line = alertCommandLine(command, {row.event, stamp});
    std::vector<std::pair<std::string, std::string>> details = {
        {kAlertEvent, row.event}, {kAlertTime, stamp}, {kAlertTitle, row.title}, {kAlertDetail, row.detail}};
    const HWND notify = state.mainWindow;
    try {
        std::thread([notify, line, details = std::move(details)] {
            // The child's own block: setting them in ours would race every
            // other thread that starts a program.
            char* parent = GetEnvironmentStringsA();
            const std::string environment = environmentWith(parent, details);
            if (parent) FreeEnvironmentStringsA(parent);
            const unsigned long error = startProcess(line, SW_SHOWMINNOACTIVE, environment);
            if (error == 0) return;
            auto* failed = new std::string(refusalReason(error) + ": " + line);
            if (!PostMessageA(notify, kAlertNotStarted, 0, reinterpret_cast<LPARAM>(failed))) delete failed;
        }).detach();
    } catch (const std::system_error&) {
        // No thread now: the next alert of this cause tries again.
    }
}

void record(AppState& state, const OnAirRow& row) {
    writeRow(state, row);
    if (row.event == onair::kNotStarted || row.event == onair::kPlayerLost || row.event == onair::kPlayerNotStarted)
        raiseAlert(state, row);
}

// The title of the Schedule marked as playing; none when nothing should be on air.
std::optional<std::string> programmeOnAir(AppState& state) {
    for (const ScheduleRef& schedule : currentSchedules(*state.tree, state.tickState)) {
        if (schedule.record->playing) return schedule.record->text;
    }
    return std::nullopt;
}

// A silence of 5 s is recorded, one of 30 s alerted, and its end recorded
// with the whole gap's length.
// The signal that saw it is in the detail: the caption, or a position
// that stopped while the caption says it plays.
// Without a fallback set the rows stay as they always were.
void takeSilence(AppState& state, bool onAir, std::optional<bool> playing) {
    const bool signals = !state.settings.fallbackPlaylist.empty();
    const bool frozen = signals && playing && *playing && state.positionWatch.frozenSince();
    if (playing && (!*playing || frozen)) state.silenceSignal = frozen ? SilenceSignal::Position : SilenceSignal::Caption;
    if (frozen) playing = false;
    const std::string signal = signals ? " (" + std::string(signalName(state.silenceSignal)) + ")" : "";
    for (const SilenceEvent& event : state.silenceWatch.observe(static_cast<int64_t>(GetTickCount64()), onAir, playing)) {
        const bool ended = event.kind == SilenceEvent::Ended;
        const bool alert = event.kind == SilenceEvent::Alert;
        const bool position = state.silenceSignal == SilenceSignal::Position;
        OnAirRow row = rowNow(ended ? onair::kSilenceEnd : onair::kSilent, state.titleOnAir, std::nullopt,
                              ended    ? (signals ? std::string(signalName(state.silenceSignal)) : "")
                              : alert  ? "30초 동안 소리가 없습니다" + signal
                              : position ? "재생 위치가 멈췄습니다" + signal
                                         : "플레이어가 연주하고 있지 않습니다" + signal);
        row.lengthMs = event.lengthMs;
        if (event.kind == SilenceEvent::Began) state.trackWatch.silenceBegan(watchMoment(), event.lengthMs);
        if (alert) raiseAlert(state, row);
        else record(state, row);
    }
}

// Winamp says in its caption when it is not playing ("... - Winamp
// [Stopped]", "[Paused]"); the caption of another program's window is read
// without a message to it, so a hung player cannot hold the tick here.
std::optional<std::string> playerCaption(HWND player) {
    char caption[512] = "";
    if (GetWindowTextA(player, caption, sizeof caption) == 0) return std::nullopt;
    return std::string(caption);
}

std::optional<bool> playerPlaying(const std::optional<std::string>& caption) {
    if (!caption) return std::nullopt;
    return caption->find("[Stopped]") == std::string::npos && caption->find("[Paused]") == std::string::npos;
}

// "2번째 곡 1:08부터": where a rejoin put the programme, in its row and
// in the status line.
void placeRejoin(WorkerReport& report, const PlacedAt& placed, const std::vector<std::string>& files) {
    OnAirRow& row = report.rows.back();
    const int64_t at = placed.jumped ? placed.offsetMs : 0;
    row.listPos = placed.index + 1;
    if (placed.index >= 0 && static_cast<std::size_t>(placed.index) < files.size())
        row.file = files[static_cast<std::size_t>(placed.index)];
    row.playedMs = at;
    char where[64];
    std::snprintf(where, sizeof where, "%d번째 곡 %lld:%02lld부터", placed.index + 1,
                  static_cast<long long>(at / 60000), static_cast<long long>(at / 1000 % 60));
    row.detail = where;
    if (placed.offsetMs > 0 && !placed.jumped) row.detail += " (플레이어가 곡 안으로 옮기지 않았습니다)";
    std::string name = report.rows.back().title;
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
    report.notice = "방송 중이던 '" + name + "'을(를) " + row.detail + " 다시 시작합니다";
}

}  // namespace

void writeHeldOnAirRows(AppState& state) {
    if (!state.onAirRows.holding()) return;
    state.onAirRows.retry();
    sayHeldRows(state);
}

void noteOnAir(AppState& state, std::string_view event, const std::string& title, std::optional<int32_t> dueSec,
               const std::string& detail) {
    record(state, rowNow(event, title, dueSec, detail));
}

void alertOnAir(AppState& state, std::string_view event, const std::string& title, const std::string& detail) {
    const OnAirRow row = rowNow(event, title, std::nullopt, detail);
    writeRow(state, row);
    raiseAlert(state, row);
}

void noteWhenDone(AppState& state, WorkerKit& kit, std::string_view event, const std::string& title,
                  std::optional<int32_t> dueSec, std::vector<std::string> files, std::string detail,
                  std::optional<int64_t> waitedMs) {
    const HWND notify = state.mainWindow;
    kit.done = [notify, reports = state.workerReports, event = std::string(event), title, dueSec,
                command = kit.command, files = std::move(files), detail = std::move(detail),
                waitedMs](const WorkerOutcome& outcome) {
        WorkerReport report;
        report.command = command;
        const bool ending = event == onair::kEnd;
        if (outcome.placed.listEnded) {
            if (outcome.overtaken) return;  // a later command decided what plays
            report.rows.push_back(rowNow(onair::kNotStarted, title, dueSec, kListEnded));
            report.notStartedTitle = title;
            report.nothingToRejoin = true;
            report.notice = "'" + title + "': " + kListEnded;
            reports->put(std::move(report));
            PostMessageA(notify, kOnAirRowPosted, 0, 0);
            return;
        }
        // Every later air command stops what plays first: an end it
        // overtook has happened all the same.
        if (outcome.overtaken && ending) report.rows.push_back(rowNow(event, title, dueSec, kEndedByNext));
        if (!outcome.overtaken) {
            // An end whose player is gone has ended all the same.
            if (!outcome.playerThere && !ending) {
                report.rows.push_back(rowNow(onair::kNotStarted, title, dueSec, kNoPlayer));
                report.notStartedTitle = title;
                report.notice = "'" + title + "': " + kNoPlayer;
            } else if (outcome.playerThere && !outcome.answered) {
                report.rows.push_back(rowNow(ending ? onair::kNotEnded : onair::kNotStarted, title, dueSec, kNoAnswer));
                if (!ending) report.notStartedTitle = title;
                report.notice = "'" + title + "': " + kNoAnswer;
            } else {
                report.rows.push_back(rowNow(event, title, dueSec, detail));
                report.rows.back().lengthMs = waitedMs;
                if (outcome.placed.known) placeRejoin(report, outcome.placed, files);
            }
        }
        if (!outcome.volumeRestored) {
            report.rows.push_back(rowNow(onair::kVolumeNotRestored, title, std::nullopt, kVolumeNotRestored));
            report.notice = kVolumeNotRestored;
        }
        if (report.rows.empty()) return;
        reports->put(std::move(report));
        PostMessageA(notify, kOnAirRowPosted, 0, 0);
    };
}

namespace {

void startVolumePayBack(AppState& state, bool atStart) {
    const std::optional<uint32_t> owed = state.volumeLedger->owed();
    if (!owed) return;
    state.volumeTriedAt = GetTickCount();
    WorkerKit kit = workerKit(state, false);
    const HWND notify = state.mainWindow;
    kit.done = [notify, reports = state.workerReports, owed, atStart](const WorkerOutcome& outcome) {
        if (!outcome.volumeRestored && !atStart) return;
        WorkerReport report;
        const std::string level = std::to_string(*owed) + "(으)로 되돌렸습니다";
        report.notice = !outcome.volumeRestored ? std::string(kVolumeNotRestored)
                        : atStart ? "이전 실행이 페이드 도중에 끝나 낮아져 있던 플레이어의 음량을 " + level
                                  : "되돌리지 못했던 플레이어의 음량을 " + level;
        report.rows.push_back(rowNow(outcome.volumeRestored ? onair::kVolumeRestored : onair::kVolumeNotRestored, "",
                                     std::nullopt, report.notice));
        reports->put(std::move(report));
        PostMessageA(notify, kOnAirRowPosted, 0, 0);
    };
    // No worker now: the next hand-over puts it back before it plays.
    startVolumeWorker(kit);
}

}  // namespace

void payBackOwedVolume(AppState& state) { startVolumePayBack(state, true); }

void retryOwedVolume(AppState& state) {
    if (!state.volumeLedger->owed() || runningWorkers() > 0 || GetTickCount() - state.volumeTriedAt < 30'000 ||
        programmeOnAir(state))
        return;
    startVolumePayBack(state, false);
}

void takeWorkerReports(AppState& state) {
    for (const WorkerReport& report : state.workerReports->takeAll()) {
        for (const OnAirRow& row : report.rows) record(state, row);
        if (!IsWindow(state.mainWindow)) continue;
        if (report.nothingToRejoin) fallbackNothingToRejoin(state);  // at exit: the tree is gone, only the rows count
        // The mark is taken back only when no later command has decided
        // what plays since; the tick then tries again while the start window lasts.
        // A fallback not handed over is not on air.
        if (report.command != 0 && report.command == state.fallbackCommand && !report.notStartedTitle.empty())
            state.fallbackCommand = 0;
        if (!report.notStartedTitle.empty() && report.command == latestAirCommand()) {
            for (const ScheduleRef& schedule : currentSchedules(*state.tree, state.tickState)) {
                if (!schedule.record->playing || schedule.record->text != report.notStartedTitle) continue;
                schedule.record->playing = false;
                relabel(*state.tree, schedule.item, *schedule.record);
            }
        }
        if (!report.notice.empty()) holdStatus(state, report.notice);
    }
}

void noteNotStarted(AppState& state, const ScheduleNode& schedule, const std::string& why) {
    // The tick tries again for the rest of the start window: one row.
    const LocalTime now = SystemClock().now();
    const std::string key = schedule.text + "|" + std::to_string(schedule.startSec) + "|" +
                            std::to_string(now.year * 10000 + now.month * 100 + now.day);
    if (key == state.lastNotStarted) return;
    state.lastNotStarted = key;
    noteOnAir(state, onair::kNotStarted, schedule.text, schedule.startSec, why);
    fallbackNotStarted(state);
}

void watchAir(AppState& state) {
    const std::optional<std::string> onAir = programmeOnAir(state);
    if (onAir) state.titleOnAir = *onAir;
    const std::optional<TrackNow> track = state.trackWatch.current();
    state.positionWatch.observe(track ? std::optional(track->learntAt) : std::nullopt, track ? track->positionMs : -1,
                                track && track->state == 1);
    const std::optional<std::string> caption = playerCaption(state.winampWindow);
    takeSilence(state, onAir.has_value() || fallbackOnAir(state), playerPlaying(caption));
    fallbackTick(state, caption ? std::optional(captionPlays(*caption)) : std::nullopt);
}

void watchPositionNow(AppState& state) {
    if (state.settings.fallbackPlaylist.empty() || !state.winampWindow || !IsWindow(state.winampWindow)) return;
    const std::optional<TrackNow> track = state.trackWatch.current();
    state.positionWatch.observe(track ? std::optional(track->learntAt) : std::nullopt, track ? track->positionMs : -1,
                                track && track->state == 1);
    const std::optional<std::string> caption = playerCaption(state.winampWindow);
    fallbackTick(state, caption ? std::optional(captionPlays(*caption)) : std::nullopt);
}

void watchWithoutPlayer(AppState& state) {
    if (!state.schedulerOn) return;
    if (const ScheduleNode* due = scheduleDueAt(*state.tree, state.tickState, SystemClock().now()))
        noteNotStarted(state, *due, kNoPlayer);
}

void notePlayerLost(AppState& state) {
    // Dead air ends with the player as far as the record goes: the gap is told.
    takeSilence(state, false, std::nullopt);
    state.playerLost = true;
    state.trackWatch.silenceBegan(watchMoment(), 0);  // what played ends with the player
    writeTrackRows(state);
    noteOnAir(state, onair::kPlayerLost, programmeOnAir(state).value_or(""));
}

WatchMoment watchMoment() {
    return {static_cast<int64_t>(GetTickCount64()), SystemClock().now()};
}

void writeTrackRows(AppState& state) {
    for (const OnAirRow& row : state.trackWatch.takeRows(watchMoment())) record(state, row);
}

void watchTracks(AppState& state) {
    const WatchMoment now = watchMoment();
    state.trackWatch.programmeOnAir(now, programmeOnAir(state));
    // Every tick when a fallback waits for a stopped position.
    state.trackWatch.askEvery(state.settings.fallbackPlaylist.empty() ? kTrackAskEveryMs : 900);
    if (state.conversation && state.winampWindow && IsWindow(state.winampWindow)) {
        if (const uint64_t question = state.trackWatch.questionDue(now))
            state.conversation->askTrack(state.winampWindow, question);
    }
    writeTrackRows(state);
}

void notePlayerFound(AppState& state) {
    if (!std::exchange(state.playerLost, false)) return;  // the first find at start is no event
    noteOnAir(state, onair::kPlayerFound, "");
}

void alertNotStarted(AppState& state, LPARAM posted) {
    const std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(posted));
    state.brokenAlertCommand = state.settings.alertCommand;
    noteOnAir(state, onair::kAlertFailed, "", std::nullopt, *line);
    holdStatus(state, "알림 명령을 시작하지 못했습니다: " + state.settings.alertCommand);
}

}  // namespace airvane
