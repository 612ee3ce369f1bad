// Play and stop, the main window's commands 104 and 105, and the kit the
// scheduler's workers drive the player with.
#pragma once

#include "player/workers.h"

namespace airvane {

struct AppState;

void playCommand(AppState& state);
void stopCommand(AppState& state);

// The real player window, its volume and the clock, for worker threads.
WorkerKit workerKit(AppState& state);

}  // namespace airvane
