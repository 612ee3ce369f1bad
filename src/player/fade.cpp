#include "player/fade.h"

#include <algorithm>

#include "monitor/last_title.h"

namespace airvane {

namespace {
constexpr int64_t kStepMillis = 10;
std::mutex gFadeInProgress;
}  // namespace

std::unique_lock<std::mutex> oneFadeAtATime() { return std::unique_lock(gFadeInProgress); }

uint32_t fadeVolume(Mixer& mixer, FadeClock& clock, int milliseconds) {
    const int64_t start = clock.nowMicros();
    const int64_t length = std::max(milliseconds, 1) * int64_t{1000};
    const uint32_t v = mixer.volume();
    const int64_t steps = std::max<int64_t>(1, milliseconds / kStepMillis);
    uint32_t shown = v;
    for (int64_t k = 1; k <= steps; ++k) {
        const auto value = static_cast<uint32_t>((uint64_t{v} * static_cast<uint64_t>(steps - k) + steps - 1) / steps);
        if (value == shown) continue;  // nothing to tell the player at this step
        clock.sleepUntil(start + length * k / steps);
        if (!mixer.setVolume(value)) return v;
        shown = value;
    }
    clock.sleepUntil(start + length);
    return v;
}

bool payBackVolume(Mixer& mixer, VolumeLedger& ledger) {
    const std::optional<uint32_t> owed = ledger.owed();
    if (!owed) return true;
    if (!mixer.openVolume()) return false;
    const bool back = mixer.setVolume(*owed);
    mixer.close();
    if (back) ledger.settle();
    return back;
}

StopOutcome fadeAndStop(Player& player, Mixer& mixer, FadeClock& clock, int milliseconds, LastTitle& lastTitle,
                        VolumeLedger& ledger) {
    StopOutcome outcome;
    if (player.alive()) {
        const int state = player.isPlaying();
        if (!player.answered()) {
            outcome.answered = false;  // playing or not, nobody knows: nothing more is sent
        } else if (state == static_cast<int>(PlayState::Paused)) {
            player.stop();
        } else if (state != static_cast<int>(PlayState::Stopped)) {
            if (milliseconds > 0 && mixer.openVolume()) {
                ledger.owe(ledger.owed().value_or(mixer.volume()));
                fadeVolume(mixer, clock, milliseconds);
                mixer.close();
            }
            player.stop();
        }
        outcome.answered = player.answered();
    }
    // Put back whatever is owed, even after a stop nobody answered: the
    // volume message has its own bound.
    outcome.volumeRestored = payBackVolume(mixer, ledger);
    lastTitle.clear();
    return outcome;
}

}  // namespace airvane
