#include "player/fade.h"

#include <gtest/gtest.h>

#include <string>
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
    // The set numbered unanswered (from 0) gets no answer and changes nothing.
    bool setVolume(uint32_t value) override {
        if (tries++ == unanswered) return false;
        volume_ = value;
        sets.push_back({clock_.now - 1'000'000, value});
        return true;
    }
    void close() override { ++closes; }

    std::vector<VolumeSet> sets;
    bool present = true;
    int opens = 0, closes = 0, tries = 0, unanswered = -1;

private:
    FakeClock& clock_;
    uint32_t volume_;
};

// The volume falls evenly over the whole fade and is 0 only at its end,
// for the player's range (0..255) and the wave-out range (0..65535).
TEST(Fade, FallsEvenlyOverTheWholeTimeAndReachesZeroAtItsEnd) {
    for (uint32_t v : {255u, 128u, 5u, 65535u, 40000u}) {
        for (int ms : {1000, 3000, 10000, 15}) {
            SCOPED_TRACE("volume " + std::to_string(v) + ", " + std::to_string(ms) + " ms");
            FakeClock clock;
            RecordingMixer mixer(clock, v);
            EXPECT_EQ(fadeVolume(mixer, clock, ms), v);
            const int64_t length = ms * int64_t{1000};
            ASSERT_FALSE(mixer.sets.empty());
            EXPECT_EQ(mixer.sets.back().value, 0u);
            EXPECT_EQ(mixer.sets.back().at, length) << "0 exactly at the end";
            int64_t previous = 0;
            uint32_t last = v;
            for (const VolumeSet& set : mixer.sets) {
                EXPECT_GT(set.at, previous);
                EXPECT_LT(set.value, last);
                // Never below the straight line from v to 0, and at most one
                // step of the line above it.
                const double line = v * (1.0 - static_cast<double>(set.at) / static_cast<double>(length));
                EXPECT_GE(set.value + 1e-9, line);
                EXPECT_LT(set.value, line + 1.0);
                previous = set.at;
                last = set.value;
            }
            // A range finer than the steps is set at every step, about 10 ms apart.
            if (v >= static_cast<uint32_t>(ms / 10)) {
                EXPECT_EQ(mixer.sets.size(), static_cast<std::size_t>(std::max(1, ms / 10)));
            }
            EXPECT_EQ(clock.now - 1'000'000, length) << "the fade lasts exactly its length";
        }
    }
}

TEST(FadeAndStop, APlayingPlayerFadesStopsAndGetsItsVolumeBack) {
    FakeClock clock;
    RecordingMixer mixer(clock, 40000);
    RecordingPlayer player;
    player.state = PlayState::Playing;
    LastTitle last;
    last.set("1. Morning - Winamp");
    VolumeLedger ledger;
    const StopOutcome outcome = fadeAndStop(player, mixer, clock, 3000, last, ledger);
    EXPECT_TRUE(outcome.answered);
    EXPECT_TRUE(outcome.volumeRestored);
    EXPECT_EQ(player.messages(), (std::vector<std::string>{"IPC_ISPLAYING 1", "WINAMP_BUTTON4"}));
    EXPECT_EQ(mixer.sets.back().value, 40000u) << "restored";
    EXPECT_EQ(mixer.sets[mixer.sets.size() - 2].value, 0u);
    EXPECT_EQ(mixer.opens, 2);
    EXPECT_FALSE(ledger.owed());
    EXPECT_EQ(last.get(), "");
}

