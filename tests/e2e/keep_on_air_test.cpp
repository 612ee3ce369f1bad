// No dead air after a restart: Airvane started 30 s into a programme, and
// its player killed mid-programme. Airvane starts standin.exe itself (the
// INI remembers it as the player), so standin journals beside itself.
// With KeepOnAir the programme is put back on the player both times; without
// it neither happens, as the scheduler always did.
#include <windows.h>

#include <gtest/gtest.h>

#include "../win32/window_search.h"
#include "airvane_session.h"
#include "programme_times.h"

namespace airvane::e2e {
namespace {

class KeepOnAir : public AirvaneSession {
protected:
    HWND findPlayer(DWORD milliseconds) {
        return test::waitForTopLevel([](HWND w) { return test::windowClass(w) == "Winamp v1.x"; }, milliseconds);
    }
    void killPlayer(HWND player) {
        DWORD id = 0;
        GetWindowThreadProcessId(player, &id);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        ASSERT_TRUE(process);
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    // How many times Morning's playlist reached the player, waiting up to
    // milliseconds for the count-th; the milliseconds it took.
    DWORD waitForHandOver(std::size_t count, DWORD milliseconds, std::size_t& seen) {
        const std::string playFile = "IPC_PLAYFILE " + folder + "\\Morning.m3u";
        const DWORD start = GetTickCount();
        for (;;) {
            const std::string journal = readFile(folder + "\\standin-journal.log");
            seen = 0;
            for (std::size_t at = journal.find(playFile); at != std::string::npos; at = journal.find(playFile, at + 1))
                ++seen;
            if (seen >= count || GetTickCount() - start > milliseconds) return GetTickCount() - start;
            Sleep(100);
        }
    }
    void TearDown() override {
        AirvaneSession::TearDown();
        if (HWND player = findPlayer(0)) killPlayer(player);
    }
};

TEST_F(KeepOnAir, AfterARestartOfAirvaneOrOfThePlayerTheProgrammeIsBackOnAir) {
    for (const bool keepOnAir : {true, false}) {
        SCOPED_TRACE(keepOnAir ? "KeepOnAir=1" : "without KeepOnAir");
        const int now = secondOfDayNow();
        if (now < 60 || now + 180 >= 86400) GTEST_SKIP() << "too close to midnight";
        prepare(keepOnAir ? "keep-on-air" : "keep-on-air-off",
                "Airvane Data V1.0\r\n" + programmeEntry(now - 30, now + 150, "Morning") + "\r\n");
        CopyFileA((buildFolder() + "\\..\\standin\\standin.exe").c_str(), (folder + "\\standin.exe").c_str(), FALSE);
        writeFile(folder + "\\airvane.INI", readFile(folder + "\\airvane.INI") + "WINAMP.EXE=" + folder +
                                                "\\standin.exe\r\nFadeoutTime=1\r\n" +
                                                (keepOnAir ? "KeepOnAir=1\r\n" : ""));
        launch();
        std::size_t handed = 0;
        const DWORD afterStart = waitForHandOver(1, 8000, handed);
        if (keepOnAir) {
            ASSERT_EQ(handed, 1u) << "the programme 30 s into its time was not put back on air";
            EXPECT_LT(afterStart, 5000u);
            EXPECT_EQ(itemText(window, 110), "방송 중이던 'Morning'을(를) 다시 시작합니다");
            std::printf("dead air after a start of Airvane: %.1f s\n", afterStart / 1000.0);
        } else {
            EXPECT_EQ(handed, 0u) << "without KeepOnAir the programme waits for its next start";
        }

        HWND player = findPlayer(5000);
        ASSERT_TRUE(player) << "Airvane started its player";
        killPlayer(player);
        if (keepOnAir) {
            const DWORD afterKill = waitForHandOver(2, 10000, handed);
            EXPECT_EQ(handed, 2u) << "the player started again got the programme back";
            EXPECT_LT(afterKill, 10000u);
            std::printf("dead air after the player died: %.1f s\n", afterKill / 1000.0);
        } else {
            Sleep(6000);
            EXPECT_FALSE(findPlayer(0)) << "a player that died is not started again";
            EXPECT_EQ(itemText(window, 110), "WinAmp를 실행하세요");
        }
        TearDown();
        app.reset();
        window = nullptr;
    }
}

}  // namespace
}  // namespace airvane::e2e
