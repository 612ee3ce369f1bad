// No dead air after a restart: Airvane started 30 s into a programme, and
// its player killed mid-programme. Airvane starts standin.exe itself (the
// INI remembers it as the player), so standin journals beside itself.
// With KeepOnAir the programme is put back on the player both times; without
// it neither happens, as the scheduler always did.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "../win32/process_start.h"
#include "../win32/window_search.h"
#include "airvane_session.h"
#include "remote_tree.h"
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

// A short day of back-to-back programmes as the on-air record keeps it: the
// player killed (and started again) during the first, a refused title, the
// player stopped by hand in the third, the fourth as planned. scdtool asrun
// on that record gives each its verdict; the alert command ran for the
// refused start and the lost player.
TEST_F(KeepOnAir, TheOnAirRecordOfADayAndItsVerdictAgainstThePlan) {
    const int now = secondOfDayNow();
    if (now < 60 || now + 120 >= 86400) GTEST_SKIP() << "too close to midnight";
    prepare("on-air-record", "Airvane Data V1.0\r\n" + programmeEntry(now + 6, now + 22, "First") +
                                 programmeEntry(now + 25, now + 29, "CON") + programmeEntry(now + 31, now + 45, "Third") +
                                 programmeEntry(now + 47, now + 53, "Fourth"));
    CopyFileA((buildFolder() + "\\..\\standin\\standin.exe").c_str(), (folder + "\\standin.exe").c_str(), FALSE);
    CopyFileA((buildFolder() + "\\companion.exe").c_str(), (folder + "\\companion.exe").c_str(), FALSE);
    writeFile(folder + "\\airvane.INI", readFile(folder + "\\airvane.INI") + "WINAMP.EXE=" + folder +
                                            "\\standin.exe\r\nFadeoutTime=1\r\nKeepOnAir=1\r\nAlertCommand=" + folder +
                                            "\\companion.exe\r\n");
    launch();
    auto waitUntil = [](int second) {
        while (secondOfDayNow() < second) Sleep(100);
    };
    waitUntil(now + 9);
    HWND player = findPlayer(5000);
    ASSERT_TRUE(player);
    killPlayer(player);
    waitUntil(now + 34);
    player = findPlayer(5000);
    ASSERT_TRUE(player) << "KeepOnAir started the player again";
    PostMessageA(player, WM_COMMAND, 40047, 0);  // stopped by hand, at the player
    waitUntil(now + 56);
    TearDown();
    app.reset();
    window = nullptr;

    SYSTEMTIME today;
    GetLocalTime(&today);
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", today.wYear, today.wMonth, today.wDay);
    const std::string out = folder + "\\asrun.txt";
    const PROCESS_INFORMATION asrun =
        test::startProcess("C:\\windows\\system32\\cmd.exe", "cmd /c \"\"" + buildFolder() + "\\scdtool.exe\" asrun --config \"" +
                                                                 folder + "\\airvane.INI\" --date " + date + " > \"" + out + "\"\"");
    ASSERT_TRUE(asrun.hProcess);
    WaitForSingleObject(asrun.hProcess, 30000);
    DWORD exitCode = 99;
    GetExitCodeProcess(asrun.hProcess, &exitCode);
    CloseHandle(asrun.hProcess);
    std::string report = readFile(out);
    report.erase(std::remove(report.begin(), report.end(), '\r'), report.end());  // the console's CR LF
    std::printf("%s", report.c_str());
    EXPECT_EQ(exitCode, 1u) << "not everything went to plan";
    const std::regex verdicts(clockText(now + 6) + " start First.m3u: cut short \\(.*\\) player-lost .*\n"
                              "[\\s\\S]*" + clockText(now + 25) + " start CON.m3u: missed .*\n"
                              "[\\s\\S]*" + clockText(now + 31) + " start Third.m3u: cut short \\(.*\\) silent .*\n"
                              "[\\s\\S]*" + clockText(now + 47) + " start Fourth.m3u: on time .*\n[\\s\\S]*"
                              "rejoin First.m3u: unplanned[\\s\\S]*"
                              "programmes planned 4, aired on time 3, late 0, missed 1, cut short 2; silence while on air ([5-9]|1[0-9]) s\n");
    EXPECT_TRUE(std::regex_search(report, verdicts)) << report;
    // The event and the time come as arguments, the title and the detail
    // only in the environment: no title is ever read as a command.
    const std::string alerts = readFile(folder + "\\started.log");
    EXPECT_TRUE(std::regex_search(alerts, std::regex("companion.exe \"not-started\" \"" + std::string(date) +
                                                     " [0-9:]{8}\"\tAIRVANE_EVENT=not-started\tAIRVANE_TIME=" + date +
                                                     " [0-9:]{8}\tAIRVANE_TITLE=CON.m3u\tAIRVANE_DETAIL='CON.m3u': "
                                                     "타이틀로 파일 이름을 만들 수 없어 재생하지 않습니다\r\n")))
        << alerts;
    EXPECT_NE(alerts.find("\"player-lost\""), std::string::npos) << alerts;
    EXPECT_EQ(alerts.find("CON.m3u\""), std::string::npos) << alerts;

    // An alert command that cannot be started is recorded and said once, and
    // not tried again for the next cause. Airvane looks for its player every
    // 4 s: the programmes fall due once it has found it.
    const int later = secondOfDayNow();
    prepare("on-air-alert-missing", "Airvane Data V1.0\r\n" + programmeEntry(later + 14, later + 16, "CON") +
                                        programmeEntry(later + 18, later + 20, "NUL"));
    writeFile(folder + "\\airvane.INI", readFile(folder + "\\airvane.INI") + "WINAMP.EXE=" + folder +
                                            "\\standin.exe\r\nAlertCommand=" + folder + "\\missing.exe\r\n");
    CopyFileA((buildFolder() + "\\..\\standin\\standin.exe").c_str(), (folder + "\\standin.exe").c_str(), FALSE);
    launch();
    ASSERT_TRUE(waitForText(GetDlgItem(window, 110), "WinAmp를 찾았습니다", 12000));
    ASSERT_LT(secondOfDayNow(), later + 14) << "the player was found too late for the scenario";
    EXPECT_TRUE(waitForText(GetDlgItem(window, 110), "알림 명령을 시작하지 못했습니다: " + folder + "\\missing.exe", 15000));
    waitUntil(later + 22);
    const std::string rows = readFile(folder + "\\LOG\\" + std::string(date, 4) + std::string(date + 5, 2) +
                                      std::string(date + 8, 2) + "-ONAIR.CSV");
    auto count = [&rows](const std::string& text) {
        int n = 0;
        for (std::size_t at = rows.find(text); at != std::string::npos; at = rows.find(text, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count(",not-started,"), 2) << rows;
    EXPECT_EQ(count(",alert-failed,"), 1) << rows;
    TearDown();
    app.reset();
    window = nullptr;

    // The station's batch file, started through cmd as the guide says, reads
    // the details in the safe way: titles that cmd would take for commands
    // (each refused as a file name, so each alerts) reach it byte for byte,
    // and nothing of them runs.
    const std::string titles[] = {"A\" & echo PWNED> pwned.txt & \"", "%PATH% ^& | <b>", "정오 \"특집\""};
    const int third = secondOfDayNow();
    prepare("on-air-alert-cmd", "Airvane Data V1.0\r\n" +
                                    programmeEntry(third + 14, third + 15, titles[0].c_str()) +
                                    programmeEntry(third + 17, third + 18, titles[1].c_str()) +
                                    programmeEntry(third + 20, third + 21, titles[2].c_str()));
    writeFile(folder + "\\airvane.INI", readFile(folder + "\\airvane.INI") + "WINAMP.EXE=" + folder +
                                            "\\standin.exe\r\nAlertCommand=cmd /c " + folder + "\\alert.cmd\r\n");
    writeFile(folder + "\\alert.cmd", "@echo off\r\n"
                                      "setlocal EnableDelayedExpansion\r\n"
                                      ">>\"%~dp0alerts.txt\" echo %~1 %~2\r\n"
                                      ">>\"%~dp0alerts.txt\" echo !AIRVANE_EVENT! !AIRVANE_TIME!\r\n"
                                      ">>\"%~dp0alerts.txt\" echo !AIRVANE_TITLE!\r\n"
                                      ">>\"%~dp0alerts.txt\" echo !AIRVANE_DETAIL!\r\n");
    CopyFileA((buildFolder() + "\\..\\standin\\standin.exe").c_str(), (folder + "\\standin.exe").c_str(), FALSE);
    launch();
    ASSERT_TRUE(waitForText(GetDlgItem(window, 110), "WinAmp를 찾았습니다", 12000));
    ASSERT_LT(secondOfDayNow(), third + 14) << "the player was found too late for the scenario";
    waitUntil(third + 23);
    std::string said = readFile(folder + "\\alerts.txt");
    for (int i = 0; i < 100 && std::count(said.begin(), said.end(), '\n') < 12; ++i) {
        Sleep(100);
        said = readFile(folder + "\\alerts.txt");
    }
    // Four lines an alert: the arguments, the event and the time from the
    // environment, the title, the detail.
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = said.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(said.substr(at, end - at));
    ASSERT_EQ(lines.size(), 12u) << said;
    for (std::size_t i = 0; i < std::size(titles); ++i) {
        const std::string title = titles[i] + ".m3u";
        EXPECT_TRUE(std::regex_match(lines[4 * i], std::regex("not-started " + std::string(date) + " [0-9:]{8}")))
            << lines[4 * i];
        EXPECT_EQ(lines[4 * i + 1], lines[4 * i]);
        EXPECT_EQ(lines[4 * i + 2], title);
        EXPECT_EQ(lines[4 * i + 3], "'" + title + "': 타이틀로 파일 이름을 만들 수 없어 재생하지 않습니다");
    }
    EXPECT_EQ(GetFileAttributesA((folder + "\\pwned.txt").c_str()), INVALID_FILE_ATTRIBUTES)
        << "a title ran as a command";
}

// A spreadsheet holding the day's record open refuses every write to it
// (Excel opens a CSV so). The rows due meanwhile (starts not made: there is
// no player) are kept, that is said once, and they are written in their
// order, each once, as soon as the file is let go.
TEST_F(KeepOnAir, ARowDueWhileTheRecordIsHeldOpenIsKeptAndWrittenLaterInItsOrder) {
    const int now = secondOfDayNow();
    if (now < 60 || now + 60 >= 86400) GTEST_SKIP() << "too close to midnight";
    prepare("on-air-held", "Airvane Data V1.0\r\n" + programmeEntry(now + 4, now + 5, "One") +
                               programmeEntry(now + 9, now + 10, "Two") +
                               programmeEntry(now + 12, now + 13, "Three") +
                               programmeEntry(now + 17, now + 18, "Four"));
    launch();
    SYSTEMTIME today;
    GetLocalTime(&today);
    char name[32];
    std::snprintf(name, sizeof name, "\\LOG\\%04d%02d%02d-ONAIR.CSV", today.wYear, today.wMonth, today.wDay);
    const std::string record = folder + name;
    auto waitUntil = [](int second) {
        while (secondOfDayNow() < second) Sleep(100);
    };
    waitUntil(now + 7);
    HANDLE held = CreateFileA(record.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE) << "One's row made the record";
    EXPECT_TRUE(waitForText(GetDlgItem(window, 110),
                            "방송 기록 파일이 다른 프로그램에 열려 있어 기록을 잠시 보관합니다: " + record, 6000));
    waitUntil(now + 15);
    auto titlesIn = [](const std::string& rows) {
        std::string titles;
        const std::string event = ",not-started,";
        for (std::size_t at = rows.find(event); at != std::string::npos; at = rows.find(event, at + 1)) {
            const std::size_t from = at + event.size();
            titles += rows.substr(from, rows.find(',', from) - from) + " ";
        }
        return titles;
    };
    EXPECT_EQ(titlesIn(readFile(record)), "One.m3u ") << "nothing gets past the spreadsheet";
    CloseHandle(held);
    waitUntil(now + 21);
    EXPECT_EQ(titlesIn(readFile(record)), "One.m3u Two.m3u Three.m3u Four.m3u ");
}


// What standin answers when asked as Airvane asks it; -1 when it does not.
LRESULT askPlayer(HWND player, WPARAM wParam, LPARAM message) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(player, WM_USER, wParam, message, SMTO_ABORTIFHUNG, 2000, &answer)) return -1;
    return static_cast<LRESULT>(answer);
}

