// The level of what the PC plays, as a loopback capture of the output
// device would hand it over: the RMS of each second in dBFS, and since when
// every second has stayed below the silence level. A second without a
// packet counts as silent: a loopback stream delivers nothing while
// nothing plays. Portable: the capture itself is the Windows side's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace airvane {

// The level of a buffer with no sound at all (or no samples).
inline constexpr double kNoSoundDb = -200.0;
inline constexpr double kDefaultSilenceLevelDb = -40.0;

// RMS in dBFS of samples in -1..1 (32-bit float, as the shared-mode mix
// format usually is) or of 16-bit PCM, all channels together.
double rmsDbfs(const float* samples, std::size_t count);
double rmsDbfs(const int16_t* samples, std::size_t count);

class LevelWatch {
public:
    explicit LevelWatch(double silenceLevelDb = kDefaultSilenceLevelDb) : levelDb_(silenceLevelDb) {}
    // A packet's samples (as squares summed over full scale 1.0) at nowMs.
    void packet(int64_t nowMs, double sumOfSquares, std::size_t samples);
    // Since when every whole second up to nowMs has been below the level;
    // none while the last whole second had sound.
    std::optional<int64_t> silentSince(int64_t nowMs);
    // The RMS of the last whole second, in dBFS (kNoSoundDb: no packet).
    double lastSecondDb() const { return lastDb_; }

private:
    void close(int64_t second);

    double levelDb_;
    int64_t second_ = INT64_MIN;  // the second being summed (nowMs / 1000)
    double sum_ = 0;
    std::size_t samples_ = 0;
    double lastDb_ = kNoSoundDb;
    std::optional<int64_t> silentSince_;
    bool started_ = false;
};

}  // namespace airvane
