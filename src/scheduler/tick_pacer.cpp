#include "scheduler/tick_pacer.h"

#include <tuple>

namespace airvane {

namespace {
auto secondOf(const LocalTime& t) { return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second); }
}  // namespace

bool TickPacer::newSecond(const LocalTime& now) {
    if (ticked_ && secondOf(now) == secondOf(last_)) return false;
    last_ = now;
    ticked_ = true;
    return true;
}

unsigned TickPacer::delayToNextRun(const LocalTime& now) {
    return static_cast<unsigned>(1000 - now.millisecond + kTickOffsetMs);
}

}  // namespace airvane