// A programme of three 20 s tracks. standin killed 8 s into the second:
// started again, it gets the programme back at the track and the position
// it would have reached. Airvane killed and started again: it adopts what
// plays and sends nothing that changes it. Both killed (a restart of the
// PC): the programme is back where it would be.
// The track and position scenarios, a ctest of their own: the record's
// scenarios above take most of its time bound.
class KeepOnAirPlace : public KeepOnAir {};

TEST_F(KeepOnAirPlace, RejoinsAtTheTrackAndPositionAndAdoptsWhatPlaysWell) {
    const int now = secondOfDayNow();
    if (now < 60 || now + 240 >= 86400) GTEST_SKIP() << "too close to midnight";
    char entry[200];
    std::snprintf(entry, sizeof entry,
                  "-1 %d:%d:%d %d:%d:%d 0/0/0 2|Morning.m3u\r\n{\r\n|D:\\Music\\a.mp3\r\n|D:\\Music\\b.mp3\r\n"
                  "|D:\\Music\\c.mp3\r\n}\r\n",
                  (now + 4) / 3600, (now + 4) / 60 % 60, (now + 4) % 60, (now + 230) / 3600, (now + 230) / 60 % 60,
                  (now + 230) % 60);
    prepare("keep-on-air-track", std::string("Airvane Data V1.0\r\n") + entry);
    CopyFileA((buildFolder() + "\\..\\standin\\standin.exe").c_str(), (folder + "\\standin.exe").c_str(), FALSE);
    writeFile(folder + "\\airvane.INI", readFile(folder + "\\airvane.INI") + "WINAMP.EXE=" + folder +
                                            "\\standin.exe\r\nFadeoutTime=1\r\nKeepOnAir=1\r\n");
    launch();
    // When each track began, as the player itself shows it.
    HWND player = findPlayer(8000);
    ASSERT_TRUE(player);
    DWORD secondTrackAt = 0;
    for (DWORD waited = 0; waited < 40000 && !secondTrackAt; waited += 50, Sleep(50)) {
        if (askPlayer(player, 0, 125) == 1) secondTrackAt = GetTickCount() - static_cast<DWORD>(askPlayer(player, 0, 105));
    }
    ASSERT_TRUE(secondTrackAt) << "the programme's second track never came";
    // Where the programme would be at a moment: the list is the three tracks on repeat.
    auto expectedAt = [&](DWORD tick) {
        const DWORD intoSecond = tick - secondTrackAt;
        return std::pair<int, DWORD>{static_cast<int>((1 + intoSecond / 20000) % 3), intoSecond % 20000};
    };
    // Back on air: how long the air was dead, and a moment later (a
    // rejoin's jump follows its play at once) the player's list position
    // and its position against where the programme would be, within 2 s.
    auto backOnAir = [&](const char* what, DWORD killedAt) {
        HWND again = nullptr;
        DWORD playingAt = 0;
        for (DWORD waited = 0; waited < 15000 && !playingAt; waited += 50, Sleep(50)) {
            again = findPlayer(0);
            if (again && again != player && askPlayer(again, 0, 104) == 1) playingAt = GetTickCount();
        }
        ASSERT_TRUE(playingAt) << what << ": the programme did not come back";
        Sleep(1500);
        const LRESULT index = askPlayer(again, 0, 125);
        const LRESULT position = askPlayer(again, 0, 105);
        const auto [expectedIndex, expectedMs] = expectedAt(GetTickCount());
        const long error = static_cast<long>(position) - static_cast<long>(expectedMs);
        std::printf("%s: dead air %.1f s, track %d (would be %d), position error %+.1f s\n", what,
                    (playingAt - killedAt) / 1000.0, static_cast<int>(index) + 1, expectedIndex + 1, error / 1000.0);
        EXPECT_EQ(index, expectedIndex) << what;
        EXPECT_LE(std::abs(error), 2000) << what;
        EXPECT_LT(playingAt - killedAt, 10000u) << what;
        player = again;
    };

    while (GetTickCount() - secondTrackAt < 8000) Sleep(20);
    const DWORD killed = GetTickCount();
    killPlayer(player);
    backOnAir("the player killed", killed);
    const std::string journal = folder + "\\standin-journal.log";
    const std::string record = folder + "\\LOG\\" + [] {
        SYSTEMTIME t;
        GetLocalTime(&t);
        char name[32];
        std::snprintf(name, sizeof name, "%04d%02d%02d-ONAIR.CSV", t.wYear, t.wMonth, t.wDay);
        return std::string(name);
    }();
    EXPECT_TRUE(std::regex_search(readFile(record), std::regex(",rejoin,Morning.m3u,.*,2,D:\\\\Music\\\\b.mp3,,[0-9]+\r\n")))
        << readFile(record);

    // Airvane killed while the programme plays: nothing that changes what
    // plays reaches the player, the Schedule is marked within 5 s, adopted.
    Sleep(3000);
    app.reset();
    window = nullptr;
    const std::size_t journalBefore = readFile(journal).size();
    const DWORD relaunched = GetTickCount();
    launch();
    bool marked = false;
    for (DWORD waited = 0; waited < 5000 && !marked; waited += 100, Sleep(100)) {
        const std::vector<RemoteItem> items = readRemoteTree(tree);
        marked = items.size() > 1 && items[1].text.find("√") == 0;
    }
    EXPECT_TRUE(marked) << "the Schedule carries its mark within 5 s of Airvane's start";
    const DWORD markedAfter = GetTickCount() - relaunched;
    Sleep(3000);
    {
        const LRESULT index = askPlayer(player, 0, 125);
        const auto [expectedIndex, expectedMs] = expectedAt(GetTickCount());
        const long error = static_cast<long>(askPlayer(player, 0, 105)) - static_cast<long>(expectedMs);
        std::printf("Airvane killed: marked after %.1f s, track %d (would be %d), position error %+.1f s\n",
                    markedAfter / 1000.0, static_cast<int>(index) + 1, expectedIndex + 1, error / 1000.0);
        EXPECT_EQ(index, expectedIndex);
        EXPECT_LE(std::abs(error), 2000);
    }
    const std::string after = readFile(journal).substr(journalBefore);
    for (const char* changes : {"IPC_DELETE", "IPC_PLAYFILE", "WINAMP_BUTTON", "IPC_SETPLAYLISTPOS", "IPC_JUMPTOTIME"})
        EXPECT_EQ(after.find(changes), std::string::npos) << changes << " reached the player:\n" << after;
    EXPECT_NE(readFile(record).find(",adopt,Morning.m3u,"), std::string::npos) << readFile(record);

    // Both killed, as a restart of the PC leaves them: Airvane starts its
    // player and puts the programme back where it would be.
    const DWORD bothKilled = GetTickCount();
    app.reset();
    window = nullptr;
    killPlayer(player);
    launch();
    backOnAir("Airvane and the player killed", bothKilled);
}

