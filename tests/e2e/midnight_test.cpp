// Across midnight with standin.exe as the player, the clock moved to just
// before midnight by faketime (CTest starts this suite at 23:59:30): a
// programme started before midnight ends after it, a loading schedule
// replaces the tree, and the next programme starts and ends on time.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>

#include "../win32/standin_process.h"
#include "airvane_session.h"
#include "remote_tree.h"

namespace airvane::e2e {
namespace {

struct JournalEntry {
    int daySeconds;  // of the local time it was written
    std::string text;
};

// Entries with their times: "2026-12-08 23:59:58.412 IPC_PLAYFILE ..." in
// the journal file.
std::vector<JournalEntry> timedEntries(const std::string& journal) {
    std::vector<JournalEntry> entries;
    std::istringstream in(readFile(journal));
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 25) continue;
        if (line.back() == '\r') line.pop_back();
        const int h = std::stoi(line.substr(11, 2)), m = std::stoi(line.substr(14, 2)), s = std::stoi(line.substr(17, 2));
        entries.push_back({h * 3600 + m * 60 + s, line.substr(24)});
    }
    return entries;
}

// The second at which the first entry starting with text came, -1 when none.
int secondOf(const std::vector<JournalEntry>& entries, const std::string& text, int from = 0) {
    for (const JournalEntry& e : entries) {
        if ((e.daySeconds >= from || from == 0) && e.text.rfind(text, 0) == 0) return e.daySeconds;
    }
    return -1;
}

int localSeconds() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
}

// Waits until the local time is past daySeconds of the next day.
void waitUntilAfterMidnight(int daySeconds) {
    for (int i = 0; i < 900; ++i) {
        const int now = localSeconds();
        if (now < 3600 && now > daySeconds) return;
        Sleep(100);
    }
}

class Midnight : public AirvaneSession {
protected:
    void startStation(bool schedulerOn) {
        const int now = localSeconds();
        ASSERT_GE(now, 86400 - 40) << "this suite runs under faketime, just before midnight";
        journal = std::make_unique<test::StandinProcess>("--track-seconds 600");
        ASSERT_TRUE(journal->window());
        folder = prepareRunFolder(schedulerOn ? "midnight" : "midnight-off");
        writeFile(folder + "\\late.scd", "Airvane Data V1.0\r\n-1 23:59:58 0:0:6 0/0/0 0|Late.m3u\r\n{\r\n|D:\\late.mp3\r\n}\r\n\r\n");
        writeFile(folder + "\\early.scd", "Airvane Data V1.0\r\n-1 0:0:10 0:0:20 0/0/0 0|Early.m3u\r\n{\r\n|D:\\early.mp3\r\n}\r\n\r\n");
        writeFile(folder + "\\airvane.INI", "[Config]\r\nFadeoutTime=3\r\nAdjRealTimeSec=2\r\nJobFile=" + folder +
                                                "\\late.scd\r\n\r\n[LoadingSchedule]\r\n0=0 0 0 0 0 5 -1|" + folder +
                                                "\\early.scd\r\n1=\r\n");
        app = std::make_unique<AirvaneProcess>(folder);
        window = app->waitForWindow(15000);
        ASSERT_TRUE(window);
        tree = GetDlgItem(window, 100);
        if (!schedulerOn) command(window, 122);
    }
    std::unique_ptr<test::StandinProcess> journal;
};

TEST_F(Midnight, LateEndsEarlyLoadsStartsAndEndsOnTime) {
    startStation(true);
    if (HasFatalFailure()) return;
    waitUntilAfterMidnight(21);
    const std::vector<JournalEntry> entries = timedEntries(journal->journalPath());
    for (const JournalEntry& e : entries) std::printf("  %05d %s\n", e.daySeconds, e.text.c_str());

    const int lateHandOff = secondOf(entries, "IPC_PLAYFILE " + folder + "\\Late.m3u");
    EXPECT_GE(lateHandOff, 86398);
    EXPECT_LE(lateHandOff, 86399) << "within a second of 23:59:58";
    EXPECT_EQ(secondOf(entries, "IPC_SETVOLUME 254..", 1), 3) << "Late fades out from 00:00:03 (its first step 254, 20 ms in)";
    EXPECT_EQ(secondOf(entries, "WINAMP_BUTTON4", 1), 6) << "and stops at its end, 00:00:06";
    const int earlyHandOff = secondOf(entries, "IPC_PLAYFILE " + folder + "\\Early.m3u");
    EXPECT_GE(earlyHandOff, 10);
    EXPECT_LE(earlyHandOff, 11) << "within a second of 00:00:10";
    EXPECT_EQ(secondOf(entries, "IPC_SETVOLUME 254..", 12), 17) << "Early fades out from 00:00:17";
    EXPECT_EQ(secondOf(entries, "WINAMP_BUTTON4", 12), 20) << "and stops at 00:00:20";
    std::string afterStop;
    for (auto e = entries.rbegin(); e != entries.rend() && e->text != "WINAMP_BUTTON4"; ++e)
        if (e->text.rfind("IPC_SETVOLUME", 0) == 0) afterStop = e->text;
    EXPECT_EQ(afterStop, "IPC_SETVOLUME 255") << "the player's volume put back after the stop";
    // Wine, like Windows under UAC, refuses to set the clock: the operator is told.
    EXPECT_EQ(itemText(window, 110), "시계를 00:00:00으로 맞추지 못했습니다: 이 계정에는 시간을 바꿀 권한이 없습니다");

    // Each title goes into the log of its own day.
    EXPECT_NE(readFile(folder + "\\LOG\\20261208.LOG").find(" late\r\n"), std::string::npos);
    EXPECT_NE(readFile(folder + "\\LOG\\20261209.LOG").find(" early\r\n"), std::string::npos);

    std::vector<RemoteItem> items = readRemoteTree(tree);
    ASSERT_EQ(items.size(), 3u) << "the tree is early.scd's";
    EXPECT_EQ(items[1].text, "Early (00:00:10 - 00:00:20)");
    EXPECT_NE(readFile(folder + "\\airvane.INI").find("JobFile=" + folder + "\\early.scd"), std::string::npos);
}

TEST_F(Midnight, WithTheSchedulerOffNothingHappens) {
    startStation(false);
    if (HasFatalFailure()) return;
    waitUntilAfterMidnight(12);
    EXPECT_EQ(secondOf(timedEntries(journal->journalPath()), "IPC_PLAYFILE"), -1);
    std::vector<RemoteItem> items = readRemoteTree(tree);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1].text, "Late (23:59:58 - 00:00:06)") << "no load either";
}

}  // namespace
}  // namespace airvane::e2e
