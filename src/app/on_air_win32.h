// What Airvane did to the air, written to the on-air record as it happens,
// and the alert command started when a programme is not on air as it
// should be. Rows are written on the UI thread only; a worker posts the row
// it stamped when the player took the programme.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/schedule_node.h"
#include "onair/on_air_record.h"
#include "player/workers.h"

namespace airvane {

struct AppState;

inline constexpr UINT kOnAirRowPosted = WM_APP + 4;    // lParam: an OnAirRow made by a worker
inline constexpr UINT kAlertNotStarted = WM_APP + 5;   // lParam: the command line that failed

// The rows the record would not take are tried again (each tick, and at
// exit); the status line says once that they are kept.
void writeHeldOnAirRows(AppState& state);
// A row stamped now.
void noteOnAir(AppState& state, std::string_view event, const std::string& title,
               std::optional<int32_t> dueSec = std::nullopt, const std::string& detail = {});
// The kit's worker stamps the row when it is done (the player stopped or
// took the programme) and posts it; a player gone by then is a start not
// made.
void noteWhenDone(AppState& state, WorkerKit& kit, std::string_view event, const std::string& title,
                  std::optional<int32_t> dueSec);
void takePostedRow(AppState& state, LPARAM row);

// A programme that could not be started, once for its due second; alerted.
void noteNotStarted(AppState& state, const ScheduleNode& schedule, const std::string& why);
// Each tick while the player is there: dead air while a programme should
// be on air. Each tick while it is not: a programme that falls due.
void watchAir(AppState& state);
void watchWithoutPlayer(AppState& state);
void notePlayerLost(AppState& state);
void notePlayerFound(AppState& state);
// The alert command could not be started: recorded and shown once, and not
// tried again until the command is changed.
void alertNotStarted(AppState& state, LPARAM commandLine);

}  // namespace airvane
