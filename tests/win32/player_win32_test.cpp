// The player contract against standin.exe through the real window messages,
// and a player that stops answering.
#include <windows.h>

#include "../contract/player_contract.h"
#include "player/player_win32.h"
#include "player/recording_player.h"
#include "standin_process.h"
#include "window_search.h"

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

// The stand-in's own windows, as the now-playing monitor and the stream
// title will use them: owned by the player's window, class "#32770".
HWND ownedDialog(HWND owner, const char* captionPart) {
    return waitForTopLevel(
        [owner, captionPart](HWND w) {
            char caption[128] = "";
            GetWindowTextA(w, caption, sizeof caption);
            return GetWindow(w, GW_OWNER) == owner && isShownDialog(w) &&
                   std::string(caption).find(captionPart) != std::string::npos;
        },
        5000);
}

TEST(StandinWindows, TheFileInfoBoxAndTheShoutcastWindow) {
    StandinProcess standin("", true);
    ASSERT_TRUE(standin.window());
    WinampPlayer player(standin.window());
    playHandOff(player, "D:\\Music\\a.mp3");
    player.showFileInfo();
    HWND info = ownedDialog(standin.window(), "file info");
    ASSERT_TRUE(info);
    char path[260] = "";
    GetDlgItemTextA(info, winamp::kFileInfoPath, path, sizeof path);
    EXPECT_STREQ(path, "D:\\Music\\a.mp3");
    SendMessageA(info, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(IsWindow(info)) << "closed by command 2";

    HWND shoutcast = ownedDialog(standin.window(), "SHOUTcast");
    ASSERT_TRUE(shoutcast);
    CheckDlgButton(shoutcast, winamp::kShoutcastAuto, BST_UNCHECKED);
    SendMessageA(shoutcast, WM_COMMAND, winamp::kShoutcastAuto, 0);
    SetDlgItemTextA(shoutcast, winamp::kShoutcastTitle, "[Morning] Sunrise");
    SendMessageA(shoutcast, WM_COMMAND, winamp::kShoutcastApply, 0);
    std::vector<std::string> entries = standin.entries(8);
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_EQ(entries[3], "WINAMP_EDIT_ID3");
    EXPECT_EQ(entries[4], "FILEINFO WM_COMMAND 2");
    EXPECT_EQ(entries[5], "SHOUTCAST WM_COMMAND 1012 0");
    EXPECT_EQ(entries[6], "SHOUTCAST 1011 WM_SETTEXT [Morning] Sunrise");
    EXPECT_EQ(entries[7], "SHOUTCAST WM_COMMAND 1004 [Morning] Sunrise");
}

}  // namespace airvane::test
