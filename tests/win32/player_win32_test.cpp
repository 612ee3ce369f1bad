// The player contract against standin.exe through the real window messages,
// and a player that stops answering.
#include <windows.h>

#include <thread>

#include "../contract/player_contract.h"
#include "monitor/player_windows_win32.h"
#include "player/player_volume_win32.h"
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
    RecorderUnderTest() { recorder.length = 20'000; }  // standin.exe's tracks
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

// Reached as the monitor's conversation reaches them: the path read through
// the box (the SHOUTcast window, also an owned dialog, is not taken for it), the
// stream title written and handed back through the check box's messages.
TEST(StandinWindows, TheFileInfoBoxAndTheShoutcastWindow) {
    StandinProcess standin("", true);
    ASSERT_TRUE(standin.window());
    WinampPlayer player(standin.window());
    playHandOff(player, "D:\\Music\\a.mp3");
    HANDLE cancel = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(findFileInfoBox(standin.window(), 0, cancel), nullptr) << "only a dialog with the path field";
    EXPECT_EQ(readPlayingPath(standin.window(), cancel), "D:\\Music\\a.mp3");
    std::vector<std::string> entries = standin.entries(6);
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[3], "IPC_ISPLAYING 1");
    EXPECT_EQ(entries[4], "WINAMP_EDIT_ID3");
    EXPECT_EQ(entries[5], "FILEINFO WM_COMMAND 2") << "the box closed again";

    ShoutcastWindow stream(standin.window());
    setStreamTitle(stream, "[Morning] Sunrise");
    setStreamTitle(stream, std::nullopt);
    entries = standin.entries(10);
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(std::vector<std::string>(entries.begin() + 6, entries.end()),
              (std::vector<std::string>{"SHOUTCAST WM_COMMAND 1012 0", "SHOUTCAST 1011 WM_SETTEXT [Morning] Sunrise",
                                        "SHOUTCAST WM_COMMAND 1004 [Morning] Sunrise", "SHOUTCAST WM_COMMAND 1012 1"}));
    CloseHandle(cancel);
}

// The fade's volume is the player's own: read and set through message 122.
// A player that answers 1 to what it does not know has no volume to fade.
TEST(PlayerVolume, IsThePlayersOwnAndOnlyAKnownPlayerIsFaded) {
    StandinProcess standin;
    ASSERT_TRUE(standin.window());
    PlayerVolume volume(standin.window());
    ASSERT_TRUE(volume.openVolume());
    EXPECT_EQ(volume.volume(), 255u);
    volume.setVolume(100);
    ASSERT_TRUE(volume.openVolume());
    EXPECT_EQ(volume.volume(), 100u);

    WNDCLASSA answersOne{};
    answersOne.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        return m == WM_USER ? 1 : DefWindowProcA(w, m, wp, lp);
    };
    answersOne.hInstance = GetModuleHandleA(nullptr);
    answersOne.lpszClassName = "answers one";
    RegisterClassA(&answersOne);
    HWND other = CreateWindowA("answers one", "", 0, 0, 0, 0, 0, nullptr, nullptr, answersOne.hInstance, nullptr);
    EXPECT_FALSE(PlayerVolume(other).openVolume());
    DestroyWindow(other);
    EXPECT_FALSE(PlayerVolume(nullptr).openVolume()) << "no player: nothing to fade";
}

// One volume message answered too late (a player busy for a moment in the
// middle of a fade) does not keep the restore from being tried.
TEST(PlayerVolume, AMessageAnsweredLateDoesNotKeepTheRestoreFromBeingTried) {
    static LONG volumeSets, level;
    volumeSets = 0;
    level = 255;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND slow = nullptr;
    DWORD ownerThread = 0;
    std::thread owner([&] {
        WNDCLASSA once{};
        once.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m != WM_USER) return DefWindowProcA(w, m, wp, lp);
            if (lp == 0) return 0x5666;  // the version
            if (wp == static_cast<WPARAM>(-666)) return level;
            if (InterlockedIncrement(&volumeSets) == 1) Sleep(WinampPlayer::kAnswerTimeoutMs + 500);
            else level = static_cast<LONG>(wp);
            return 1;
        };
        once.hInstance = GetModuleHandleA(nullptr);
        once.lpszClassName = "answers late once";
        RegisterClassA(&once);
        slow = CreateWindowA("answers late once", "", 0, 0, 0, 0, 0, nullptr, nullptr, once.hInstance, nullptr);
        ownerThread = GetCurrentThreadId();
        SetEvent(ready);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
        DestroyWindow(slow);
    });
    WaitForSingleObject(ready, 5000);
    PlayerVolume volume(slow);
    ASSERT_TRUE(volume.openVolume());
    EXPECT_FALSE(volume.setVolume(80)) << "not answered within the bound";
    ASSERT_TRUE(volume.openVolume()) << "the restore opens afresh";
    EXPECT_TRUE(volume.setVolume(200));
    EXPECT_EQ(level, 200);
    PostThreadMessageA(ownerThread, WM_QUIT, 0, 0);
    owner.join();
    CloseHandle(ready);
}

}  // namespace airvane::test
