// FadeAndStop: the volume lowered evenly to zero over the fade's length,
// the player stopped, the volume put back, so that the next programme
// starts at the old level.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>

#include "player/mixer.h"
#include "player/player.h"
#include "player/volume_ledger.h"

namespace airvane {

class LastTitle;

// Lowers the volume from its present value v (the mixer already open)
// evenly to 0 over milliseconds, in steps about 10 ms apart, each on its
// deadline: at time t the volume is v * (1 - t / ms) rounded up, so it
// reaches 0 exactly at the end and not before. A step the mixer did not
// take ends the fade early: a player that does not answer is not waited on
// for every step. Returns v.
uint32_t fadeVolume(Mixer& mixer, FadeClock& clock, int milliseconds);

// Puts back what the ledger owes (opening the mixer afresh, with its own
// bound) and settles it. True when nothing is owed any more.
bool payBackVolume(Mixer& mixer, VolumeLedger& ledger);

// What a stop came to.
struct StopOutcome {
    bool answered = true;        // false: a message went unanswered, the player may still play
    bool volumeRestored = true;  // false: the volume is still owed (said, and tried again)
};

// Stops what plays: a playing player fades out first (not with a fade time
// of 0 or less, nor without a mixer), a paused one stops at once, a stopped
// one is left alone. The volume to put back is noted in the ledger before
// the fade lowers it, so a volume still owed from an earlier fade is the
// one restored, not the low one found. The last seen title is emptied in
// every case, so that the next title counts as new. The caller holds
// OneFadeAtATime.
StopOutcome fadeAndStop(Player& player, Mixer& mixer, FadeClock& clock, int milliseconds, LastTitle& lastTitle,
                        VolumeLedger& ledger);

// One fade at a time in the process: a second fade begun while one runs
// would read a volume already lowered. Held by a worker from its fade to
// its hand-over.
std::unique_lock<std::mutex> oneFadeAtATime();

}  // namespace airvane
