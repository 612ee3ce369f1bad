// Soft starts with standin.exe as the player, its tracks of set lengths
// (by list position: 12 s, 60 s, then 600 s). Morning starts hard at t0;
// Jazz (soft) at t0 + 5, while Morning's first track has 7 s left; Rock
// (soft) at t0 + 27, while Jazz's second track has about 57 s left, more
// than SoftWaitSec 15; News (hard) at t0 + 50. (Jazz comes after Morning's
// start window, so that an end of Morning ahead of it cannot start Morning
// again.)
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "../win32/standin_process.h"
#include "airvane_session.h"
#include "model/schedule_node.h"
#include "programme_times.h"

namespace airvane::e2e {
namespace {

class SoftStart : public AirvaneSession {};

// The millisecond of the day of a journal stamp "HH:MM:SS.mmm".
long long stampMs(const JournalStamp& stamp) {
    int h = 0, m = 0, s = 0, ms = 0;
    std::sscanf(stamp.time.c_str(), "%d:%d:%d.%d", &h, &m, &s, &ms);
    return ((h * 60LL + m) * 60 + s) * 1000 + ms;
}

// A programme of three Files, so that its list has three places.
std::string threeTracks(int from, const char* title, int options) {
    std::string entry = programmeEntry(from, (from + 3600) % 86400, title, options);
    const std::string one = std::string("|D:\\Music\\") + title + ".mp3\r\n";
    entry.insert(entry.find(one) + one.size(), one + one);
    return entry;
}

TEST_F(SoftStart, TheProgrammeWaitsForTheSongOrForTheLimitAndAHardStartKeepsItsSecond) {
    const int t0 = secondOfDayNow() + 8;
    if (t0 + 70 >= 86400) GTEST_SKIP() << "too close to midnight";
    test::StandinProcess player("--track-lengths 12,60,600");
    ASSERT_TRUE(player.window());
    const std::string job = "Airvane Data V1.0\r\n" + threeTracks(t0, "Morning", 0) +
                            threeTracks(t0 + 5, "Jazz", kSoftStart) + threeTracks(t0 + 27, "Rock", kSoftStart) +
                            programmeEntry(t0 + 50, t0 + 3600, "News") + "\r\n";
    prepare("soft-start", job, "FadeoutTime=2\r\nSoftWaitSec=15\r\n");
    launch();
    const std::string playlist = "IPC_PLAYFILE " + folder + "\\";
    std::string journal;
    for (int i = 0; i < 700 && journal.find(playlist + "News.m3u") == std::string::npos; ++i) {
        Sleep(100);
        journal = readFile(player.journalPath());
    }
    std::printf("%s", journal.c_str());

    const JournalStamp morning = journalStampOf(journal, playlist + "Morning.m3u");
    const JournalStamp jazz = journalStampOf(journal, playlist + "Jazz.m3u");
    const JournalStamp morningPlays = journalStampOf(journal, "WINAMP_BUTTON2", morning.at);
    EXPECT_EQ(journal.rfind(playlist + "Morning.m3u"), morning.at) << "Morning was handed over once";
    const JournalStamp rock = journalStampOf(journal, playlist + "Rock.m3u");
    const JournalStamp news = journalStampOf(journal, playlist + "News.m3u");
    ASSERT_NE(morningPlays.at, std::string::npos);
    ASSERT_NE(jazz.at, std::string::npos);
    ASSERT_NE(rock.at, std::string::npos);
    ASSERT_NE(news.at, std::string::npos);
    EXPECT_EQ(morning.time.substr(0, 8), clockText(t0)) << "a hard start keeps its second";
    EXPECT_EQ(news.time.substr(0, 8), clockText(t0 + 50)) << "a hard start keeps its second";

    // Jazz: at the end of Morning's 12 s track, with no fade before it.
    const long long trackEnd = stampMs(morningPlays) + 12'000;
    std::printf("Jazz came %lld ms after the track's end\n", stampMs(jazz) - trackEnd);
    EXPECT_LE(std::llabs(stampMs(jazz) - trackEnd), 1000);
    const std::string beforeJazz = journal.substr(morningPlays.at, jazz.at - morningPlays.at);
    EXPECT_EQ(beforeJazz.find(" ms ("), std::string::npos) << "no fade: " << beforeJazz;

    // Rock: 15 s after its second, after a fade of FadeoutTime.
    const long long rockDue = (t0 + 27) * 1000LL;
    std::printf("Rock came %lld ms after its second\n", stampMs(rock) - rockDue);
    EXPECT_GE(stampMs(rock) - rockDue, 15'000 - 300);
    EXPECT_LE(stampMs(rock) - rockDue, 16'000);
    const std::string beforeRock = journal.substr(jazz.at, rock.at - jazz.at);
    std::smatch fade;
    EXPECT_TRUE(std::regex_search(beforeRock, fade, std::regex("IPC_SETVOLUME \\d+\\.\\.\\d+ in (\\d+) ms")))
        << beforeRock;

    // The record: each soft start's due second and, as length_ms, its wait.
    SYSTEMTIME today;
    GetLocalTime(&today);
    char name[32];
    std::snprintf(name, sizeof name, "\\LOG\\%04d%02d%02d-ONAIR.CSV", today.wYear, today.wMonth, today.wDay);
    std::string rows;
    const std::regex rockRow(",start,Rock\\.m3u," + clockText(t0 + 27) + ",(\\d+),15000,");
    const std::regex jazzRow(",start,Jazz\\.m3u," + clockText(t0 + 5) + ",(\\d+),(\\d+),");
    for (int i = 0; i < 50 && !std::regex_search(rows, rockRow); ++i) {
        Sleep(100);
        rows = readFile(folder + name);
    }
    std::printf("%s", rows.c_str());
    EXPECT_TRUE(std::regex_search(rows, rockRow));
    std::smatch jazzWait;
    ASSERT_TRUE(std::regex_search(rows, jazzWait, jazzRow));
    EXPECT_NEAR(std::stoi(jazzWait[2]), 7000, 1000);
}

}  // namespace
}  // namespace airvane::e2e
