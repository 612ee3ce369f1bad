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
#include "player/volume_ledger.h"

namespace airvane {

class LastTitle;

// Where a rejoin puts a programme back on the player: its 0-based place in
// the list and where in that track.
struct PlacedAt {
    int index = 0;
    int64_t offsetMs = 0;
    bool known = false;      // worked out from what aired; false: the list's beginning
    bool listEnded = false;  // the list would have ended by now: nothing is handed over
    bool jumped = false;     // the player took the jump into the track
};

// What a worker came to, told on its thread when it is done.
struct WorkerOutcome {
    bool playerThere = true;     // the player's window was there at the end
    bool answered = true;        // the player answered every message of the stop and the hand-over
    bool volumeRestored = true;  // false: the volume is still owed (tried again at the next stop)
    bool overtaken = false;      // a later air command came first: this one did nothing, or was undone
    PlacedAt placed;             // a rejoin: where it put the programme
};

// Every command that decides what the air carries (a start, an end, the
// play and stop commands, a rejoin) takes the next number. A worker acts
// only while its number is the newest, so the command given last wins,
// whichever worker gets to the player first.
uint64_t newAirCommand();
uint64_t latestAirCommand();

struct WorkerKit {
    std::function<std::unique_ptr<Player>()> makePlayer;
    std::function<std::unique_ptr<Mixer>()> makeMixer;
    std::function<std::unique_ptr<FadeClock>()> makeClock;
    std::shared_ptr<LastTitle> lastTitle;
    std::shared_ptr<VolumeLedger> ledger;
    int fadeoutMs = 0;
    uint64_t command = 0;  // newAirCommand() when the command was given
    // Waits this long before it goes to the player: a hand-over timed to
    // the end of the song on air, nearer than the next tick.
    int64_t delayMs = 0;
    // Told on the worker's thread once it is done; it must not touch the
    // program's windows, only post.
    std::function<void(const WorkerOutcome&)> done;
};

// How many workers may wait on the player at once; a player that hangs
// cannot make them pile up beyond this.
inline constexpr int kMaxWorkers = 8;

// False when the worker was not started (too many still running, or no
// thread could be made).
bool startEndWorker(const WorkerKit& kit);
bool startStartWorker(const WorkerKit& kit, int32_t options, std::string playlistPath);
bool startPlayWorker(const WorkerKit& kit, std::string path);
// Where a rejoin puts the programme: called on the worker before it waits
// for the fade lock (it reads the record), it gives the function that
// places the programme at the moment it is called.
using PlaceFinder = std::function<std::function<PlacedAt()>()>;
// A start that puts the programme where it would be now: worked out before
// the fade (a list that would have ended is not handed over) and again
// after it, on the clock of the hand-over.
bool startRejoinWorker(const WorkerKit& kit, int32_t options, std::string playlistPath, PlaceFinder where);
// Puts back a volume the ledger owes (left low by an earlier run); it
// changes nothing of what plays.
bool startVolumeWorker(const WorkerKit& kit);

// Workers still running (for tests and the exit).
int runningWorkers();
// At exit: waits until no worker runs, at most milliseconds, so that a fade
// in progress puts the volume back. False when some still ran.
bool waitForWorkers(int milliseconds);

}  // namespace airvane
