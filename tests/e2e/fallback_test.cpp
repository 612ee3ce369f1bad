// The fallback programme against standin.exe: a list that runs out, a
// refused start, a frozen player and a gap between programmes are each
// filled within FallbackAfterSec + 2 s, the next programme takes over on its
// second, and none of it happens without FallbackPlaylist. FallbackAfterSec
// is 3 and FadeoutTime 0 to keep the scenarios short; the figures printed
// are the seconds of silence before the fallback.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "../win32/standin_process.h"
#include "airvane_session.h"
#include "programme_times.h"

namespace airvane::e2e {
namespace {

constexpr int kAfterSec = 3;

// A Schedule from..to whose two files are a.mp3 and b.mp3, without repeat.
std::string twoFileEntry(int from, int to, const char* title) {
    char text[240];
    std::snprintf(text, sizeof text,
                  "-1 %d:%d:%d %d:%d:%d 0/0/0 0|%s.m3u\r\n{\r\n|D:\\Music\\a.mp3\r\n|D:\\Music\\b.mp3\r\n}\r\n",
                  from / 3600, from / 60 % 60, from % 60, to / 3600, to / 60 % 60, to % 60, title);
    return text;
}

// "HH:MM:SS.mmm" as milliseconds of the day.
long msOfDay(const std::string& stamp) {
    int h = 0, m = 0, s = 0, ms = 0;
    if (std::sscanf(stamp.c_str(), "%d:%d:%d.%d", &h, &m, &s, &ms) != 4) return -1;
    return ((h * 60L + m) * 60 + s) * 1000 + ms;
}

class Fallback : public AirvaneSession {
protected:
    // Airvane with its player running standinOptions; with a fallback list
    // unless fallback is false.
    void startWith(const std::string& name, const std::string& schedule, const std::string& standinOptions,
                   bool fallback = true, bool fillGaps = false) {
        player = std::make_unique<test::StandinProcess>(standinOptions);
        ASSERT_TRUE(player->window());
        prepare(name, "Airvane Data V1.0\r\n" + schedule + "\r\n",
                "FadeoutTime=0\r\nFallbackAfterSec=" + std::to_string(kAfterSec) + "\r\n" +
                    (fillGaps ? "FillGaps=1\r\n" : ""));
        fill = folder + "\\fill.m3u";
        writeFile(fill, "D:\\Fill\\one.mp3\r\nD:\\Fill\\two.mp3\r\n");
        if (fallback) writeFile(folder + "\\airvane.INI", readFile(folder + "\\airvane.INI") + "FallbackPlaylist=" + fill + "\r\n");
        launch();
    }
    std::string journal() const { return readFile(player->journalPath()); }
    // When the player was handed what, by its journal (ms of the day); -1
    // when it was not within milliseconds.
    long handedAt(const std::string& path, DWORD milliseconds, std::size_t after = 0) const {
        const std::string entry = " IPC_PLAYFILE " + path;
        for (const DWORD start = GetTickCount();; Sleep(100)) {
            const JournalStamp stamp = journalStampOf(journal(), entry, after);
            if (stamp.at != std::string::npos) return msOfDay(stamp.time);
            if (GetTickCount() - start > milliseconds) return -1;
        }
    }
    // The play that followed the hand-over of path (the list's first track
    // begins then).
    long playedAt(const std::string& path) const {
        const std::string text = journal();
        const JournalStamp handed = journalStampOf(text, " IPC_PLAYFILE " + path);
        return handed.at == std::string::npos ? -1 : msOfDay(journalStampOf(text, " WINAMP_BUTTON2", handed.at).time);
    }
    std::string record() const {
        SYSTEMTIME t;
        GetLocalTime(&t);
        char name[32];
        std::snprintf(name, sizeof name, "%04d%02d%02d-ONAIR.CSV", t.wYear, t.wMonth, t.wDay);
        return readFile(folder + "\\LOG\\" + name);
    }
    static std::size_t count(const std::string& text, const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
        return n;
    }
    ::testing::AssertionResult within(const char* what, long silentFromMs, long fallbackAtMs) const {
        if (silentFromMs < 0 || fallbackAtMs < 0)
            return ::testing::AssertionFailure() << what << ": no fallback came\n" << journal();
        const long silence = fallbackAtMs - silentFromMs;
        std::printf("%s: %.1f s of silence before the fallback\n", what, silence / 1000.0);
        if (silence >= 0 && silence <= (kAfterSec + 2) * 1000) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << what << ": the fallback came " << silence << " ms after the silence began";
    }
    void TearDown() override {
        AirvaneSession::TearDown();
        player.reset();
    }

