// Play and stop, the main window's commands 104 and 105, and the kit the
// scheduler's workers drive the player with.
#pragma once

#include "player/workers.h"

namespace airvane {

struct AppState;

void playCommand(AppState& state);
void stopCommand(AppState& state);

// The real player window, its volume and the clock, for worker threads.
// An air command (a start, an end, a play, a rejoin) overtakes every
// worker given before it.
WorkerKit workerKit(AppState& state, bool airCommand = true);

// What the operator is told when a hand-over gets no worker.
inline constexpr const char* kNoWorkerToStart = "플레이어가 응답하지 않아 연주를 시작하지 못했습니다";
inline constexpr const char* kNoWorkerToEnd = "플레이어가 응답하지 않아 연주를 멈추지 못했습니다";

}  // namespace airvane
