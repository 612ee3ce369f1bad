#include "app/status_host_win32.h"

#include <algorithm>

#include "app/app_state.h"
#include "app/monitor_host_win32.h"
#include "onair/as_run_day.h"
#include "onair/on_air_record.h"
#include "scheduler/system_clock_win32.h"
#include "status/on_air_now.h"
#include "storage/filesystem.h"

namespace airvane {

namespace {

struct TrackTimes {
    std::optional<int64_t> positionMs, lengthMs;
};

// Where the player is in the track that plays, as the track watch last
// learnt it and the time since (while it plays); unknown: null in status.json.
TrackTimes trackTimesNow(const AppState& state) {
    const std::optional<TrackNow> track = state.trackWatch.current();
    TrackTimes times;
    if (!track) return times;
    if (track->lengthMs > 0) times.lengthMs = track->lengthMs;
    if (track->positionMs >= 0) {
        int64_t position = track->positionMs;
        if (track->state == static_cast<int>(PlayState::Playing))
            position += static_cast<int64_t>(GetTickCount64()) - track->learntAt;
        times.positionMs = times.lengthMs ? std::min(position, *times.lengthMs) : position;
    }
    return times;
}

bool playerFound(const AppState& state) {
    return state.winampWindow && state.winampWindow != kNotLookedFor && IsWindow(state.winampWindow);
}

StatusSnapshot makeSnapshot(AppState& state, const LocalTime& now) {
    StatusSnapshot snapshot;
    snapshot.heartbeat = now;
    snapshot.scheduler = state.schedulerOn;
    snapshot.playerFound = playerFound(state);
    if (state.tree) {
        const std::vector<ScheduleRef>& schedules = currentSchedules(*state.tree, state.tickState);
        snapshot.now = programmeOnAirIn(schedules, cleanTitle(state.lastTitle->get()));
        snapshot.next = nextProgrammeIn(schedules, now);
    }
    if (snapshot.now) {
        const TrackTimes track = trackTimesNow(state);
        snapshot.now->positionMs = track.positionMs;
        snapshot.now->lengthMs = track.lengthMs;
    }
    if (const std::optional<int64_t> since = state.silenceWatch.recordedSilenceSince()) {
        snapshot.silenceSince = localTimeBefore(now, static_cast<int64_t>(GetTickCount64()) - *since);
    }
    return snapshot;
}

// Handed to the writer when what the file should hold changed: a new title,
// another programme, another next, or other settings.
void updateNowPlayingFile(AppState& state, const StatusSnapshot& snapshot) {
    StatusRoom& room = *state.statusRoom;
    // Another path or encoding is another file: its failure is said anew.
    const std::string target = state.settings.nowPlayingFile + '\n' + state.settings.nowPlayingEncoding;
    if (room.nowPlayingSaidFor != target) {
        room.nowPlayingSaidFor = target;
        room.nowPlayingFailureSaid = false;
    }
    if (const std::optional<bool> written = room.writer.takeOutcome()) {
        if (!*written && !std::exchange(room.nowPlayingFailureSaid, true)) {
            holdStatus(state, "지금 방송 파일을 쓰지 못했습니다: " + state.settings.nowPlayingFile);
        }
        if (*written) room.nowPlayingFailureSaid = false;
        // Tried again at the next tick: an encoder that held the file a
        // moment must not leave it stale until the next title.
        else room.nowPlayingWritten.clear();
    }
    const std::string& path = state.settings.nowPlayingFile;
    if (path.empty()) {
        room.nowPlayingWritten.clear();
        return;
    }
    std::optional<NowPlayingFields> fields;
    if (snapshot.now) {
        fields.emplace();
        fields->programme = snapshot.now->programme;
        fields->title = snapshot.now->title;
        if (snapshot.next) {
            fields->next = snapshot.next->programme;
            fields->nextStartSec = snapshot.next->startSec;
        }
    }
    std::string bytes = nowPlayingBytes(formatNowPlaying(state.settings.nowPlayingFormat, fields),
                                        state.settings.nowPlayingEncoding);
    std::string key = path + '\n' + state.settings.nowPlayingEncoding + '\n' + bytes;
    if (key == room.nowPlayingWritten) return;
    room.nowPlayingWritten = std::move(key);
    room.writer.put(path, std::move(bytes));
}

std::shared_ptr<StatusSite> siteFor(AppState& state) {
    // Copies: the server's threads reach nothing of the program's state.
    const std::string configPath = state.config.path();
    const std::string folder = state.programFolder;
    auto today = [configPath, folder](const LocalTime& day) -> std::optional<TodayCounts> {
        std::string logFolder = folder;
        if (!logFolder.empty() && logFolder.back() != '\\') logFolder += '\\';
        // So far today: what is due in the last seconds may not be on
        // record yet, and what is still to come is not missed.
        const int32_t upTo = std::max(daySecondsOf(day) - 5, 0);
        const AsRunDay asRun =
            asRunForDay(configPath, logFolder + "LOG\\", day.year, day.month, day.day, upTo);
        if (!asRun.recordReadable) return std::nullopt;
        const AsRunReport& r = asRun.report;
        return TodayCounts{r.planned, r.onTime, r.late, r.missed, r.cutShort};
    };
    auto record = [folder](const LocalTime& day) -> std::optional<std::string> {
        const auto path = onAirRecordPath(folder, day.year, day.month, day.day);
        return path ? readWholeFile(*path) : std::nullopt;
    };
    return std::make_shared<StatusSite>(state.statusRoom->board, today, record);
}

}  // namespace

StatusRoom::StatusRoom() : writer(writeFileAtomically) {}

void publishStatus(AppState& state) {
    // A port another program held (an earlier run still ending) is tried
    // again while it is wanted.
    StatusRoom& room = *state.statusRoom;
    if (!room.server && state.settings.statusPort != 0 && GetTickCount() - room.serverTriedAt >= 30'000)
        followStatusSettings(state);
    StatusSnapshot snapshot = makeSnapshot(state, SystemClock().now());
    updateNowPlayingFile(state, snapshot);
    state.statusRoom->board->publish(std::move(snapshot));
}

void followStatusSettings(AppState& state) {
    StatusRoom& room = *state.statusRoom;
    const int32_t port = state.settings.statusPort;
    const std::string at =
        port == 0 ? std::string() : state.settings.statusAddress + ":" + std::to_string(port);
    if (at == room.serverAt && (room.server || at.empty())) return;
    stopStatusServer(state);
    if (at.empty()) return;
    auto server = std::make_unique<StatusServer>(siteFor(state));
    std::string error;
    room.serverTriedAt = GetTickCount();
    if (!server->start(state.settings.statusAddress, static_cast<uint16_t>(port), error)) {
        if (std::exchange(room.serverFailureSaid, at) != at)
            holdStatus(state, "상태 서버를 열지 못했습니다 (" + at + "): " + error);
        return;
    }
    room.serverFailureSaid.clear();
    room.server = std::move(server);
    room.serverAt = at;
}

void stopStatusServer(AppState& state) {
    StatusRoom& room = *state.statusRoom;
    room.server.reset();
    room.serverAt.clear();
}

}  // namespace airvane
