// When the fallback programme goes on air and comes off: one table of
// ticks, each row what the tick saw and what the watch decided.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "onair/fallback_watch.h"
#include "player/playlist_file.h"

namespace airvane {
namespace {

using Kind = FallbackAction::Kind;
constexpr std::optional<bool> kStopped = false, kPlays = true, kNoAnswer = std::nullopt;

struct Tick {
    int64_t atMs;
    bool due;                              // a programme should be on air
    std::optional<bool> caption;
    std::optional<int64_t> frozenSince;
    bool fallbackOnAir;
    enum { Nothing, Refused, NothingToRejoin, Started } noted = Nothing;
    Kind want = Kind::None;
    FallbackCause wantCause = FallbackCause::Silence;
    SilenceSignal wantSignal = SilenceSignal::None;
};

struct Case {
    const char* name;
    bool configured, fillGaps;
    std::vector<Tick> ticks;
};

TEST(FallbackWatch, DecidesWhichSignalHowLongWhichCauseAndWhatEndsIt) {
    using S = SilenceSignal;
    using C = FallbackCause;
    const std::vector<Case> cases = {
        {"the list ran out: silence by the caption for 3 s",
         true, false,
         {{0, true, kPlays, {}, false},
          {1000, true, kStopped, {}, false},
          {3000, true, kStopped, {}, false},
          {3800, true, kNoAnswer, {}, false},
          {3850, true, kStopped, {}, false},
          {3990, true, kStopped, {}, false, Tick::Nothing, Kind::HandOver, C::Silence, S::Caption},
          {5000, true, kStopped, {}, true},
          {6000, true, kPlays, {}, true}}},
        {"nothing of this without FallbackPlaylist",
         false, true,
         {{0, true, kStopped, {}, false}, {60000, true, kStopped, {}, false}, {90000, false, kStopped, {}, false}}},
        {"a stopped player before the programme's start is no silence of it",
         true, false,
         {{0, false, kStopped, {}, false},
          {60000, true, kStopped, {}, false},
          {61000, true, kPlays, {}, false},
          {70000, true, kPlays, {}, false}}},
        {"a position frozen since 1 s, seen at 4 s: handed over at once",
         true, false,
         {{0, true, kPlays, {}, false},
          {3000, true, kPlays, {}, false},
          {4000, true, kPlays, int64_t{1000}, false, Tick::Nothing, Kind::HandOver, C::Silence, S::Position}}},
        {"a refused start: not-started once the silence lasts",
         true, false,
         {{0, true, kStopped, {}, false, Tick::Refused},
          {2000, true, kStopped, {}, false},
          {3000, true, kStopped, {}, false, Tick::Nothing, Kind::HandOver, C::NotStarted, S::Caption}}},
        {"a refused programme without an end time is due by its refusal",
         true, false,
         {{0, false, kStopped, {}, false, Tick::Refused},
          {3000, false, kStopped, {}, false, Tick::Nothing, Kind::HandOver, C::NotStarted, S::Caption},
          {60000, false, kPlays, {}, true}}},
        {"a refusal while the air has sound is forgotten",
         true, false,
         {{0, false, kPlays, {}, false, Tick::Refused},
          {1000, false, kPlays, {}, false},
          {2000, false, kStopped, {}, false},
          {9000, false, kStopped, {}, false}}},
        {"a position frozen before a start does not count against that start",
         true, false,
         {{0, true, kPlays, {}, false},
          {4000, true, kPlays, int64_t{1000}, false, Tick::Started},
          {6000, true, kPlays, int64_t{1000}, false},
          {7000, true, kPlays, int64_t{1000}, false, Tick::Nothing, Kind::HandOver, C::Silence, S::Position}}},
        {"a refusal long past, with nothing due, is no cause",
         true, false,
         {{0, false, kNoAnswer, {}, false, Tick::Refused},
          {1000, false, kNoAnswer, {}, false},
          {20000, false, kStopped, {}, false},
          {30000, false, kStopped, {}, false}}},
        {"a restarted player with nothing to rejoin",
         true, false,
         {{0, true, kStopped, {}, false, Tick::NothingToRejoin},
          {3000, true, kStopped, {}, false, Tick::Nothing, Kind::HandOver, C::PlayerRestarted, S::Caption}}},
        {"a programme's start counts the silence anew: its hand-over is no silence",
         true, true,
         {{0, false, kStopped, {}, false},
          {2000, false, kStopped, {}, false},
          {2900, true, kStopped, {}, false, Tick::Started},
          {5000, true, kStopped, {}, false},
          {5900, true, kStopped, {}, false, Tick::Nothing, Kind::HandOver, C::Silence, S::Caption}}},
        {"a gap is silent unless FillGaps",
         true, false,
         {{0, false, kStopped, {}, false}, {30000, false, kStopped, {}, false}}},
        {"FillGaps fills a gap",
         true, true,
         {{0, false, kStopped, {}, false},
          {3000, false, kStopped, {}, false, Tick::Nothing, Kind::HandOver, C::Gap, S::Caption},
          {4000, false, kPlays, {}, true},
          {60000, false, kPlays, {}, true}}},
        {"the programme's time ends the fallback that stood in for it",
         true, false,
         {{0, true, kStopped, {}, false},
          {3000, true, kStopped, {}, false, Tick::Nothing, Kind::HandOver, C::Silence, S::Caption},
          {5000, true, kPlays, {}, true},
          {9000, false, kPlays, {}, true, Tick::Nothing, Kind::End},
          {10000, false, kPlays, {}, true},
          {20000, false, kStopped, {}, false}}},
        {"with FillGaps it stays on after the programme's time",
         true, true,
         {{0, true, kStopped, {}, false},
          {3000, true, kStopped, {}, false, Tick::Nothing, Kind::HandOver, C::Silence, S::Caption},
          {5000, true, kPlays, {}, true},
          {9000, false, kPlays, {}, true}}},
        {"a fallback that falls silent is said once, never handed over again",
         true, false,
         {{0, true, kStopped, {}, false},
          {3000, true, kStopped, {}, false, Tick::Nothing, Kind::HandOver, C::Silence, S::Caption},
          {5000, true, kStopped, {}, true},
          {7850, true, kStopped, {}, true},
          {7950, true, kStopped, {}, true, Tick::Nothing, Kind::FallbackSilent, C::Silence, S::Caption},
          {9000, true, kStopped, {}, true},
          {60000, true, kStopped, {}, true}}},
        {"an old frozen position does not count against the fallback",
         true, false,
         {{0, true, kPlays, int64_t{0}, false},
          {3000, true, kPlays, int64_t{0}, false, Tick::Nothing, Kind::HandOver, C::Silence, S::Position},
          {4000, true, kPlays, int64_t{0}, true},
          {6500, true, kPlays, int64_t{0}, true},
          {7000, true, kPlays, int64_t{0}, true, Tick::Nothing, Kind::FallbackSilent, C::Silence, S::Position}}},
        {"the next programme's start takes over: the watch is free again",
         true, false,
         {{0, true, kStopped, {}, false},
          {3000, true, kStopped, {}, false, Tick::Nothing, Kind::HandOver},
          {4000, true, kPlays, {}, true},
          {40000, true, kPlays, {}, false},
          {41000, true, kStopped, {}, false},
          {44000, true, kStopped, {}, false, Tick::Nothing, Kind::HandOver}}},
    };
    for (const Case& c : cases) {
        FallbackWatch watch;
        uint64_t command = 1;
        for (const Tick& t : c.ticks) {
            if (t.noted == Tick::Started) ++command;
            SCOPED_TRACE(::testing::Message() << c.name << " at " << t.atMs << " ms");
            if (t.noted == Tick::Refused) watch.notStarted(t.atMs);
            if (t.noted == Tick::NothingToRejoin) watch.nothingToRejoin(t.atMs);
            FallbackInput in;
            in.nowMs = t.atMs;
            in.configured = c.configured;
            in.afterMs = 3000;
            in.fillGaps = c.fillGaps;
            in.programmeDue = t.due;
            in.captionPlaying = t.caption;
            in.frozenSince = t.frozenSince;
            in.fallbackOnAir = t.fallbackOnAir;
            in.airCommand = command;
            const FallbackAction action = watch.observe(in);
            EXPECT_EQ(action.kind, t.want);
            if (t.want == Kind::HandOver) {
                EXPECT_EQ(causeName(action.cause), causeName(t.wantCause));
            }
            if (t.want != Kind::None && t.want != Kind::End && t.wantSignal != S::None) {
                EXPECT_EQ(signalName(action.signal), signalName(t.wantSignal));
            }
        }
    }
}

TEST(PositionWatch, APositionStillAfterThreeSecondsWhilePlayingIsFrozen) {
    PositionWatch watch;
    watch.observe(1000, 5000, true);
    watch.observe(1000, 5000, true);  // the same answer seen at the next tick
    EXPECT_FALSE(watch.frozenSince());
    watch.observe(2000, 6000, true);
    watch.observe(3000, 6000, true);
    watch.observe(4800, 6000, true);
    EXPECT_FALSE(watch.frozenSince()) << "2.8 s is not yet frozen";
    watch.observe(4950, 6000, true);
    EXPECT_EQ(watch.frozenSince(), 2000) << "three answers a second apart, a hair short of 3 s";
    watch.observe(5000, 6000, true);
    EXPECT_EQ(watch.frozenSince(), 2000);
    watch.observe(6000, 6000, false);
    EXPECT_FALSE(watch.frozenSince()) << "a stop is the caption's to tell";
    watch.observe(7000, 6000, true);
    watch.observe(11000, 6100, true);
    EXPECT_FALSE(watch.frozenSince()) << "it moves again";
    watch.observe(12000, 0, false);
    watch.observe(std::nullopt, -1, false);
    EXPECT_FALSE(watch.frozenSince());
}

TEST(FallbackWatch, TheCaptionPlaysOnlyWhenItNamesATrackNeitherStoppedNorPaused) {
    EXPECT_TRUE(captionPlays("1. Sunrise - Winamp"));
    EXPECT_FALSE(captionPlays("1. Sunrise - Winamp [Stopped]"));
    EXPECT_FALSE(captionPlays("1. Sunrise - Winamp [Paused]"));
    EXPECT_FALSE(captionPlays("Winamp")) << "an empty list";
    EXPECT_FALSE(captionPlays(""));
}

TEST(FallbackFolder, TakesTheAudioFilesAndListsThemInNameOrder) {
    for (const char* audio : {"a.mp3", "b.WAV", "c.ogg", "d.wma", "e.Flac", "f.m4a", "x.y.mp3"})
        EXPECT_TRUE(isFallbackAudioFile(audio)) << audio;
    for (const char* other : {"list.m3u", "cover.jpg", "mp3", "notes.txt", "a.mp3.bak", ""})
        EXPECT_FALSE(isFallbackAudioFile(other)) << other;
    EXPECT_EQ(fallbackListText({"D:\\Fill\\b.mp3", "D:\\Fill\\a.wav"}), "D:\\Fill\\a.wav\r\nD:\\Fill\\b.mp3\r\n");
    EXPECT_EQ(fallbackListText({}), "");
}

}  // namespace
}  // namespace airvane
