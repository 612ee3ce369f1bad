// The real clock of the fade on this platform.
#pragma once

#include "player/mixer.h"

namespace airvane {

class SystemFadeClock final : public FadeClock {
public:
    SystemFadeClock();
    ~SystemFadeClock() override;
    SystemFadeClock(const SystemFadeClock&) = delete;
    SystemFadeClock& operator=(const SystemFadeClock&) = delete;
    int64_t nowMicros() override;
    void sleepUntil(int64_t deadlineMicros) override;
};

}  // namespace airvane
