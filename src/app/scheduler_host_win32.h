// The scheduler tick in the running program: its actions done on the real
// tree, the ConfigFile and the player's window, through the workers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace airvane {

struct AppState;

// Runs one tick (timer 2, while the scheduler is on and the player is alive).
void runSchedulerTick(AppState& state);

// A job file loaded on air (a loading time, or one KeepOnAir finds missed):
// shown, remembered as "JobFile", recorded (due: its loading second).
void loadJobFileOnAir(AppState& state, const std::string& jobFile, std::optional<int32_t> due,
                      const std::string& why = {});

}  // namespace airvane
