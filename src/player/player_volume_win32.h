// The player's own volume, through its published message 122: the volume
// the fade lowers. Since Windows Vista the legacy mixer moves only the
// calling program's own audio session, so a fade there is silent for the
// player; the player's message works on every Windows and touches nothing
// else.
#pragma once

#include <windows.h>

#include "player/mixer.h"

namespace airvane {

class PlayerVolume final : public Mixer {
public:
    explicit PlayerVolume(HWND player) : player_(player) {}

    // A player that does not know the volume query (its version answer
    // below 2.90, the first to answer it, or no answer at all) has nothing
    // to fade: it is simply stopped.
    bool openVolume() override;
    uint32_t volume() override { return volume_; }
    bool setVolume(uint32_t value) override;
    void close() override {}

    static constexpr LPARAM kIpcGetVersion = 0;
    static constexpr LPARAM kIpcSetVolume = 122;
    static constexpr LRESULT kFirstVersionWithVolumeQuery = 0x2090;

private:
    HWND player_;
    uint32_t volume_ = 0;
    bool unanswered_ = false;
};

}  // namespace airvane
