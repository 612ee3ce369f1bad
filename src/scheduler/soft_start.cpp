#include "scheduler/soft_start.h"

#include <algorithm>

#include "model/schedule_node.h"

namespace airvane {

namespace {
constexpr int32_t kDay = 86400;
constexpr int32_t kLateSec = 5;
}

int32_t secondsPast(int32_t dueSec, int32_t nowSec) { return ((nowSec - dueSec) % kDay + kDay) % kDay; }

bool softAt(int32_t options, int32_t limitSec) { return (options & kSoftStart) != 0 && limitSec > 0; }

SoftStep softStep(const SoftWait& wait, int32_t nowSec, bool overtaken, const TrackLeft& track, int32_t limitSec,
                  int32_t fadeSec) {
    if (overtaken) return {SoftMove::Drop, 0};
    const int32_t past = secondsPast(wait.dueSec, nowSec);
    // The clock was set back past the due second: not due yet.
    if (past > kDay / 2) return {SoftMove::Wait, 0};
    // Seen again long after its limit (the scheduler was off, the player
    // away): too late to start, as a hard start past its window is; an end
    // is made at once.
    if (past > limitSec + kLateSec) return {wait.ending ? SoftMove::AtOnce : SoftMove::Drop, 0};
    // A track that ended a while ago by the last answer: the player plays
    // another by now, whose end is not known.
    if (!track.playing || !track.leftMs || *track.leftMs < -kTickMs) return {SoftMove::AtOnce, 0};
    const int64_t left = std::max<int64_t>(*track.leftMs, 0);
    const int64_t waitedMs = int64_t{past} * 1000;
    const int64_t limitMs = int64_t{limitSec} * 1000;
    if (waitedMs + left <= limitMs) {
        if (left <= kTickMs) return {SoftMove::AtTrackEnd, left};
        return {SoftMove::Wait, 0};
    }
    if (waitedMs >= limitMs - int64_t{fadeSec} * 1000) return {SoftMove::WithFade, 0};
    return {SoftMove::Wait, 0};
}

}  // namespace airvane
