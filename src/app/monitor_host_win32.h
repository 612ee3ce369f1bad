// The now-playing monitor in the main window: its tick step, the mark made
// again after an expand or collapse (timer 4), the answers of the player
// conversation, and the stream title handed back at exit.
#pragma once

#include <windows.h>

#include <string>

#include "scheduler/local_time.h"

namespace airvane {

struct AppState;

// Posted by the player conversation when it has an answer.
inline constexpr UINT kPlayingPathAnswer = WM_APP + 3;
// Posted by the player conversation when it has a track answer.
inline constexpr UINT kTrackAnswer = WM_APP + 6;

void runMonitor(AppState& state, const LocalTime& time);
void markPlayingItemAgain(AppState& state);
void takePlayingPathAnswer(AppState& state);
void takeTrackAnswer(AppState& state);
void handBackStreamTitle(AppState& state);
// A word for the operator in the status line, kept there a minute over the
// player's title that the monitor shows every tick.
void holdStatus(AppState& state, const std::string& text);

}  // namespace airvane
