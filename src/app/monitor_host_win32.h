// The now-playing monitor in the main window: its tick step, the mark made
// again after an expand or collapse (timer 4), and the stream title handed
// back at exit.
#pragma once

#include "scheduler/local_time.h"

namespace airvane {

struct AppState;

void runMonitor(AppState& state, const LocalTime& time);
void markPlayingItemAgain(AppState& state);
void handBackStreamTitle(AppState& state);

}  // namespace airvane
