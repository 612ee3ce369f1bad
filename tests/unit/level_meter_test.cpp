// The level meter on buffers as a loopback capture would hand them over.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "onair/level_meter.h"

namespace airvane {
namespace {

std::vector<float> sine(double amplitude, std::size_t count) {
    std::vector<float> samples(count);
    for (std::size_t i = 0; i < count; ++i) samples[i] = static_cast<float>(amplitude * std::sin(2 * M_PI * 440 * i / 48000.0));
    return samples;
}

TEST(LevelMeter, TheRmsOfKnownBuffersInDbfs) {
    const std::vector<float> full = sine(1.0, 48000);
    EXPECT_NEAR(rmsDbfs(full.data(), full.size()), -3.01, 0.05) << "a full-scale sine";
    const std::vector<float> quiet = sine(0.01, 48000);
    EXPECT_NEAR(rmsDbfs(quiet.data(), quiet.size()), -43.01, 0.05);
    const std::vector<float> zeros(4800, 0.0f);
    EXPECT_EQ(rmsDbfs(zeros.data(), zeros.size()), kNoSoundDb);
    EXPECT_EQ(rmsDbfs(static_cast<const float*>(nullptr), 0), kNoSoundDb);
    const std::vector<int16_t> square(960, 16384);
    EXPECT_NEAR(rmsDbfs(square.data(), square.size()), -6.02, 0.05) << "half scale";
    const std::vector<int16_t> silence(960, 0);
    EXPECT_EQ(rmsDbfs(silence.data(), silence.size()), kNoSoundDb);
}

double squares(const std::vector<float>& samples) {
    double sum = 0;
    for (float s : samples) sum += double{s} * s;
    return sum;
}

TEST(LevelMeter, SecondsBelowTheLevelOrWithoutPacketsAreSilence) {
    LevelWatch watch(-40.0);
    const std::vector<float> music = sine(0.5, 4800), hiss = sine(0.005, 4800);
    // Second 10: music in ten packets of 100 ms.
    for (int i = 0; i < 10; ++i) watch.packet(10'000 + i * 100, squares(music), music.size());
    EXPECT_FALSE(watch.silentSince(11'000));
    EXPECT_NEAR(watch.lastSecondDb(), -9.03, 0.05);
    // Second 11: hiss at -49 dBFS, below -40.
    for (int i = 0; i < 10; ++i) watch.packet(11'000 + i * 100, squares(hiss), hiss.size());
    EXPECT_EQ(watch.silentSince(12'000), 11'000);
    // Seconds 12 and 13: no packet at all, as a loopback stream while nothing plays.
    EXPECT_EQ(watch.silentSince(14'000), 11'000);
    EXPECT_EQ(watch.lastSecondDb(), kNoSoundDb);
    // Sound again in second 14: the silence is over once that second closes.
    watch.packet(14'200, squares(music), music.size());
    EXPECT_EQ(watch.silentSince(14'900), 11'000) << "a second is judged when it is over";
    EXPECT_FALSE(watch.silentSince(15'000));
    // One loud packet in a second of hiss makes the second's RMS loud.
    for (int i = 0; i < 9; ++i) watch.packet(15'000 + i * 100, squares(hiss), hiss.size());
    watch.packet(15'950, squares(music), music.size());
    EXPECT_FALSE(watch.silentSince(16'000));
}

}  // namespace
}  // namespace airvane