// A player that never makes its window (companion.exe starts and ends at
// once) while a programme should be on air: over three minutes no message
// box, one player-not-started row, and the starts spaced 30 s, then 1 min.
TEST_F(KeepOnAirPlace, APlayerThatCannotBeStartedIsTriedAgainEverLessOftenWithoutABox) {
    const int now = secondOfDayNow();
    if (now < 60 || now + 240 >= 86400) GTEST_SKIP() << "too close to midnight";
    prepare("keep-on-air-no-player", "Airvane Data V1.0\r\n" + programmeEntry(now - 10, now + 230, "Morning"));
    CopyFileA((buildFolder() + "\\companion.exe").c_str(), (folder + "\\companion.exe").c_str(), FALSE);
    writeFile(folder + "\\airvane.INI", readFile(folder + "\\airvane.INI") + "WINAMP.EXE=" + folder +
                                            "\\companion.exe\r\nKeepOnAir=1\r\n");
    launch();
    const DWORD began = GetTickCount();
    std::vector<DWORD> starts;
    std::size_t seen = 0;
    bool boxSeen = false;
    while (GetTickCount() - began < 180000) {
        const std::string log = readFile(folder + "\\started.log");
        for (std::size_t at = log.find('\n', seen); at != std::string::npos; at = log.find('\n', seen)) {
            starts.push_back(GetTickCount() - began);
            seen = at + 1;
        }
        boxSeen = boxSeen || app->waitForDialog(nullptr, 0) != nullptr;
        Sleep(250);
    }
    EXPECT_FALSE(boxSeen) << "a message box came";
    ASSERT_EQ(starts.size(), 3u) << "started at once, after 30 s and after 1 min more";
    for (std::size_t i = 1; i < starts.size(); ++i) {
        const long gap = static_cast<long>(starts[i] - starts[i - 1]);
        std::printf("start %zu: %.1f s after the one before\n", i + 1, gap / 1000.0);
        EXPECT_NEAR(gap, i == 1 ? 30000 : 60000, 4000) << i;
    }
    SYSTEMTIME t;
    GetLocalTime(&t);
    char name[32];
    std::snprintf(name, sizeof name, "%04d%02d%02d-ONAIR.CSV", t.wYear, t.wMonth, t.wDay);
    const std::string rows = readFile(folder + "\\LOG\\" + name);
    std::size_t notStarted = 0;
    for (std::size_t at = rows.find(",player-not-started,"); at != std::string::npos;
         at = rows.find(",player-not-started,", at + 1))
        ++notStarted;
    EXPECT_EQ(notStarted, 1u) << rows;
    EXPECT_NE(rows.find("플레이어 창이 나타나지 않았습니다"), std::string::npos) << rows;
}

}  // namespace
}  // namespace airvane::e2e
