// The player killed twice while Airvane talks to it: hung on the stop at a
// programme's end, and hung while the monitor waits for its file-info box.
// Each time Airvane keeps answering and says that the player is gone; a
// player started again is found, and the next programme starts on time.
#include <gtest/gtest.h>
#include <windows.h>

#include "../win32/standin_process.h"
#include "airvane_session.h"
#include "programme_times.h"

namespace airvane::e2e {
namespace {

class PlayerGone : public AirvaneSession {
protected:
    // The player noted name, waiting up to milliseconds.
    static bool noted(const test::StandinProcess& player, const std::string& name, DWORD milliseconds) {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(50))
            if (readFile(player.journalPath()).find(name) != std::string::npos) return true;
        return false;
    }
    // The programme reached the player in its start second or the next.
    ::testing::AssertionResult handedOnTime(const test::StandinProcess& player, int second,
                                            const char* title) {
        const std::string playFile = " IPC_PLAYFILE " + folder + "\\" + title + ".m3u";
        if (!noted(player, playFile, (second + 15 - secondOfDayNow()) * 1000))
            return ::testing::AssertionFailure() << title << " never reached the player";
        const std::string stamp = journalStampOf(readFile(player.journalPath()), playFile).time.substr(0, 8);
        if (stamp == clockText(second) || stamp == clockText(second + 1)) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << title << " due at " << clockText(second) << " reached it at " << stamp;
    }
    void expectAnsweringWithoutPlayer() {
        DWORD_PTR ignored = 0;
        EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &ignored));
        EXPECT_TRUE(waitForText(GetDlgItem(window, 110), "WinAmp를 실행하세요", 6000));
    }
};

TEST_F(PlayerGone, AKilledPlayerIsMissedFoundAgainAndTheNextProgrammeStartsOnTime) {
    const int t0 = secondOfDayNow() + 10;
    if (t0 + 40 >= 86400) GTEST_SKIP() << "too close to midnight";
    auto player = std::make_unique<test::StandinProcess>("--hang-on WINAMP_BUTTON4");
    ASSERT_TRUE(player->window());
    prepare("player-gone",
            "Airvane Data V1.0\r\n" + programmeEntry(t0, t0 + 4, "One") + programmeEntry(t0 + 16, t0 + 26, "Two") +
                programmeEntry(t0 + 32, t0 + 40, "Three") + "\r\n",
            "FadeoutTime=1\r\n");
    launch();

    // The end of One (its stop, FadeoutTime before the end) hangs the player.
    EXPECT_TRUE(handedOnTime(*player, t0, "One"));
    ASSERT_TRUE(noted(*player, "WINAMP_BUTTON4", 10000));
    player->kill();
    expectAnsweringWithoutPlayer();

    // The monitor asks for the file-info box of Two, and the player hangs.
    player = std::make_unique<test::StandinProcess>("--hang-on WINAMP_EDIT_ID3");
    EXPECT_TRUE(handedOnTime(*player, t0 + 16, "Two"));
    ASSERT_TRUE(noted(*player, "WINAMP_EDIT_ID3", 10000));
    player->kill();
    expectAnsweringWithoutPlayer();

    player = std::make_unique<test::StandinProcess>();
    EXPECT_TRUE(handedOnTime(*player, t0 + 32, "Three"));
}

}  // namespace
}  // namespace airvane::e2e
