// Places each run of the scheduler tick just after a wall-clock second
// begins, so that a programme reaches the player on its second and not up
// to a second late; one run per second, whatever the timer's own accuracy.
#pragma once

#include "scheduler/local_time.h"

namespace airvane {

// How far into a second the tick aims to run: past the turn of the second
// even for a timer that fires a little early, and early enough that the
// hand-off lands within a few tens of milliseconds.
inline constexpr int kTickOffsetMs = 10;

class TickPacer {
public:
    // True when the time read at a timer's run is in a second not yet
    // ticked; a run that comes early, still in the last ticked second, is
    // not a tick of its own.
    bool newSecond(const LocalTime& now);
    // Milliseconds from now to the next run: the offset past the next turn
    // of the second.
    static unsigned delayToNextRun(const LocalTime& now);

private:
    LocalTime last_{};
    bool ticked_ = false;
};

}  // namespace airvane
