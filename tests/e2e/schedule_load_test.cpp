// The job file at start-up, seen from outside in the running program's tree.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>

#include "airvane_process.h"
#include "remote_tree.h"

namespace airvane::e2e {
namespace {

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<RemoteItem> treeOf(AirvaneProcess& app) {
    HWND window = app.waitForWindow(15000);
    EXPECT_TRUE(window);
    return window ? readRemoteTree(GetDlgItem(window, 100)) : std::vector<RemoteItem>{};
}

TEST(ScheduleLoad, TheJobFileNamedInTheIniShowsWithItsLabels) {
    const std::string folder = prepareRunFolder("schedule-load");
    writeFile(folder + "\\주간.scd",
              "Airvane Data V1.0\r\n"
              "-1 6:0:0 8:30:0 0/0/0 3|아침 방송.m3u\r\n{\r\n|D:\\음악\\a.mp3\r\n|D:\\음악\\b.mp3\r\n}\r\n"
              "1 22:0:0 0:0:-1 2026/12/24 0|Christmas.Eve.m3u\r\n\r\n");
    writeFile(folder + "\\airvane.INI", "[Config]\r\nJobFile=" + folder + "\\주간.scd\r\n");

    AirvaneProcess app(folder);
    std::vector<RemoteItem> items = treeOf(app);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].text, "방송 스케쥴");
    EXPECT_EQ(items[0].level, 0);
    EXPECT_TRUE(items[0].state & TVIS_EXPANDED);
    EXPECT_EQ(items[1].text, "아침 방송 (06:00:00 - 08:30:00)");
    EXPECT_EQ(items[1].image, 1);
    EXPECT_EQ(items[2].text, "D:\\음악\\a.mp3");
    EXPECT_EQ(items[2].level, 2);
    EXPECT_EQ(items[2].image, 2);
    EXPECT_EQ(items[3].text, "D:\\음악\\b.mp3");
    EXPECT_EQ(items[4].text, "Christmas.Eve (2026/12/24 22:00:00 - )");
    PostMessageA(app.waitForWindow(1000), WM_CLOSE, 0, 0);
    EXPECT_EQ(app.waitForExit(15000), 0);
}

TEST(ScheduleLoad, WithoutJobFileOrScheduleSectionOnlyTheRootShows) {
    const std::string folder = prepareRunFolder("schedule-empty");
    AirvaneProcess app(folder);
    std::vector<RemoteItem> items = treeOf(app);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, "방송 스케쥴");
    EXPECT_TRUE(items[0].state & TVIS_EXPANDED);
    PostMessageA(app.waitForWindow(1000), WM_CLOSE, 0, 0);
    EXPECT_EQ(app.waitForExit(15000), 0);
}

}  // namespace
}  // namespace airvane::e2e
