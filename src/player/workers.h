// The short worker threads the scheduler starts and never waits for: the
// end worker fades out and stops the player; the start worker fades out
// what plays, sets repeat and shuffle, and hands a programme over; the play
// worker does the same for the play command, without repeat and shuffle.
// They get copies of what they need and never touch the program's windows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "player/mixer.h"
#include "player/player.h"

namespace airvane {

class LastTitle;

struct WorkerKit {
    std::function<std::unique_ptr<Player>()> makePlayer;
    std::function<std::unique_ptr<Mixer>()> makeMixer;
    std::function<std::unique_ptr<FadeClock>()> makeClock;
    std::shared_ptr<LastTitle> lastTitle;
    int fadeoutMs = 0;
    // Told on the worker's thread once the player was stopped or took the
    // programme (false: its window was gone by then); it must not touch
    // the program's windows, only post.
    std::function<void(bool playerThere)> done;
};

// How many workers may wait on the player at once; a player that hangs
// cannot make them pile up beyond this.
inline constexpr int kMaxWorkers = 8;

// False when the worker was not started (too many still running, or no
// thread could be made).
bool startEndWorker(const WorkerKit& kit);
bool startStartWorker(const WorkerKit& kit, int32_t options, std::string playlistPath);
bool startPlayWorker(const WorkerKit& kit, std::string path);

// Workers still running (for tests and the exit).
int runningWorkers();
// At exit: waits until no worker runs, at most milliseconds, so that a fade
// in progress puts the volume back. False when some still ran.
bool waitForWorkers(int milliseconds);

}  // namespace airvane
