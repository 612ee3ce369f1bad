// The fallback programme on the air: each tick the fallback watch is told
// what the caption and the position say, and what it decides is done here
// (the hand-over on a worker, the end, the rows and the status line).
// Without FallbackPlaylist nothing here acts.
#pragma once

#include <optional>

namespace airvane {

struct AppState;

// Once a tick while the player is there, after the scheduler's passes.
void fallbackTick(AppState& state, std::optional<bool> captionPlaying);
// What the scheduler and KeepOnAir could not do: the cause of the silence
// that follows.
void fallbackNotStarted(AppState& state);
void fallbackNothingToRejoin(AppState& state);
// The fallback's hand-over is the last command that decided what plays.
bool fallbackOnAir(const AppState& state);

}  // namespace airvane
