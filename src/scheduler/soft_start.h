// Soft starts and ends: a Schedule with kSoftStart lets the song on air
// end before its programme takes over (or before its end time stops the
// player), but never waits longer than SoftWaitSec. The decision is made
// afresh at every tick from what the player last told of its track, so
// the wait lives across ticks and never holds the tick.
#pragma once

#include <cstdint>
#include <optional>

#include "model/schedule_tree.h"

namespace airvane {

// What the tick knows of the track on air at this tick.
struct TrackLeft {
    bool playing = false;  // the player said it plays
    // Until the track's end, reckoned from the last answer (below 0 when
    // the track has ended since); none when the player did not tell.
    std::optional<int64_t> leftMs;
};

// A soft start or end that fell due and waits for the song's end.
struct SoftWait {
    NodeItem item = kNoNode;
    int32_t dueSec = 0;     // the start second, or the end time
    uint64_t command = 0;   // the newest air command when it fell due
    bool ending = false;
    // Handed over or dropped: kept only so that the rest of its start
    // window does not start it again.
    bool settled = false;
};

enum class SoftMove {
    Wait,        // not yet
    AtTrackEnd,  // hand over (or stop) without a fade inMs from now, at the track's end
    WithFade,    // the limit: fade out now, so that the change comes at due + limit
    AtOnce,      // nothing plays, or the player cannot tell: as a hard start or end does
    Drop,        // a later command (a start, the operator's play or stop) came first
};

struct SoftStep {
    SoftMove move = SoftMove::Wait;
    int64_t inMs = 0;
};

// A track end this close is handed over by a worker that waits the rest;
// the next tick would come too late.
inline constexpr int64_t kTickMs = 1000;

// How far past the due second now is, across midnight.
int32_t secondsPast(int32_t dueSec, int32_t nowSec);

// The step at this tick. overtaken: an air command came after wait.command.
// A wait of limitSec 0 is no wait at all (the caller then does as for a hard
// start). The fade takes fadeSec; it starts early enough to end at the limit.
SoftStep softStep(const SoftWait& wait, int32_t nowSec, bool overtaken, const TrackLeft& track, int32_t limitSec,
                  int32_t fadeSec);

// Whether the option makes a soft start or end of this Schedule: a limit of
// 0 turns the option off station-wide.
bool softAt(int32_t options, int32_t limitSec);

}  // namespace airvane
