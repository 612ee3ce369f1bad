// The fade's clock on Windows. Sleep(10) sleeps about 15.6 ms at the
// default timer resolution, which would stretch a 3-second fade to almost
// five: the clock raises the resolution to 1 ms while it exists and paces
// each step against its deadline on the performance counter.
#include <windows.h>
#include <mmsystem.h>

#include "player/system_fade_clock.h"

namespace airvane {

SystemFadeClock::SystemFadeClock() { timeBeginPeriod(1); }
SystemFadeClock::~SystemFadeClock() { timeEndPeriod(1); }

int64_t SystemFadeClock::nowMicros() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return counter.QuadPart / frequency.QuadPart * 1'000'000 +
           (counter.QuadPart % frequency.QuadPart) * 1'000'000 / frequency.QuadPart;
}

void SystemFadeClock::sleepUntil(int64_t deadlineMicros) {
    for (;;) {
        const int64_t left = deadlineMicros - nowMicros();
        if (left <= 0) return;
        // Sleep for the whole milliseconds, then yield for the rest.
        Sleep(left >= 2000 ? static_cast<DWORD>(left / 1000 - 1) : 0);
    }
}

}  // namespace airvane
