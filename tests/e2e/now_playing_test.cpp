// A programme walked through the now-playing monitor with standin.exe as
// the player: the status line, the day's log, the playing File marked in
// the tree, and the stream title in a SHOUTcast window with a Korean
// caption, handed back at exit.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <regex>

#include "../win32/process_start.h"
#include "../win32/standin_process.h"
#include "../win32/window_search.h"
#include "airvane_session.h"
#include "remote_tree.h"

namespace airvane::e2e {
namespace {

class NowPlaying : public AirvaneSession {};

// A Schedule on air from ten minutes ago until an hour from now, so that
// the scheduler leaves it be, with these Files.
std::string onAirNow(const std::string& files) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int second = now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
    const int from = second - 600, to = second + 3600;
    char entry[96];
    std::snprintf(entry, sizeof entry, "-1 %d:%d:%d %d:%d:%d 0/0/0 0|Morning.m3u\r\n", from / 3600, from / 60 % 60,
                  from % 60, to / 3600, to / 60 % 60, to % 60);
    return std::string("Airvane Data V1.0\r\n") + entry + "{\r\n" + files + "}\r\n\r\n";
}

std::string today(const char* format) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, format, now.wYear, now.wMonth, now.wDay);
    return text;
}

TEST_F(NowPlaying, AProgrammeIsShownLoggedMarkedAndTitled) {
    test::StandinProcess player("--track-seconds 600 --shoutcast-caption 샤웃캐스트", true);
    ASSERT_TRUE(player.window());
    HWND stream = test::waitForTopLevel([&](HWND w) { return GetParent(w) == player.window() && test::isShownDialog(w); },
                                        5000);
    ASSERT_TRUE(stream);
    start("now-playing", onAirNow("|D:\\Music\\a.mp3\r\n|D:\\Music\\b.mp3\r\n"));
    const HTREEITEM morning = treeItem(tree, treeItem(tree, nullptr, TVGN_ROOT), TVGN_CHILD);
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(morning));
    selectItem(tree, morning);
    command(window, 104);

    EXPECT_TRUE(waitForText(GetDlgItem(window, 110), "1. a - Winamp", 10000));
    const std::string log = folder + "\\LOG\\" + today("%d%02d%02d") + ".LOG";
    // Lines of the title "a" (the player's first caption may come before).
    auto linesOfA = [&log] {
        const std::string text = readFile(log);
        const std::regex line("\\d{4}/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d a\r\n");
        return std::distance(std::sregex_iterator(text.begin(), text.end(), line), std::sregex_iterator());
    };
    for (int i = 0; i < 50 && linesOfA() < 1; ++i) Sleep(100);
    EXPECT_EQ(linesOfA(), 1) << readFile(log);
    const HTREEITEM file = treeItem(tree, morning, TVGN_CHILD);
    for (int i = 0; i < 50 && treeItem(tree, nullptr, TVGN_CARET) != file; ++i) Sleep(100);
    EXPECT_EQ(treeItem(tree, nullptr, TVGN_CARET), file) << "the playing File is the caret item";
    auto streamTitle = [stream] {
        char title[128] = "";
        SendMessageA(GetDlgItem(stream, 1011), WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title));
        return std::string(title);
    };
    for (int i = 0; i < 50 && streamTitle() != "[Morning] a"; ++i) Sleep(100);
    EXPECT_EQ(streamTitle(), "[Morning] a");
    EXPECT_EQ(IsDlgButtonChecked(stream, 1012), BST_UNCHECKED);

    // Played again (after FadeoutTime's fade of what plays), the same title
    // counts as new and is logged again.
    command(window, 104);
    for (int i = 0; i < 100 && linesOfA() < 2; ++i) Sleep(100);
    EXPECT_EQ(linesOfA(), 2) << readFile(log);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(app->waitForExit(10000), 0);
    EXPECT_EQ(IsDlgButtonChecked(stream, 1012), BST_CHECKED) << "the title handed back at exit";
}

// Three tracks of 6 s: the record gets a track row for each as it goes on
// air, with its list position and file, and a track-end with how long it
// played; scdtool played lists them.
TEST_F(NowPlaying, EveryTrackGoesIntoTheRecordAndTheAsPlayedList) {
    test::StandinProcess player("--track-seconds 6");
    ASSERT_TRUE(player.window());
    start("tracks", onAirNow("|D:\\Music\\a.mp3\r\n|D:\\Music\\b.mp3\r\n|D:\\Music\\c.mp3\r\n"));
    selectItem(tree, treeItem(tree, treeItem(tree, nullptr, TVGN_ROOT), TVGN_CHILD));
    command(window, 104);
    const std::string record = folder + "\\LOG\\" + today("%04d%02d%02d") + "-ONAIR.CSV";
    const std::regex trackA(",track,Morning\\.m3u,,,,a,1,D:\\\\Music\\\\a\\.mp3,6000,\r\n");
    const std::regex endA(",track-end,Morning\\.m3u,,,,a,1,D:\\\\Music\\\\a\\.mp3,,(\\d+)\r\n");
    const std::regex trackB(",track,Morning\\.m3u,,,,b,2,D:\\\\Music\\\\b\\.mp3,6000,\r\n");
    std::string rows;
    for (int i = 0; i < 250 && !std::regex_search(rows, trackB); ++i) {
        Sleep(100);
        rows = readFile(record);
    }
    std::printf("%s", rows.c_str());
    EXPECT_TRUE(std::regex_search(rows, trackA));
    EXPECT_TRUE(std::regex_search(rows, trackB));
    std::smatch played;
    ASSERT_TRUE(std::regex_search(rows, played, endA));
    EXPECT_NEAR(std::stoi(played[1]), 6000, 1500);

    const std::string out = folder + "\\played.txt";
    const PROCESS_INFORMATION run =
        test::startProcess("C:\\windows\\system32\\cmd.exe", "cmd /c \"\"" + buildFolder() + "\\scdtool.exe\" played --config \"" +
                                                                 folder + "\\airvane.INI\" --date " + today("%04d-%02d-%02d") +
                                                                 " > \"" + out + "\"\"");
    ASSERT_TRUE(run.hProcess);
    WaitForSingleObject(run.hProcess, 30000);
    DWORD exitCode = 99;
    GetExitCodeProcess(run.hProcess, &exitCode);
    CloseHandle(run.hProcess);
    const std::string list = readFile(out);
    std::printf("%s", list.c_str());
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(std::regex_search(list, std::regex("\\d\\d:\\d\\d:\\d\\d  Morning\\.m3u  D:\\\\Music\\\\a\\.mp3  a  [5-7] s\r\n")))
        << list;
    EXPECT_TRUE(std::regex_search(list, std::regex("\\d\\d:\\d\\d:\\d\\d  Morning\\.m3u  D:\\\\Music\\\\b\\.mp3  b  ")))
        << list;
}

}  // namespace
}  // namespace airvane::e2e
