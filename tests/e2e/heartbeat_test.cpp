// The tick is the station's heartbeat: nothing the player or the operator
// does may stall it. Watched from outside through the title clock, which
// turns at every tick, with standin.exe as a player that hangs or never
// shows its file-info box, and with a delete question open while the
// title changes and while a loading schedule replaces the tree.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "../win32/standin_process.h"
#include "airvane_session.h"
#include "airvane_start.h"
#include "programme_times.h"
#include "remote_tree.h"

namespace airvane::e2e {
namespace {

class Heartbeat : public AirvaneSession {
protected:
    // Programmes of 4 s back to back from t0, each with a File of its own,
    // so that each start is a title change.
    static std::string backToBack(int t0, int count) {
        std::string job = "Airvane Data V1.0\r\n";
        for (int i = 0; i < count; ++i) {
            const std::string title = "P" + std::to_string(i + 1);
            job += programmeEntry(t0 + 4 * i, t0 + 4 * i + 4, title.c_str());
        }
        return job + "\r\n";
    }
    // The longest the title clock stood still until second `until`.
    DWORD longestStandstillUntil(int until) {
        return watchClockUntilDialog(window, app->processId(), (until - secondOfDayNow()) * 1000).longestSilence;
    }
    std::vector<std::string> labels() {
        std::vector<std::string> texts;
        for (const RemoteItem& item : readRemoteTree(tree)) texts.push_back(item.text);
        return texts;
    }
};

// Players that keep the monitor's questions waiting: one that hangs on the
// file-info command (its SHOUTcast window's check box is asked next), one
// whose box never comes. The title clock never stands still, every
// programme that the player can still take comes in its start second, and
// the exit is prompt.
TEST_F(Heartbeat, APlayerThatHangsOrShowsNoBoxNeitherStopsTheClockNorDelaysAProgramme) {
    const struct {
        const char* name;
        const char* options;
        int programmes;
    } rows[] = {{"heartbeat-hung", "--hang-on WINAMP_EDIT_ID3", 1}, {"heartbeat-no-box", "--no-file-info", 5}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const int t0 = secondOfDayNow() + 8;
        if (t0 + 30 >= 86400) GTEST_SKIP() << "too close to midnight";
        test::StandinProcess player(std::string("--track-seconds 600 ") + row.options, true);
        ASSERT_TRUE(player.window());
        prepare(row.name, backToBack(t0, row.programmes), "FadeoutTime=1\r\nSetShoutcastTitle=1\r\n");
        launch();
        EXPECT_LT(longestStandstillUntil(t0 + std::max(12, 4 * row.programmes + 1)), 1500u);
        const std::string journal = readFile(player.journalPath());
        EXPECT_NE(journal.find("WINAMP_EDIT_ID3"), std::string::npos) << "the player was asked";
        for (int i = 0; i < row.programmes; ++i) {
            const std::string playlist = folder + "\\P" + std::to_string(i + 1) + ".m3u";
            const JournalStamp stamp = journalStampOf(journal, "IPC_PLAYFILE " + playlist);
            ASSERT_NE(stamp.at, std::string::npos) << playlist << " never reached the player";
            EXPECT_EQ(stamp.time.substr(0, 8), clockText(t0 + 4 * i)) << playlist;
        }
        const DWORD exitFrom = GetTickCount();
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(app->waitForExit(10000), 0);
        EXPECT_LT(GetTickCount() - exitFrom, 4000u) << "the stream title's hand-back waits at most its bound";
        app.reset();
        window = nullptr;
    }
}

// A delete question stays open while the playing programme's titles change
// (each would make the monitor select the playing Schedule): whatever the
// answer, only the Schedule chosen before the question is touched.
TEST_F(Heartbeat, ADeleteActsOnlyOnWhatWasChosenWhileTheTitlesChange) {
    const int now = secondOfDayNow();
    if (now < 700 || now + 3700 >= 86400) GTEST_SKIP() << "too close to midnight";
    std::string air = programmeEntry(now - 600, now + 3600, "Air");
    for (int i = 2; i <= 20; ++i) air.insert(air.size() - 3, "|D:\\Music\\Air" + std::to_string(i) + ".mp3\r\n");
    const std::string later = programmeEntry((now + 7200) % 86400, (now + 7300) % 86400, "Later");
    const std::string other = programmeEntry((now + 7400) % 86400, (now + 7500) % 86400, "Other");
    test::StandinProcess player("--track-seconds 1");
    ASSERT_TRUE(player.window());
    // Without the arrows, whose growth would change the labels compared.
    prepare("heartbeat-delete", "Airvane Data V1.0\r\n" + air + later + other + "\r\n", "DispNowPlayFile=0\r\n");
    launch();
    const HTREEITEM root = treeItem(tree, nullptr, TVGN_ROOT);
    selectItem(tree, treeItem(tree, root, TVGN_CHILD));
    command(window, 104);  // Air plays: a new title every second
    ASSERT_TRUE(waitForText(player.window(), "1. Air - Winamp", 5000));
    const std::vector<std::string> before = labels();
    ASSERT_EQ(before.size(), 26u) << "the Root, Air with 20 Files, Later and Other with one each";

    for (const int button : {IDNO, IDYES}) {
        SCOPED_TRACE(button == IDNO ? "answered 아니오" : "answered 예");
        const HTREEITEM chosen = treeItem(tree, treeItem(tree, root, TVGN_CHILD), TVGN_NEXT);
        selectItem(tree, chosen);
        command(window, 107);
        HWND question = app->waitForDialog();
        ASSERT_TRUE(question);
        EXPECT_EQ(itemText(question, 0xFFFF), "선택한 스케쥴의 파일목록만 지울까요?");
        Sleep(3500);  // three titles or more, each logged and looked up
        EXPECT_EQ(treeItem(tree, nullptr, TVGN_CARET), chosen) << "the caret stays where the operator put it";
        SendMessageA(question, WM_COMMAND, button, 0);
        EXPECT_TRUE(app->noDialogStays());
        const std::vector<std::string> after = labels();
        ASSERT_GE(after.size(), 22u);
        EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + 22),
                  std::vector<std::string>(before.begin(), before.begin() + 22))
            << "the playing Schedule and its 20 Files are untouched";
    }
    // 아니오 deleted Later with its File; 예 emptied Other's list.
    EXPECT_EQ(labels().size(), 23u);
    EXPECT_EQ(labels().back().substr(0, 5), "Other");
}

