// The player contract against standin.exe through the real window messages,
// and a player that stops answering.
#include <windows.h>

#include "../contract/player_contract.h"
#include "player/player_win32.h"
#include "player/recording_player.h"
#include "standin_process.h"

namespace airvane::test {
namespace {

class StandinUnderTest final : public PlayerUnderTest {
public:
    StandinUnderTest() : player_(standin_.window()) {}
    Player& player() override { return player_; }
    std::vector<std::string> received(std::size_t count) override { return standin_.entries(count); }

private:
    StandinProcess standin_;
    WinampPlayer player_;
};

class RecorderUnderTest final : public PlayerUnderTest {
public:
    Player& player() override { return recorder; }
    std::vector<std::string> received(std::size_t) override { return recorder.messages(); }
    RecordingPlayer recorder;
};

}  // namespace

AIRVANE_PLAYER_CONTRACT(Standin, [] { return std::make_unique<StandinUnderTest>(); });
AIRVANE_PLAYER_CONTRACT(RecorderOnWindows, [] { return std::make_unique<RecorderUnderTest>(); });

TEST(HungPlayer, AnswersNothingButHoldsTheCallerOnlyBriefly) {
    StandinProcess standin("--hang-on IPC_ISPLAYING");
    ASSERT_TRUE(standin.window());
    WinampPlayer player(standin.window());
    const DWORD start = GetTickCount();
    EXPECT_EQ(player.isPlaying(), 0);
    player.stop();  // to a player that no longer answers
    const DWORD waited = GetTickCount() - start;
    EXPECT_LT(waited, WinampPlayer::kAnswerTimeoutMs + 1000) << "one wait, not one a message";
    EXPECT_EQ(standin.entries(1), (std::vector<std::string>{"IPC_ISPLAYING 0"}));
}

}  // namespace airvane::test
