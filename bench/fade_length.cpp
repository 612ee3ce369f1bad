// How long a fade really lasts against what was asked, with real sleeps and
// a mixer that only counts: natively (build/native/bench/fade_length) and
// under Wine (build/win/bench/fade_length.exe). It reports; it never fails.
#include <cstdio>

#include "player/fade.h"
#include "player/system_fade_clock.h"

namespace {

class CountingMixer final : public airvane::Mixer {
public:
    bool openVolume() override { return true; }
    uint32_t volume() override { return 65535; }
    bool setVolume(uint32_t) override {
        ++sets;
        return true;
    }
    void close() override {}
    int sets = 0;
};

}  // namespace

int main() {
    airvane::SystemFadeClock clock;
    std::printf("%-12s %-12s %-10s %s\n", "asked (ms)", "lasted (ms)", "off (ms)", "volume sets");
    for (int seconds : {1, 3, 10}) {
        CountingMixer mixer;
        const int64_t start = clock.nowMicros();
        mixer.openVolume();
        airvane::fadeVolume(mixer, clock, seconds * 1000);
        const double lasted = static_cast<double>(clock.nowMicros() - start) / 1000.0;
        std::printf("%-12d %-12.1f %-10.1f %d\n", seconds * 1000, lasted, lasted - seconds * 1000, mixer.sets);
    }
    return 0;
}
