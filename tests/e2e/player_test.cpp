// Play and stop with standin.exe as the player: what it is sent, in which
// order, and what the operator sees.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "../win32/standin_process.h"
#include "airvane_session.h"
#include "programme_times.h"
#include "remote_tree.h"

namespace airvane::e2e {
namespace {

const std::string kSchedules =
    "Airvane Data V1.0\r\n"
    "-1 6:0:0 8:30:0 0/0/0 3|Morning.m3u\r\n{\r\n|D:\\Music\\a.mp3\r\n|D:\\Music\\b.mp3\r\n}\r\n"
    "-1 9:0:0 0:0:-1 0/0/0 0|Empty.m3u\r\n"
    "-1 10:0:0 0:0:-1 0/0/0 0|..\\Outside.m3u\r\n\r\n";

using Entries = std::vector<std::string>;

class Playing : public AirvaneSession {
protected:
    // These are the play and stop commands alone: the scheduler is switched
    // off before the player comes (it would end a Schedule played outside
    // its time, and its monitor would ask the player what it plays).
    // A volume note is what a run killed in the middle of a fade leaves.
    void startWithPlayer(const std::string& name, const std::string& standinOptions = "",
                         const std::string& volumeNote = "",
                         const std::string& statusOnceFound = "WinAmp를 찾았습니다") {
        prepare(name, kSchedules);
        if (!volumeNote.empty()) writeFile(folder + "\\fade-volume.txt", volumeNote);
        launch();
        command(window, 122);
        standin = std::make_unique<test::StandinProcess>(standinOptions);
        ASSERT_TRUE(standin->window());
        ASSERT_TRUE(waitForText(GetDlgItem(window, 110), statusOnceFound, 10000));
    }
    // The rows of today's on-air record with this event.
    int recordRows(const std::string& event) {
        SYSTEMTIME today;
        GetLocalTime(&today);
        char name[32];
        std::snprintf(name, sizeof name, "\\LOG\\%04d%02d%02d-ONAIR.CSV", today.wYear, today.wMonth, today.wDay);
        const std::string rows = readFile(folder + name);
        int n = 0;
        for (std::size_t at = rows.find("," + event + ","); at != std::string::npos; at = rows.find("," + event + ",", at + 1)) ++n;
        return n;
    }
    HTREEITEM schedule(int index) {
        HTREEITEM item = treeItem(tree, treeItem(tree, nullptr, TVGN_ROOT), TVGN_CHILD);
        while (index-- > 0) item = treeItem(tree, item, TVGN_NEXT);
        return item;
    }
    std::unique_ptr<test::StandinProcess> standin;
};

TEST_F(Playing, PlayOnAScheduleWritesItsPlaylistAndHandsItOver) {
    startWithPlayer("play-schedule");
    selectItem(tree, schedule(0));
    command(window, 104);
    const std::string playlist = folder + "\\Morning.m3u";
    EXPECT_EQ(standin->entries(4), (Entries{"IPC_ISPLAYING 0", "IPC_DELETE", "IPC_PLAYFILE " + playlist, "WINAMP_BUTTON2"}));
    EXPECT_EQ(readFile(playlist), "D:\\Music\\a.mp3\r\nD:\\Music\\b.mp3\r\n");
    EXPECT_EQ(readRemoteTree(tree)[1].text, "√Morning (06:00:00 - 08:30:00)");
    EXPECT_TRUE(waitForText(standin->window(), "1. a - Winamp", 5000));

    // Stop with the Schedule expanded and the caret on its File: its mark
    // goes all the same, and the player fades out by itself.
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(schedule(0)));
    selectItem(tree, treeItem(tree, schedule(0), TVGN_CHILD));
    command(window, 105);
    Entries entries = standin->entries(5);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[4], "WINAMP_BUTTON4_SHIFT");
    EXPECT_EQ(readRemoteTree(tree)[1].text, "Morning (06:00:00 - 08:30:00)");

