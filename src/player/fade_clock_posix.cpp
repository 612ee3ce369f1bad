// The fade's clock natively: CLOCK_MONOTONIC and nanosleep to a deadline.
#include <time.h>

#include "player/system_fade_clock.h"

namespace airvane {
SystemFadeClock::SystemFadeClock() = default;
SystemFadeClock::~SystemFadeClock() = default;
}  // namespace airvane

namespace airvane {

int64_t SystemFadeClock::nowMicros() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1'000'000 + now.tv_nsec / 1000;
}

void SystemFadeClock::sleepUntil(int64_t deadlineMicros) {
    timespec deadline{static_cast<time_t>(deadlineMicros / 1'000'000),
                      static_cast<long>((deadlineMicros % 1'000'000) * 1000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) != 0) {
    }
}

}  // namespace airvane
