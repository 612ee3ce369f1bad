// What Airvane did to the air, written to the on-air record as it happens,
// and the alert command started when a programme is not on air as it
// should be. Rows are written on the UI thread only; a worker posts the row
// it stamped when the player took the programme.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/schedule_node.h"
#include "monitor/track_watch.h"
#include "onair/on_air_record.h"
#include "player/workers.h"

namespace airvane {

struct AppState;

inline constexpr UINT kOnAirRowPosted = WM_APP + 4;    // a worker left a report in WorkerReports
inline constexpr UINT kAlertNotStarted = WM_APP + 5;   // lParam: the command line that failed

// What a worker found, stamped on its thread and kept here until the UI
// thread takes it: a report made while the window goes away at exit is
// still written, after the workers were waited for.
struct WorkerReport {
    std::vector<OnAirRow> rows;
    uint64_t command = 0;         // the air command the worker carried
    std::string notStartedTitle;  // a hand-over the player did not take: its mark is taken back
    std::string notice;           // for the status line
    bool nothingToRejoin = false;  // a rejoin found the list already ended
};

class WorkerReports {
public:
    void put(WorkerReport report) {
        std::lock_guard lock(mutex_);
        reports_.push_back(std::move(report));
    }
    std::vector<WorkerReport> takeAll() {
        std::lock_guard lock(mutex_);
        return std::exchange(reports_, {});
    }

private:
    std::mutex mutex_;
    std::vector<WorkerReport> reports_;
};

// The rows the record would not take are tried again (each tick, and at
// exit); the status line says once that they are kept.
void writeHeldOnAirRows(AppState& state);
// A row stamped now.
void noteOnAir(AppState& state, std::string_view event, const std::string& title,
               std::optional<int32_t> dueSec = std::nullopt, const std::string& detail = {});
// A row stamped now, and the alert command started for it.
void alertOnAir(AppState& state, std::string_view event, const std::string& title, const std::string& detail);
// The kit's worker stamps the row when it is done (the player stopped or
// took the programme) and leaves it in the reports: a player gone or not
// answering by then is a start (or an end) not made; a worker overtaken
// by a later command writes nothing, the later command writes its own.
// A rejoin's row says where it put the programme (files: its list).
// A soft start or end gives its detail and, as length_ms, how long it
// waited for the song's end.
void noteWhenDone(AppState& state, WorkerKit& kit, std::string_view event, const std::string& title,
                  std::optional<int32_t> dueSec, std::vector<std::string> files = {}, std::string detail = {},
                  std::optional<int64_t> waitedMs = std::nullopt);
// A volume left owed by an earlier run killed in the middle of a fade is
// put back once the player's window is found, and said.
void payBackOwedVolume(AppState& state);
// Each tick: a restore the player did not answer is tried again every 30 s
// while no programme is marked on air (in one, the next stop or hand-over
// pays it back, and the operator may have set the level meanwhile); only
// success is said.
void retryOwedVolume(AppState& state);
// Writes what the workers reported; also at exit, after they were waited for.
void takeWorkerReports(AppState& state);

// A programme that could not be started, once for its due second; alerted.
void noteNotStarted(AppState& state, const ScheduleNode& schedule, const std::string& why);
// Each tick while the player is there: dead air while a programme should
// be on air. Each tick while it is not: a programme that falls due.
void watchAir(AppState& state);
void watchWithoutPlayer(AppState& state);
void notePlayerLost(AppState& state);
// A track answer just came: a position that stopped is acted on now, not
// at the next tick.
void watchPositionNow(AppState& state);
// This moment, as the track watch is told it.
WatchMoment watchMoment();
// Each tick while the scheduler runs and the player is there: the
// programme on air told to the track watch, a track question asked when
// one is due, and the track rows decided written.
void watchTracks(AppState& state);
void writeTrackRows(AppState& state);
void notePlayerFound(AppState& state);
// The alert command could not be started: recorded and shown once, and not
// tried again until the command is changed.
void alertNotStarted(AppState& state, LPARAM commandLine);

}  // namespace airvane
