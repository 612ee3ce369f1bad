// The scheduler tick in the running program: its actions done on the real
// tree, the ConfigFile and the player's window, through the workers.
#pragma once

namespace airvane {

struct AppState;

// Runs one tick (timer 2, while the scheduler is on and the player is alive).
void runSchedulerTick(AppState& state);

}  // namespace airvane