    std::unique_ptr<test::StandinProcess> player;
    std::string fill;
};

TEST_F(Fallback, AListThatRunsOutIsFilledAndTheNextProgrammeTakesOverOnItsSecond) {
    const int now = secondOfDayNow();
    if (now < 60 || now + 90 >= 86400) GTEST_SKIP() << "too close to midnight";
    const int first = now + 4, next = now + 44;
    startWith("fallback-runs-out", twoFileEntry(first, next, "Short") + programmeEntry(next, next + 20, "Next"),
              "--track-lengths 5,5");
    ASSERT_GE(handedAt(folder + "\\Short.m3u", 10000), 0);
    const long listEnds = playedAt(folder + "\\Short.m3u") + 10000;  // two files of 5 s
    EXPECT_TRUE(within("the list ran out", listEnds, handedAt(fill, 20000)));
    EXPECT_NE(record().find(",fallback," + fill + ",,,,silence (caption),"), std::string::npos) << record();
    EXPECT_NE(itemText(window, 110).find("대체 방송"), std::string::npos) << itemText(window, 110);

    const long nextAt = handedAt(folder + "\\Next.m3u", (next + 10 - secondOfDayNow()) * 1000);
    ASSERT_GE(nextAt, 0) << "the next programme never came";
    EXPECT_EQ(nextAt / 1000, next % 86400) << "the next programme reached the player on its second";
    EXPECT_EQ(count(journal(), " IPC_PLAYFILE " + fill), 1u) << "handed over once";
}

TEST_F(Fallback, ARefusedStartIsFilled) {
    const int now = secondOfDayNow();
    if (now < 60 || now + 60 >= 86400) GTEST_SKIP() << "too close to midnight";
    const int due = now + 5;
    startWith("fallback-refused", programmeEntry(due, due + 20, "CON"), "--track-seconds 20");
    EXPECT_TRUE(within("a refused start", due * 1000L, handedAt(fill, 20000)));
    const std::string rows = record();
    EXPECT_NE(rows.find(",not-started,CON.m3u,"), std::string::npos) << rows;
    EXPECT_NE(rows.find(",fallback," + fill + ",,,,not-started,"), std::string::npos) << rows;
    // The programme's end time ends the fallback that stood in for it.
    const std::size_t before = journal().size();
    for (int waited = 0; waited < 200 && secondOfDayNow() < due + 23; ++waited) Sleep(100);
    EXPECT_NE(journal().find("WINAMP_BUTTON4", before), std::string::npos) << "stopped at the programme's end";
}

// The player says it plays while its position stands: the fallback comes,
// and, frozen too, is said and alerted once, never handed over again.
TEST_F(Fallback, AFrozenPlayerIsFilledAndAFallbackFrozenTooIsSaidOnce) {
    const int now = secondOfDayNow();
    if (now < 60 || now + 60 >= 86400) GTEST_SKIP() << "too close to midnight";
    const int first = now + 4;
    startWith("fallback-frozen", programmeEntry(first, first + 40, "Stuck"), "--track-seconds 20 --freeze-after 3");
    ASSERT_GE(handedAt(folder + "\\Stuck.m3u", 10000), 0);
    const long frozenAt = playedAt(folder + "\\Stuck.m3u") + 3000;
    EXPECT_TRUE(within("a frozen player", frozenAt, handedAt(fill, 20000)));
    for (int waited = 0; waited < 150 && record().find("대체 방송도") == std::string::npos; ++waited) Sleep(100);
    Sleep(4000);
    const std::string rows = record();
    EXPECT_NE(rows.find(",fallback," + fill + ",,,,silence (position),"), std::string::npos) << rows;
    EXPECT_NE(rows.find(",silent," + fill + ",,,,대체 방송도 소리가 없습니다 (position),"), std::string::npos) << rows;
    EXPECT_EQ(count(journal(), " IPC_PLAYFILE " + fill), 1u) << "not handed over again in a loop";
}

class FallbackGap : public Fallback {};

TEST_F(FallbackGap, WithFillGapsAGapIsFilledAndTheSecondProgrammeStartsOnItsSecond) {
    const int now = secondOfDayNow();
    if (now < 60 || now + 60 >= 86400) GTEST_SKIP() << "too close to midnight";
    const int first = now + 4, gapFrom = now + 10, second = now + 25;
    startWith("fallback-gap", programmeEntry(first, gapFrom, "Early") + programmeEntry(second, second + 10, "Late"),
              "--track-seconds 20", true, true);
    ASSERT_GE(handedAt(folder + "\\Early.m3u", 10000), 0);
    const std::size_t afterEarly = journalStampOf(journal(), " IPC_PLAYFILE " + folder + "\\Early.m3u").at;
    const long fillAt = handedAt(fill, 20000, afterEarly);
    // The gap's silence begins when the end stops the player.
    const JournalStamp stopped = journalStampOf(journal(), " WINAMP_BUTTON4", afterEarly);
    ASSERT_NE(stopped.at, std::string::npos) << journal();
    EXPECT_GE(msOfDay(stopped.time), gapFrom * 1000L) << "Early ends at its time";
    EXPECT_TRUE(within("a gap between programmes", msOfDay(stopped.time), fillAt));
    EXPECT_NE(record().find(",fallback," + fill + ",,,,gap,"), std::string::npos) << record();
    const long lateAt = handedAt(folder + "\\Late.m3u", (second + 10 - secondOfDayNow()) * 1000);
    ASSERT_GE(lateAt, 0);
    EXPECT_EQ(lateAt / 1000, second % 86400) << "the second programme reached the player on its second";
}

// Without FallbackPlaylist a list that runs out and a refused start stay
// silent, as they always did.
TEST_F(FallbackGap, NothingOfThisWithoutAFallbackPlaylist) {
    const int now = secondOfDayNow();
    if (now < 60 || now + 60 >= 86400) GTEST_SKIP() << "too close to midnight";
    startWith("fallback-none", twoFileEntry(now + 4, now + 24, "Short") + programmeEntry(now + 25, now + 35, "CON"),
              "--track-lengths 5,5", false, false);
    for (int waited = 0; waited < 400 && secondOfDayNow() < now + 33; ++waited) Sleep(100);
    EXPECT_EQ(journal().find(fill), std::string::npos) << journal();
    EXPECT_EQ(record().find(",fallback,"), std::string::npos) << record();
    EXPECT_NE(record().find(",not-started,CON.m3u,"), std::string::npos) << record();
}

}  // namespace
}  // namespace airvane::e2e
