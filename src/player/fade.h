// FadeAndStop: the volume lowered to zero in 10 ms steps, the player
// stopped, the volume put back, so that the next programme starts at the
// old level.
#pragma once

#include <cstdint>
#include <optional>

#include "player/mixer.h"
#include "player/player.h"

namespace airvane {

class LastTitle;

// Lowers the volume from its present value v to 0 in steps of v / (ms / 10)
// and returns v. The steps keep to their deadlines, 10 ms apart and never
// later than ms after the start, and the fade returns ms after its start
// (at least 10 ms), so that a stop that follows lands on time. Without a
// mixer it returns nullopt at once: nothing to fade, nothing to restore.
std::optional<uint32_t> fadeVolume(Mixer& mixer, FadeClock& clock, int milliseconds);

// Puts the volume back to value.
void restoreVolume(Mixer& mixer, uint32_t value);

// Stops what plays: a playing player fades out first, a paused one stops at
// once, a stopped one is left alone. The last seen title is emptied in
// every case, so that the next title counts as new. A negative time counts
// as 0. One runs at a time in the process: a call made while another runs
// waits until that one has stopped the player and restored the volume.
void fadeAndStop(Player& player, Mixer& mixer, FadeClock& clock, int milliseconds, LastTitle& lastTitle);

}  // namespace airvane
