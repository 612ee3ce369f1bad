// KeepOnAir: no dead air after a restart. When the player's window is found
// (at Airvane's start, or after the player died) the programme the day's
// plan has on air is put back on it; a player that died while the
// scheduler is on is started again, at once and then every 30 s.
#pragma once

namespace airvane {

struct AppState;

// The player as command 103 starts it (its remembered path, the drive
// search); noted, so that a missing player is started at most every 30 s.
void startPlayer(AppState& state);

// The player's window was just found.
void rejoinOnAir(AppState& state);

// The player's window is missing: started again when KeepOnAir asks, at
// once when it has just gone, and then when its last start is 30 s ago.
void restartMissingPlayer(AppState& state, bool justGone);

}  // namespace airvane
