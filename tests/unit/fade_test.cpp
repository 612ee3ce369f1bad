#include "player/fade.h"

#include <gtest/gtest.h>

#include <vector>

#include "monitor/last_title.h"
#include "player/recording_player.h"

namespace airvane {
namespace {

// Time moves only when the fade sleeps.
class FakeClock final : public FadeClock {
public:
    int64_t nowMicros() override { return now; }
    void sleepUntil(int64_t deadline) override { now = std::max(now, deadline); }
    int64_t now = 1'000'000;
};

struct VolumeSet {
    int64_t at;  // microseconds after the fade began
    uint32_t value;
};

class RecordingMixer final : public Mixer {
public:
    RecordingMixer(FakeClock& clock, uint32_t volume) : clock_(clock), volume_(volume) {}
    bool openVolume() override {
        ++opens;
        return present;
    }
    uint32_t volume() override { return volume_; }
    void setVolume(uint32_t value) override {
        volume_ = value;
        sets.push_back({clock_.now - 1'000'000, value});
    }
    void close() override { ++closes; }

    std::vector<VolumeSet> sets;
    bool present = true;
    int opens = 0, closes = 0;

private:
    FakeClock& clock_;
    uint32_t volume_;
};

TEST(Fade, ThreeSecondsFrom65535) {
    FakeClock clock;
    RecordingMixer mixer(clock, 65535);
    std::optional<uint32_t> old = fadeVolume(mixer, clock, 3000);
    ASSERT_TRUE(old);
    EXPECT_EQ(*old, 65535u);
    ASSERT_EQ(mixer.sets.size(), 302u);  // 301 sets from 65535 down to 135, then 0
    EXPECT_EQ(mixer.sets[0].value, 65535u);
    EXPECT_EQ(mixer.sets[1].value, 65535u - 218);
    EXPECT_EQ(mixer.sets[300].value, 135u);
    EXPECT_EQ(mixer.sets[301].value, 0u);
    EXPECT_EQ(mixer.sets[0].at, 0);
    EXPECT_EQ(mixer.sets[150].at, 1'500'000) << "10 ms apart, on their deadlines";
    EXPECT_EQ(mixer.sets[301].at, 3'000'000) << "never later than the fade's length";
    EXPECT_EQ(clock.now - 1'000'000, 3'000'000) << "the fade lasts exactly its length";
    EXPECT_EQ(mixer.opens, 1);
    EXPECT_EQ(mixer.closes, 1);
}

TEST(Fade, ZeroSecondsSmallAndSilentVolumes) {
    FakeClock clock;
    RecordingMixer full(clock, 1000);
    fadeVolume(full, clock, 0);  // one step of the whole volume
    ASSERT_EQ(full.sets.size(), 2u);
    EXPECT_EQ(full.sets[0].value, 1000u);
    EXPECT_EQ(full.sets[1].value, 0u);
    EXPECT_EQ(full.sets[1].at, 10'000);

    FakeClock clock2;
    RecordingMixer silent(clock2, 0);
    fadeVolume(silent, clock2, 3000);
    ASSERT_EQ(silent.sets.size(), 1u);
    EXPECT_EQ(silent.sets[0].value, 0u);

    FakeClock clock3;
    RecordingMixer small(clock3, 5);  // fewer than the 300 steps: step 1, v + 1 sets
    fadeVolume(small, clock3, 3000);
    ASSERT_EQ(small.sets.size(), 6u);
    EXPECT_EQ(small.sets[4].value, 1u);
    EXPECT_EQ(small.sets[5].value, 0u);
}

TEST(FadeAndStop, APlayingPlayerFadesStopsAndGetsItsVolumeBack) {
    FakeClock clock;
    RecordingMixer mixer(clock, 40000);
    RecordingPlayer player;
    player.state = PlayState::Playing;
    LastTitle last;
    last.set("1. Morning - Winamp");
    fadeAndStop(player, mixer, clock, 3000, last);
    EXPECT_EQ(player.messages(), (std::vector<std::string>{"IPC_ISPLAYING 1", "WINAMP_BUTTON4"}));
    EXPECT_EQ(mixer.sets.back().value, 40000u) << "restored";
    EXPECT_EQ(mixer.sets[mixer.sets.size() - 2].value, 0u);
    EXPECT_EQ(mixer.opens, 2);
    EXPECT_EQ(last.get(), "");
}

TEST(FadeAndStop, PausedStoppedGoneAndNoMixer) {
    FakeClock clock;
    RecordingMixer mixer(clock, 40000);
    LastTitle last;

    RecordingPlayer paused;
    paused.state = PlayState::Paused;
    fadeAndStop(paused, mixer, clock, 3000, last);
    EXPECT_EQ(paused.messages(), (std::vector<std::string>{"IPC_ISPLAYING 3", "WINAMP_BUTTON4"}));
    EXPECT_TRUE(mixer.sets.empty()) << "stopped at once, volume untouched";

    RecordingPlayer stopped;
    last.set("x");
    fadeAndStop(stopped, mixer, clock, 3000, last);
    EXPECT_EQ(stopped.messages(), (std::vector<std::string>{"IPC_ISPLAYING 0"}));
    EXPECT_EQ(last.get(), "");

    RecordingPlayer gone;
    gone.setAlive(false);
    last.set("x");
    fadeAndStop(gone, mixer, clock, 3000, last);
    EXPECT_TRUE(gone.messages().empty());
    EXPECT_EQ(last.get(), "") << "emptied all the same";

    RecordingMixer none(clock, 40000);
    none.present = false;
    RecordingPlayer playing;
    playing.state = PlayState::Playing;
    const int64_t before = clock.now;
    fadeAndStop(playing, none, clock, 3000, last);
    EXPECT_EQ(playing.messages(), (std::vector<std::string>{"IPC_ISPLAYING 1", "WINAMP_BUTTON4"}));
    EXPECT_EQ(clock.now, before) << "no mixer: no fade, a stop at once";
    EXPECT_TRUE(none.sets.empty()) << "and nothing restored";
}

TEST(FadeAndStop, ANegativeFadeTimeCountsAsZero) {
    FakeClock clock;
    RecordingMixer mixer(clock, 300);
    RecordingPlayer player;
    player.state = PlayState::Playing;
    LastTitle last;
    fadeAndStop(player, mixer, clock, -5000, last);
    ASSERT_EQ(mixer.sets.size(), 3u);  // 300, 0, then the restore
    EXPECT_EQ(mixer.sets[1].value, 0u);
    EXPECT_EQ(mixer.sets[1].at, 10'000);
}

TEST(PlayHandOff, ClearAddPlayInThatOrder) {
    RecordingPlayer player;
    playHandOff(player, "D:\\Radio\\Morning.m3u");
    EXPECT_EQ(player.messages(),
              (std::vector<std::string>{"IPC_DELETE", "IPC_PLAYFILE D:\\Radio\\Morning.m3u", "WINAMP_BUTTON2"}));
}

}  // namespace
}  // namespace airvane
