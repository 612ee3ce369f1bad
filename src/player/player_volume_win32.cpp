#include "player/player_volume_win32.h"

#include "player/player_win32.h"

namespace airvane {

bool PlayerVolume::openVolume() {
    // The restore after a fade gets its own bound, whatever the fade met.
    unanswered_ = false;
    if (!player_ || !IsWindow(player_)) return false;
    const LRESULT version = sendWithinBound(player_, WM_USER, 0, kIpcGetVersion, unanswered_);
    if (version < kFirstVersionWithVolumeQuery) return false;
    const LRESULT current = sendWithinBound(player_, WM_USER, static_cast<WPARAM>(-666), kIpcSetVolume, unanswered_);
    if (unanswered_ || current < 0 || current > 255) return false;
    volume_ = static_cast<uint32_t>(current);
    return true;
}

bool PlayerVolume::setVolume(uint32_t value) {
    sendWithinBound(player_, WM_USER, value > 255 ? 255 : value, kIpcSetVolume, unanswered_);
    return !unanswered_;
}

}  // namespace airvane