// A loading schedule that replaces the tree under the question: the answer
// then deletes nothing, and says so.
TEST_F(Heartbeat, ADeleteAcrossALoadDeletesNothingAndSaysSo) {
    test::StandinProcess player("--track-seconds 600");  // the tick runs only beside a player
    ASSERT_TRUE(player.window());
    const int now = secondOfDayNow();
    if (now + 7800 >= 86400) GTEST_SKIP() << "too close to midnight";
    const std::string later = programmeEntry(now + 7200, now + 7300, "Later");
    const std::string other = programmeEntry(now + 7400, now + 7500, "Other");
    prepare("heartbeat-delete-load", "Airvane Data V1.0\r\n" + later + other + "\r\n");
    const std::string loaded = folder + "\\loaded.scd";
    writeFile(loaded, "Airvane Data V1.0\r\n" + later + other + programmeEntry(now + 7600, now + 7700, "Third") + "\r\n");
    writeFile(folder + "\\airvane.INI", "[Config]\r\nJobFile=" + job + "\r\n\r\n[LoadingSchedule]\r\n" +
                                            loadingEntryInSeconds(6) + loaded + "\r\n");
    launch();
    selectItem(tree, treeItem(tree, treeItem(tree, nullptr, TVGN_ROOT), TVGN_CHILD));
    command(window, 107);
    HWND question = app->waitForDialog();
    ASSERT_TRUE(question);
    for (int i = 0; i < 150 && labels().size() != 7; ++i) Sleep(100);
    const std::vector<std::string> loadedTree = labels();
    ASSERT_EQ(loadedTree.size(), 7u) << "the load replaced the tree under the question";
    SendMessageA(question, WM_COMMAND, IDNO, 0);
    EXPECT_EQ(answer(IDOK, question), "스케쥴이 바뀌어서 삭제하지 않았습니다");
    EXPECT_EQ(labels(), loadedTree) << "nothing deleted";
}

}  // namespace
}  // namespace airvane::e2e
