// A programme walked through the now-playing monitor with standin.exe as
// the player: the status line, the day's log, the playing File marked in
// the tree, and the stream title in a SHOUTcast window with a Korean
// caption, handed back at exit.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <regex>

#include "../win32/standin_process.h"
#include "../win32/window_search.h"
#include "airvane_session.h"
#include "remote_tree.h"

namespace airvane::e2e {
namespace {

class NowPlaying : public AirvaneSession {};

TEST_F(NowPlaying, AProgrammeIsShownLoggedMarkedAndTitled) {
    test::StandinProcess player("--track-seconds 600 --shoutcast-caption 샤웃캐스트", true);
    ASSERT_TRUE(player.window());
    HWND stream = test::waitForTopLevel([&](HWND w) { return GetParent(w) == player.window() && test::isShownDialog(w); },
                                        5000);
    ASSERT_TRUE(stream);
    // On air now until an hour from now, so that the scheduler leaves it be.
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int second = now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
    const int from = second - 600, to = second + 3600;
    char entry[96];
    std::snprintf(entry, sizeof entry, "-1 %d:%d:%d %d:%d:%d 0/0/0 0|Morning.m3u\r\n", from / 3600, from / 60 % 60,
                  from % 60, to / 3600, to / 60 % 60, to % 60);
    start("now-playing", std::string("Airvane Data V1.0\r\n") + entry + "{\r\n|D:\\Music\\a.mp3\r\n|D:\\Music\\b.mp3\r\n}\r\n\r\n");
    const HTREEITEM morning = treeItem(tree, treeItem(tree, nullptr, TVGN_ROOT), TVGN_CHILD);
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(morning));
    selectItem(tree, morning);
    command(window, 104);

    EXPECT_TRUE(waitForText(GetDlgItem(window, 110), "1. a - Winamp", 10000));
    char day[16];
    std::snprintf(day, sizeof day, "%d%02d%02d", now.wYear, now.wMonth, now.wDay);
    const std::string log = folder + "\\LOG\\" + day + ".LOG";
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

}  // namespace
}  // namespace airvane::e2e
