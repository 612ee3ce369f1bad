// The stand-in player's simulated playback and journal lines.
#include <gtest/gtest.h>

#include "journal.h"
#include "playback.h"

namespace standin {
namespace {

TEST(StandinPlayback, TracksEndAndTheListStopsAtItsEnd) {
    Playback playback(20, 1);
    EXPECT_EQ(playback.caption(), "Winamp");
    playback.add("D:\\Music\\Sunrise.mp3");
    playback.add("D:\\Music\\Coffee.Break.mp3");
    playback.play();
    EXPECT_EQ(playback.caption(), "1. Sunrise - Winamp");
    playback.advance(19);
    EXPECT_EQ(playback.position(), 1);
    playback.advance(1);
    EXPECT_EQ(playback.caption(), "2. Coffee.Break - Winamp");
    playback.advance(20);
    EXPECT_EQ(playback.state(), State::Stopped);
    EXPECT_EQ(playback.caption(), "2. Coffee.Break - Winamp [Stopped]");
}

TEST(StandinPlayback, RepeatPauseAndShuffle) {
    Playback playback(10, 7);
    for (const char* track : {"a.mp3", "b.mp3", "c.mp3"}) playback.add(track);
    playback.setRepeat(true);
    playback.play();
    playback.advance(30);
    EXPECT_EQ(playback.position(), 1) << "around again";
    EXPECT_EQ(playback.state(), State::Playing);
    playback.pause();
    playback.advance(100);
    EXPECT_EQ(playback.state(), State::Paused);
    EXPECT_EQ(playback.position(), 1);
    EXPECT_EQ(playback.caption(), "1. a - Winamp [Paused]");
    playback.pause();
    playback.setShuffle(true);
    for (int i = 0; i < 20; ++i) {
        const int before = playback.position();
        playback.advance(10);
        EXPECT_NE(playback.position(), before) << "shuffle picks another track";
    }
}

TEST(StandinJournal, LinesCarryTheTimeWithMilliseconds) {
    EXPECT_EQ(journalLine({2026, 12, 8, 6, 0, 0, 412}, "IPC_PLAYFILE C:\\Radio\\Morning.m3u"),
              "2026-12-08 06:00:00.412 IPC_PLAYFILE C:\\Radio\\Morning.m3u");
}

}  // namespace
}  // namespace standin