    // Stop given while the play command's worker still fades what plays:
    // the stop wins, nothing is handed over and the player stays stopped.
    selectItem(tree, schedule(0));
    command(window, 104);
    ASSERT_TRUE(waitForText(standin->window(), "1. a - Winamp", 5000));
    selectItem(tree, schedule(1));
    command(window, 104);
    Sleep(800);
    command(window, 105);
    Sleep(4000);  // past the 3 s fade
    entries = standin->entries(0);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "IPC_PLAYFILE " + folder + "\\Empty.m3u"), 0);
    EXPECT_NE(windowText(standin->window()).find("[Stopped]"), std::string::npos) << windowText(standin->window());
    for (const RemoteItem& item : readRemoteTree(tree)) EXPECT_EQ(item.text.find("√"), std::string::npos) << item.text;
    EXPECT_EQ(recordRows("play"), 2) << "the play overtaken by the stop wrote no row";
}

TEST_F(Playing, PlayOnAFileOrAnEmptySchedule) {
    startWithPlayer("play-file");
    selectItem(tree, treeItem(tree, schedule(0), TVGN_CHILD));
    command(window, 104);
    Entries entries = standin->entries(4);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[2], "IPC_PLAYFILE D:\\Music\\a.mp3");

    // What plays is faded out (the player's own volume, FadeoutTime 3 s),
    // stopped and its volume put back before the next is handed over. The
    // monitor may ask the player what plays meanwhile (after an expand);
    // its questions split the fade's journal line and are left out here.
    selectItem(tree, schedule(1));
    command(window, 104);
    for (int i = 0; i < 100 && std::count(entries.begin(), entries.end(), "WINAMP_BUTTON2") < 2; ++i) {
        Sleep(100);
        entries = standin->entries(0);
    }
    ASSERT_GE(entries.size(), 11u);
    EXPECT_EQ(entries[4], "IPC_ISPLAYING 1");
    Entries handOver;
    for (auto e = entries.begin() + 5; e != entries.end(); ++e)
        if (e->rfind("IPC_ISPLAYING", 0) != 0 && e->rfind("WINAMP_EDIT_ID3", 0) != 0 && e->rfind("FILEINFO", 0) != 0)
            handOver.push_back(*e);
    const auto stop = std::find(handOver.begin(), handOver.end(), "WINAMP_BUTTON4");
    ASSERT_NE(stop, handOver.end()) << "what played is stopped";
    ASSERT_NE(stop, handOver.begin());
    // The first step that changes the volume: 255 * 298 / 300, rounded up, 20 ms in.
    EXPECT_EQ(handOver.front().rfind("IPC_SETVOLUME 254..", 0), 0u) << handOver.front();
    EXPECT_NE((stop - 1)->find("..0 in "), std::string::npos) << "faded to 0 before the stop: " << *(stop - 1);
    EXPECT_EQ(Entries(stop + 1, handOver.end()),
              (Entries{"IPC_SETVOLUME 255", "IPC_DELETE", "IPC_PLAYFILE " + folder + "\\Empty.m3u", "WINAMP_BUTTON2"}));
    EXPECT_EQ(readFile(folder + "\\Empty.m3u"), "") << "an empty playlist is still handed over";

    // An exit in the middle of a fade: the process waits for it, and the
    // player's volume is put back.
    selectItem(tree, treeItem(tree, schedule(0), TVGN_CHILD));
    command(window, 104);
    ASSERT_TRUE(waitForText(standin->window(), "1. a - Winamp", 5000));
    command(window, 104);
    Sleep(800);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(app->waitForExit(10000), 0);
    Sleep(1500);  // the stand-in journals a last volume set within a second
    entries = standin->entries(0);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "WINAMP_BUTTON4"), 2) << "the fade ended with its stop";
    const auto lastStop = std::find(entries.rbegin(), entries.rend(), "WINAMP_BUTTON4");
    ASSERT_NE(lastStop, entries.rend());
    ASSERT_NE(lastStop, entries.rbegin());
    EXPECT_EQ(*(lastStop - 1), "IPC_SETVOLUME 255") << "the volume put back before the process went";
    EXPECT_EQ(recordRows("play"), 4) << "the hand-over done after the window went is written too";
}

