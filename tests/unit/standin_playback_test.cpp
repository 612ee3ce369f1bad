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

// Milliseconds, the list position set, jumps and lengths per track: each
// row acts on a fresh three-track list (lengths 6 s, 8 s, then 5 s each):
// play or not, set a position, let time pass, jump, let time pass again,
// and reads what the player would answer.
TEST(StandinPlayback, PositionsJumpsAndLengthsPerTrack) {
    struct Row {
        const char* what;
        bool play;
        int setIndex;  // -1: not set
        int64_t beforeMs;
        int64_t jumpMs;  // -1: no jump
        int jumpAnswer;
        int64_t afterMs;
        int index;           // IPC_GETLISTPOS
        int64_t positionMs;  // IPC_GETOUTPUTTIME 0
        int64_t lengthMs;    // IPC_GETOUTPUTTIME 2
        State state;
    };
    const Row rows[] = {
        {"stopped: position 0", false, -1, 3000, -1, 0, 0, 0, 0, 6000, State::Stopped},
        {"milliseconds, not whole seconds", true, -1, 5990, -1, 0, 0, 0, 5990, 6000, State::Playing},
        {"the next track begins on time", true, -1, 6010, -1, 0, 0, 1, 10, 8000, State::Playing},
        {"its own length", true, -1, 6000 + 8000 + 1250, -1, 0, 0, 2, 1250, 5000, State::Playing},
        {"the end of the list", true, -1, 6000 + 8000 + 5000, -1, 0, 0, 2, 0, 5000, State::Stopped},
        {"set position, not playing", false, 1, 0, -1, 0, 0, 1, 0, 8000, State::Stopped},
        {"set position while playing: its start", true, 2, 0, -1, 0, 0, 2, 0, 5000, State::Playing},
        {"set position out of the list: kept", true, 7, 700, -1, 0, 0, 0, 700, 6000, State::Playing},
        {"a jump", true, -1, 1000, 5000, 0, 0, 0, 5000, 6000, State::Playing},
        {"a jump, then time passes", true, 1, 0, 7000, 0, 500, 1, 7500, 8000, State::Playing},
        {"a jump past the end", true, -1, 300, 6000, 1, 0, 0, 300, 6000, State::Playing},
        {"a jump while stopped", false, -1, 0, 2000, -1, 0, 0, 0, 6000, State::Stopped},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Playback playback({6, 8, 5}, 1);
        for (const char* track : {"a.mp3", "b.mp3", "c.mp3"}) playback.add(track);
        if (row.play) playback.play();
        if (row.setIndex >= 0) {
            EXPECT_EQ(playback.setListIndex(row.setIndex), row.setIndex < 3);
        }
        playback.advanceMs(row.beforeMs);
        if (row.jumpMs >= 0) {
            EXPECT_EQ(playback.jumpTo(row.jumpMs), row.jumpAnswer);
        }
        playback.advanceMs(row.afterMs);
        EXPECT_EQ(playback.listIndex(), row.index);
        EXPECT_EQ(playback.positionMs(), row.positionMs);
        EXPECT_EQ(playback.lengthMs(), row.lengthMs);
        EXPECT_EQ(playback.state(), row.state);
    }
    Playback empty(6, 1);
    EXPECT_EQ(empty.lengthMs(), -1) << "no track";
    EXPECT_EQ(Playback(0, 1).lengthMs(), -1);
    EXPECT_EQ(parseTrackLengths("6,8,5"), (std::vector<int>{6, 8, 5}));
    EXPECT_EQ(parseTrackLengths("6"), (std::vector<int>{6}));
    EXPECT_TRUE(parseTrackLengths("6,,5").empty());
    EXPECT_TRUE(parseTrackLengths("6,x").empty());
    EXPECT_TRUE(parseTrackLengths("").empty());
}

TEST(StandinPlayback, AFrozenOutputKeepsSayingItPlaysWhileThePositionStands) {
    Playback playback(5, 1);
    playback.freezeAfter(7000);
    playback.add("D:\\Music\\a.mp3");
    playback.add("D:\\Music\\b.mp3");
    playback.play();
    playback.advance(6);
    EXPECT_EQ(playback.position(), 2);
    EXPECT_EQ(playback.positionMs(), 1000);
    playback.advance(1);
    EXPECT_EQ(playback.positionMs(), 2000);
    playback.advance(30);
    EXPECT_EQ(playback.state(), State::Playing) << "it says it plays";
    EXPECT_EQ(playback.position(), 2) << "no track ends";
    EXPECT_EQ(playback.positionMs(), 2000);
    EXPECT_EQ(playback.caption(), "2. b - Winamp");
}

TEST(StandinJournal, LinesCarryTheTimeWithMilliseconds) {
    EXPECT_EQ(journalLine({2026, 12, 8, 6, 0, 0, 412}, "IPC_PLAYFILE C:\\Radio\\Morning.m3u"),
              "2026-12-08 06:00:00.412 IPC_PLAYFILE C:\\Radio\\Morning.m3u");
}

}  // namespace
}  // namespace standin
