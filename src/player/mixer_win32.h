// The wave-out volume through the winmm mixer: device 0, the wave-out
// source line, its volume control, one value for all channels.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "player/mixer.h"

namespace airvane {

class WinmmMixer final : public Mixer {
public:
    WinmmMixer() = default;
    ~WinmmMixer() override { close(); }
    WinmmMixer(const WinmmMixer&) = delete;
    WinmmMixer& operator=(const WinmmMixer&) = delete;

    bool openWaveOutVolume() override;
    uint32_t volume() override;
    void setVolume(uint32_t value) override;
    void close() override;

private:
    bool details(bool set, DWORD& value);

    HMIXER mixer_ = nullptr;
    DWORD controlId_ = 0;
};

}  // namespace airvane
