#include "player_contract.h"

#include <algorithm>

namespace airvane::test {

using Messages = std::vector<std::string>;

TEST_P(PlayerContract, AHandOffArrivesInOrderAndPlays) {
    Player& player = side->player();
    ASSERT_TRUE(player.alive());
    EXPECT_EQ(player.isPlaying(), static_cast<int>(PlayState::Stopped));
    const std::string path = "D:\\Radio\\Morning.mp3";  // 20 characters: cbData 21
    playHandOff(player, path);
    const int answer = player.isPlaying();
    EXPECT_NE(answer, 0) << "playing";
    EXPECT_NE(answer, 3) << "playing, not paused";
    EXPECT_EQ(side->received(5), (Messages{"IPC_ISPLAYING 0", "IPC_DELETE", "IPC_PLAYFILE " + path, "WINAMP_BUTTON2",
                                           "IPC_ISPLAYING " + std::to_string(answer)}));
}

TEST_P(PlayerContract, StopRepeatShuffleAndAKoreanPath) {
    Player& player = side->player();
    playHandOff(player, "D:\\음악\\아침.mp3");
    player.setRepeat(true);
    player.setShuffle(false);
    player.stop();
    EXPECT_EQ(player.isPlaying(), 0);
    EXPECT_EQ(side->received(7), (Messages{"IPC_DELETE", "IPC_PLAYFILE D:\\음악\\아침.mp3", "WINAMP_BUTTON2",
                                           "IPC_SET_REPEAT 1", "IPC_SET_SHUFFLE 0", "WINAMP_BUTTON4",
                                           "IPC_ISPLAYING 0"}));
}

TEST_P(PlayerContract, PostedStopWithFadeAndFileInfoArrive) {
    Player& player = side->player();
    playHandOff(player, "D:\\a.mp3");
    player.showFileInfo();
    player.stopWithFade();
    Messages received = side->received(5);
    ASSERT_EQ(received.size(), 5u);
    EXPECT_EQ(received[3], "WINAMP_EDIT_ID3");
    EXPECT_EQ(received[4], "WINAMP_BUTTON4_SHIFT");
    EXPECT_EQ(player.isPlaying(), 0);
}

// The track questions and moves: both sides are set up with tracks of
// 20 s. A position read after the jump may have gone on by as long as one
// answer may take.
TEST_P(PlayerContract, TheTrackItsLengthTheListPositionAndAJump) {
    Player& player = side->player();
    player.clearPlaylist();
    for (const char* file : {"D:\\Radio\\a.mp3", "D:\\Radio\\b.mp3", "D:\\Radio\\c.mp3"}) player.addFile(file);
    player.play();
    EXPECT_EQ(player.listPosition(), 0);
    EXPECT_EQ(player.lengthMs(), 20'000);
    player.setListPosition(1);
    player.play();
    EXPECT_EQ(player.listPosition(), 1);
    EXPECT_TRUE(player.jumpTo(5'000));
    const int64_t position = player.positionMs();
    EXPECT_GE(position, 5'000);
    EXPECT_LE(position, 5'000 + 2'000);
    EXPECT_FALSE(player.jumpTo(25'000)) << "past the end of the track";
    player.stop();
    EXPECT_FALSE(player.jumpTo(1'000)) << "not playing";
    const Messages received = side->received(12);
    const auto set = std::find(received.begin(), received.end(), "IPC_SETPLAYLISTPOS 1");
    ASSERT_NE(set, received.end());
    const auto jump = std::find(set, received.end(), "IPC_JUMPTOTIME 5000 0");
    ASSERT_NE(jump, received.end()) << "after the set";
    EXPECT_NE(std::find(jump, received.end(), "IPC_JUMPTOTIME 25000 1"), received.end());
    EXPECT_NE(std::find(jump, received.end(), "IPC_JUMPTOTIME 1000 -1"), received.end());
    EXPECT_TRUE(player.answered());
}

}  // namespace airvane::test