TEST(FadeAndStop, PausedStoppedGoneNoMixerAndNoFadeTime) {
    FakeClock clock;
    RecordingMixer mixer(clock, 40000);
    LastTitle last;
    VolumeLedger ledger;

    RecordingPlayer paused;
    paused.state = PlayState::Paused;
    fadeAndStop(paused, mixer, clock, 3000, last, ledger);
    EXPECT_EQ(paused.messages(), (std::vector<std::string>{"IPC_ISPLAYING 3", "WINAMP_BUTTON4"}));
    EXPECT_TRUE(mixer.sets.empty()) << "stopped at once, volume untouched";

    RecordingPlayer stopped;
    last.set("x");
    fadeAndStop(stopped, mixer, clock, 3000, last, ledger);
    EXPECT_EQ(stopped.messages(), (std::vector<std::string>{"IPC_ISPLAYING 0"}));
    EXPECT_EQ(last.get(), "");

    RecordingPlayer gone;
    gone.setAlive(false);
    last.set("x");
    fadeAndStop(gone, mixer, clock, 3000, last, ledger);
    EXPECT_TRUE(gone.messages().empty());
    EXPECT_EQ(last.get(), "") << "emptied all the same";

    // No mixer, a fade time of 0 or below: nothing to fade, a stop at once.
    for (int ms : {3000, 0, -5000}) {
        RecordingMixer none(clock, 40000);
        none.present = ms != 3000;
        RecordingMixer& volume = ms == 3000 ? none : mixer;
        RecordingPlayer playing;
        playing.state = PlayState::Playing;
        const int64_t before = clock.now;
        fadeAndStop(playing, volume, clock, ms, last, ledger);
        EXPECT_EQ(playing.messages(), (std::vector<std::string>{"IPC_ISPLAYING 1", "WINAMP_BUTTON4"}));
        EXPECT_EQ(clock.now, before) << ms << " ms: no wait";
        EXPECT_TRUE(volume.sets.empty()) << ms << " ms: the volume is not touched";
    }
}

// One volume message unanswered in the middle of a fade: the fade ends
// there, the player is still stopped and the volume put back. When the
// restore too goes unanswered the volume stays owed, is said, and the next
// stop puts back the old level, not the low one it finds.
TEST(FadeAndStop, AMissedAnswerStillStopsAndRestores) {
    FakeClock clock;
    RecordingMixer mixer(clock, 200);
    mixer.unanswered = 50;
    RecordingPlayer player;
    player.state = PlayState::Playing;
    LastTitle last;
    VolumeLedger ledger;
    StopOutcome outcome = fadeAndStop(player, mixer, clock, 3000, last, ledger);
    EXPECT_EQ(player.messages(), (std::vector<std::string>{"IPC_ISPLAYING 1", "WINAMP_BUTTON4"}));
    EXPECT_EQ(mixer.sets.size(), 51u) << "50 steps, then the restore";
    EXPECT_EQ(mixer.sets.back().value, 200u);
    EXPECT_TRUE(outcome.volumeRestored);
    EXPECT_FALSE(ledger.owed());

    RecordingMixer lowered(clock, 200);
    lowered.unanswered = 200;  // the fade takes 200 sets (199 down to 0); the restore is the one missed
    player.state = PlayState::Playing;
    outcome = fadeAndStop(player, lowered, clock, 3000, last, ledger);
    EXPECT_FALSE(outcome.volumeRestored);
    EXPECT_EQ(ledger.owed(), 200u);
    EXPECT_EQ(lowered.volume(), 0u);

    RecordingMixer later(clock, 0);  // the next programme plays at the level left
    player.state = PlayState::Playing;
    outcome = fadeAndStop(player, later, clock, 3000, last, ledger);
    EXPECT_TRUE(outcome.volumeRestored);
    EXPECT_EQ(later.volume(), 200u) << "the level owed, not the one found";
    EXPECT_FALSE(ledger.owed());

    // With the player stopped there is no fade, and what is owed is still put back.
    ASSERT_TRUE(ledger.owe(180));
    RecordingMixer idle(clock, 0);
    player.state = PlayState::Stopped;
    EXPECT_TRUE(fadeAndStop(player, idle, clock, 3000, last, ledger).volumeRestored);
    EXPECT_EQ(idle.volume(), 180u);
}

TEST(FadeAndStop, APlayerThatDoesNotAnswerIsNotCountedAsStopped) {
    FakeClock clock;
    RecordingMixer mixer(clock, 255);
    RecordingPlayer player;
    player.state = PlayState::Playing;
    player.hung = true;
    LastTitle last;
    VolumeLedger ledger;
    EXPECT_FALSE(fadeAndStop(player, mixer, clock, 3000, last, ledger).answered);
    EXPECT_EQ(player.messages(), (std::vector<std::string>{"IPC_ISPLAYING 0"})) << "nothing more is sent";
    EXPECT_TRUE(mixer.sets.empty());
}

TEST(PlayHandOff, ClearAddPlayInThatOrder) {
    RecordingPlayer player;
    playHandOff(player, "D:\\Radio\\Morning.m3u");
    EXPECT_EQ(player.messages(),
              (std::vector<std::string>{"IPC_DELETE", "IPC_PLAYFILE D:\\Radio\\Morning.m3u", "WINAMP_BUTTON2"}));
}

}  // namespace
}  // namespace airvane