// A volume that a run killed in the middle of a fade left low is put back
// once the player is found, and said.
TEST_F(Playing, AVolumeLeftLowByAKilledRunIsPutBack) {
    startWithPlayer("play-volume", "", "120\r\n", "이전 실행이 페이드 도중에 끝나 낮아져 있던 플레이어의 음량을 120(으)로 되돌렸습니다");
    EXPECT_EQ(standin->entries(1), (Entries{"IPC_SETVOLUME 120"}));
    EXPECT_EQ(GetFileAttributesA((folder + "\\fade-volume.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(recordRows("volume-restored"), 1);
}

TEST_F(Playing, APlaylistThatWouldLandOutsideTheProgramFolderIsRefused) {
    startWithPlayer("play-outside");
    selectItem(tree, schedule(2));
    command(window, 104);
    EXPECT_TRUE(waitForText(GetDlgItem(window, 110),
                            "'..\\Outside.m3u': 타이틀로 파일 이름을 만들 수 없어 재생하지 않습니다", 3000));
    EXPECT_EQ(GetFileAttributesA((folder + "\\..\\Outside.m3u").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(standin->entries(1).empty()) << "nothing was sent to the player";
    EXPECT_EQ(readRemoteTree(tree)[5].text, "..\\Outside (10:00:00 - )") << "no mark of playing";
}

// A start the scheduler refuses for its title is said, and the word stays
// over the player's title that the monitor shows every tick.
TEST_F(Playing, AStartRefusedByTheSchedulerIsSaidAndStays) {
    const int now = secondOfDayNow();
    if (now + 30 >= 86400) GTEST_SKIP() << "too close to midnight";
    start("start-refused", "Airvane Data V1.0\r\n" + programmeEntry(now + 10, now + 20, "..\\Outside") + "\r\n");
    standin = std::make_unique<test::StandinProcess>();
    ASSERT_TRUE(waitForText(GetDlgItem(window, 110), "WinAmp를 찾았습니다", 8000));
    ASSERT_LT(secondOfDayNow(), now + 10) << "the player was found too late for this check";
    const std::string refused = "'..\\Outside.m3u': 타이틀로 파일 이름을 만들 수 없어 재생하지 않습니다";
    EXPECT_TRUE(waitForText(GetDlgItem(window, 110), refused, 15000));
    Sleep(2500);
    EXPECT_EQ(itemText(window, 110), refused);
    EXPECT_EQ(recordRows("not-started"), 1);
}

TEST_F(Playing, PlayWithThePlayerGoneAsksForIt) {
    startWithPlayer("play-gone");
    standin.reset();
    selectItem(tree, schedule(0));
    command(window, 104);
    HWND box = app->waitForDialog();
    ASSERT_TRUE(box);
    EXPECT_EQ(itemText(box, 0xFFFF), "먼저 윈엠프를 실행하세요");
    SendMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(Playing, AHungPlayerLeavesTheWindowAnswering) {
    startWithPlayer("play-hung", "--hang-on IPC_ISPLAYING");
    selectItem(tree, schedule(0));
    command(window, 104);
    Sleep(500);  // the play command is now waiting on the player
    DWORD_PTR answer = 0;
    const DWORD start = GetTickCount();
    EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer));
    EXPECT_LT(GetTickCount() - start, 3000u) << "answering again within a few seconds";
    EXPECT_EQ(standin->entries(1).front(), "IPC_ISPLAYING 0");
    // Not counted as on air: said, recorded, and its mark taken back.
    EXPECT_TRUE(waitForText(GetDlgItem(window, 110), "'Morning.m3u': 플레이어가 응답하지 않습니다", 5000));
    EXPECT_EQ(readRemoteTree(tree)[1].text, "Morning (06:00:00 - 08:30:00)");
    EXPECT_EQ(recordRows("not-started"), 1);
    EXPECT_EQ(recordRows("play"), 0);
}

}  // namespace
}  // namespace airvane::e2e
