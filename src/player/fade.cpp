#include "player/fade.h"

#include <algorithm>
#include <mutex>

#include "monitor/last_title.h"

namespace airvane {

namespace {
constexpr int64_t kStepMicros = 10'000;

// One fade at a time in the process: a second fade begun while one runs
// would read a volume already lowered and put that back after the first
// restored the real one.
std::mutex gFadeInProgress;
}

std::optional<uint32_t> fadeVolume(Mixer& mixer, FadeClock& clock, int milliseconds) {
    if (!mixer.openVolume()) return std::nullopt;
    const int64_t start = clock.nowMicros();
    const int64_t length = std::max<int64_t>(milliseconds, 10) * 1000;
    const uint32_t v = mixer.volume();
    const uint32_t steps = std::max(1, milliseconds / 10);
    const uint32_t step = std::max<uint32_t>(1, v / steps);
    int64_t c = v;
    for (int64_t k = 0;; ++k) {
        if (c < 0) c = 0;
        clock.sleepUntil(start + std::min(k * kStepMicros, length));
        mixer.setVolume(static_cast<uint32_t>(c));
        if (c == 0) break;
        c -= step;
    }
    clock.sleepUntil(start + length);
    mixer.close();
    return v;
}

void restoreVolume(Mixer& mixer, uint32_t value) {
    if (!mixer.openVolume()) return;
    mixer.setVolume(value);
    mixer.close();
}

void fadeAndStop(Player& player, Mixer& mixer, FadeClock& clock, int milliseconds, LastTitle& lastTitle) {
    // A fade that waited here asks the player afresh: normally the other
    // one has stopped it by then.
    std::lock_guard oneFade(gFadeInProgress);
    if (player.alive()) {
        switch (player.isPlaying()) {
            case static_cast<int>(PlayState::Stopped):
                break;
            case static_cast<int>(PlayState::Paused):
                player.stop();
                break;
            default: {
                const std::optional<uint32_t> old = fadeVolume(mixer, clock, std::max(0, milliseconds));
                player.stop();
                if (old) restoreVolume(mixer, *old);
                break;
            }
        }
    }
    lastTitle.clear();
}

}  // namespace airvane
