#include "player_contract.h"

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

}  // namespace airvane::test
