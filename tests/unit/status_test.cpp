// The now-playing file's template and writer, and what the status server
// shows: the JSON snapshot, the page, and what is on air and next.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "status/now_playing_file.h"
#include "status/on_air_now.h"
#include "status/status_snapshot.h"
#include "storage/filesystem.h"
#include "test_files.h"

namespace airvane {
namespace {

// UTF-8 bytes written in the source: narrow literals here are CP949.
std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

NowPlayingFields fields(const char* programme, const char* title, const char* next = "",
                        std::optional<int32_t> nextStart = std::nullopt) {
    return {programme, title, next, nextStart};
}

TEST(NowPlayingFile, TheTemplateFillsEveryFieldAndLeavesTheRestAsWritten) {
    const struct {
        const char* format;
        std::optional<NowPlayingFields> fields;
        const char* expected;
    } rows[] = {
        {"%programme% - %title%", fields("Morning", "Artist - Song"), "Morning - Artist - Song"},
        {"%artist%|%song%", fields("M", "Artist - Song - Live"), "Artist|Song - Live"},
        {"%artist%|%song%", fields("M", "Song only"), "|Song only"},
        {"%next% %nextstart%", fields("M", "t", "Noon", 12 * 3600 + 5 * 60 + 59), "Noon 12:05"},
        {"[%next%%nextstart%]", fields("M", "t"), "[]"},
        {"%TITLE% %Programme%", fields("M", "t"), "t M"},
        {"100% %title% %unknown% %", fields("M", "t"), "100% t %unknown% %"},
        {"%%title%%", fields("M", "t"), "%t%"},
        {"%title", fields("M", "t"), "%title"},
        {"", fields("M", "t"), ""},
        {"%programme% - %title%", std::nullopt, ""},
        {"아침 %programme%: %title%", fields("아침방송", "가수 - 노래"), "아침 아침방송: 가수 - 노래"},
        {"%artist%", fields("M", "가수 - 노래"), "가수"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.format);
        EXPECT_EQ(formatNowPlaying(row.format, row.fields), row.expected);
    }
}

TEST(NowPlayingFile, TheBytesAreInTheChosenEncoding) {
    const std::string korean = "가수 - 노래";  // CP949 bytes
    EXPECT_EQ(nowPlayingBytes(korean, "CP949"), korean);
    EXPECT_EQ(nowPlayingBytes(korean, "cp949"), korean);
    EXPECT_EQ(nowPlayingBytes(korean, "UTF-8"), utf8(u8"가수 - 노래"));
    EXPECT_EQ(nowPlayingBytes("plain", "UTF-8"), "plain");
    EXPECT_EQ(nowPlayingBytes("\xB0", "UTF-8"), "?") << "half a character still gives valid UTF-8";
}

TEST(NowPlayingFile, TheWriterWritesTheLatestTextAndSaysWhenAWriteFailed) {
    test::TempDir dir;
    const std::string path = dir.path("now.txt");
    {
        NowPlayingFileWriter writer(writeFileAtomically);
        EXPECT_EQ(writer.takeOutcome(), std::nullopt) << "nothing written yet";
        writer.put(path, "first");
        writer.put(path, "second");
        writer.waitUntilWritten();
        EXPECT_EQ(dir.read("now.txt"), "second");
        EXPECT_EQ(writer.takeOutcome(), std::optional<bool>(true));
        writer.put(dir.path("no-such-folder/now.txt"), "x");
        writer.waitUntilWritten();
        EXPECT_EQ(writer.takeOutcome(), std::optional<bool>(false));
        EXPECT_EQ(writer.takeOutcome(), std::nullopt) << "said once";
        writer.put(path, "");
        writer.waitUntilWritten();
        EXPECT_EQ(dir.read("now.txt"), "") << "nothing on air empties the file";
        writer.put(path, "last");
    }
    EXPECT_EQ(dir.read("now.txt"), "last") << "a text put before the end is still written";

    // A refusal for a moment (an encoder reading the file) is tried again;
    // a failure that stays is not hidden by a later success.
    std::atomic<int> calls{0};
    NowPlayingFileWriter flaky([&calls](const std::string&, const std::string&) { return ++calls > 4; });
    flaky.put("a", "1");
    flaky.waitUntilWritten();
    flaky.put("a", "2");
    flaky.waitUntilWritten();
    EXPECT_EQ(flaky.takeOutcome(), std::optional<bool>(false)) << "four refusals in a row";
    calls = 3;
    flaky.put("a", "3");
    flaky.waitUntilWritten();
    EXPECT_EQ(flaky.takeOutcome(), std::optional<bool>(true)) << "written on its second try";
}

StatusSnapshot fullSnapshot() {
    StatusSnapshot s;
    s.heartbeat = {2026, 12, 9, 3, 7, 5, 9, 250};
    s.scheduler = true;
    s.playerFound = true;
    ProgrammeOnAir now;
    now.programme = "아침 \"방송\"";
    now.title = "가수 - 노래\\1\t";
    now.startSec = 7 * 3600;
    now.endSec = 9 * 3600;
    now.positionMs = 61'500;
    now.lengthMs = 180'000;
    s.now = now;
    s.next = NextProgramme{"Noon", 12 * 3600};
    s.silenceSince = LocalTime{2026, 12, 9, 3, 7, 4, 50, 0};
    return s;
}

TEST(StatusJson, TheSnapshotAsJson) {
    StatusSnapshot quiet;
    quiet.heartbeat = {2026, 1, 2, 5, 0, 0, 1, 7};
    quiet.scheduler = false;
    StatusSnapshot noEnd = fullSnapshot();
    noEnd.now->endSec.reset();
    noEnd.now->positionMs.reset();
    noEnd.now->lengthMs.reset();
    noEnd.next.reset();
    noEnd.silenceSince.reset();
    noEnd.now->programme = "\x01<b>";
    const struct {
        const char* name;
        StatusSnapshot snapshot;
        std::optional<TodayCounts> today;
        std::string expected;
    } rows[] = {
        {"everything", fullSnapshot(), TodayCounts{5, 2, 1, 1, 1},
         utf8(u8"{\"heartbeat\":\"2026-12-09T07:05:09.250\",\"scheduler\":true,\"player\":\"found\","
              u8"\"now\":{\"programme\":\"아침 \\\"방송\\\"\",\"title\":\"가수 - "
              u8"노래\\\\1\\t\",\"start\":\"07:00:00\","
              u8"\"end\":\"09:00:00\",\"position_ms\":61500,\"length_ms\":180000},"
              u8"\"next\":{\"programme\":\"Noon\",\"start\":\"12:00:00\"},\"silence\":\"2026-12-09T07:04:50."
              u8"000\","
              u8"\"today\":{\"planned\":5,\"on_time\":2,\"late\":1,\"missed\":1,\"cut_short\":1}}\n")},
        {"nothing on air", quiet, std::nullopt,
         "{\"heartbeat\":\"2026-01-02T00:00:01.007\",\"scheduler\":false,\"player\":\"lost\",\"now\":null,"
         "\"next\":null,\"silence\":null,\"today\":null}\n"},
        {"no end, position unknown", noEnd, TodayCounts{},
         "{\"heartbeat\":\"2026-12-09T07:05:09.250\",\"scheduler\":true,\"player\":\"found\","
         "\"now\":{\"programme\":\"\\u0001<b>\",\"title\":\"" +
             utf8(u8"가수 - 노래") +
             "\\\\1\\t\",\"start\":\"07:00:00\","
             "\"end\":null,\"position_ms\":null,\"length_ms\":null},\"next\":null,\"silence\":null,"
             "\"today\":{\"planned\":0,\"on_time\":0,\"late\":0,\"missed\":0,\"cut_short\":0}}\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(statusJson(row.snapshot, row.today), row.expected);
    }
}

TEST(StatusPage, ThePageShowsTheSameEscapedAndMarksWhatIsWrong) {
    StatusSnapshot s = fullSnapshot();
    s.now->title = "<script>alert('x')</script> & co";
    const std::string page = statusPage(s, TodayCounts{5, 2, 1, 1, 0});
    EXPECT_NE(page.find(utf8(u8"아침 &quot;방송&quot;")), std::string::npos) << "the programme, in UTF-8";
    EXPECT_NE(page.find("&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; co"), std::string::npos);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("http-equiv=\"refresh\""), std::string::npos);
    EXPECT_EQ(page.find("http://"), std::string::npos) << "no outside resources";
    EXPECT_EQ(page.find("https://"), std::string::npos) << "no outside resources";
    EXPECT_NE(page.find(utf8(u8"<tr class=\"warn\"><th>무음</th><td>07:04:50부터")), std::string::npos);
    EXPECT_NE(page.find(utf8(u8"<tr class=\"warn\"><th>늦음</th><td>1</td>")), std::string::npos);
    EXPECT_NE(page.find(utf8(u8"<tr class=\"warn\"><th>빠짐</th><td>1</td>")), std::string::npos);
    EXPECT_NE(page.find(utf8(u8"<tr><th>짧게 끝남</th><td>0</td>")), std::string::npos) << "nothing to mark";
    EXPECT_NE(page.find(utf8(u8"<tr><th>플레이어</th><td>찾음</td>")), std::string::npos);
    // A title cut in the middle of a Korean character keeps the markup whole.
    s.now->title = std::string("노래") + "\xB3";
    EXPECT_NE(statusPage(s, std::nullopt).find(utf8(u8"<th>지금 곡</th><td>노래</td>")), std::string::npos);

    StatusSnapshot quiet;
    quiet.playerFound = false;
    const std::string idle = statusPage(quiet, std::nullopt);
    EXPECT_NE(idle.find(utf8(u8"<tr><th>방송 중</th><td>없음</td>")), std::string::npos);
    EXPECT_NE(idle.find(utf8(u8"<tr class=\"warn\"><th>플레이어</th><td>없음</td>")), std::string::npos);
    EXPECT_NE(idle.find(utf8(u8"<tr><th>무음</th><td>없음</td>")), std::string::npos);
}

TEST(StatusText, EscapingForJson) {
    const struct {
        const char* in;
        const char* json;
    } rows[] = {
        {"plain", "\"plain\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"\r\n\t\x1f\x7f", "\"\\r\\n\\t\\u001f\x7f\""},
        {"<a href='x'>&", "\"<a href='x'>&\""},
    };
    for (const auto& row : rows) EXPECT_EQ(jsonString(row.in), row.json) << row.in;
    EXPECT_EQ(programmeName("Morning.m3u"), "Morning");
    EXPECT_EQ(programmeName("a.b.m3u"), "a.b");
    EXPECT_EQ(programmeName("NoDot"), "NoDot");
}

TEST(StatusBoard, ReadersGetTheLastPublishedSnapshot) {
    StatusBoard board;
    EXPECT_EQ(board.read(), nullptr) << "nothing before the first tick";
    StatusSnapshot first;
    first.heartbeat.second = 1;
    board.publish(first);
    const auto held = board.read();
    StatusSnapshot second;
    second.heartbeat.second = 2;
    board.publish(second);
    EXPECT_EQ(held->heartbeat.second, 1) << "a reader's copy stays as it was";
    EXPECT_EQ(board.read()->heartbeat.second, 2);
}

ScheduleNode schedule(const char* text, int32_t start, int32_t end, bool playing = false,
                      int32_t weekdays = kEveryDay) {
    ScheduleNode node = newScheduleRecord();
    node.text = text;
    node.startSec = start;
    node.endSec = end;
    node.playing = playing;
    node.weekdays = weekdays;
    return node;
}

TEST(OnAirNow, WhatPlaysAndWhatComesNextFromTheTreesSchedules) {
    // Wednesday 2026-12-09, 10:00:00.
    const LocalTime now = localTimeAt(2026, 12, 9, 10 * 3600);
    ASSERT_EQ(now.dayOfWeek, 3);
    std::vector<ScheduleNode> nodes = {
        schedule("Morning.m3u", 9 * 3600, 11 * 3600, true),
        schedule("Sunday.m3u", 10 * 3600 + 30, kNoEndTime, false, 1 << 0),
        schedule("Late.m3u", 20 * 3600, kNoEndTime),
        schedule("Noon.m3u", 12 * 3600, 13 * 3600),
        schedule("Early.m3u", 6 * 3600, 7 * 3600),
        schedule("AlsoNoon.m3u", 12 * 3600, 14 * 3600),
    };
    nodes.push_back(schedule("Dated.m3u", 11 * 3600, kNoEndTime));
    nodes.back().year = 2025;  // another year: not today
    std::vector<ScheduleRef> refs;
    for (std::size_t i = 0; i < nodes.size(); ++i) refs.push_back({static_cast<NodeItem>(i + 1), &nodes[i]});

    const auto onAir = programmeOnAirIn(refs, "Artist - Song");
    ASSERT_TRUE(onAir);
    EXPECT_EQ(onAir->programme, "Morning");
    EXPECT_EQ(onAir->title, "Artist - Song");
    EXPECT_EQ(onAir->startSec, 9 * 3600);
    EXPECT_EQ(onAir->endSec, std::optional<int32_t>(11 * 3600));
    const auto next = nextProgrammeIn(refs, now);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->programme, "Noon")
        << "the earliest later start of today; the first in tree order on a tie";
    EXPECT_EQ(next->startSec, 12 * 3600);

    nodes[0].playing = false;
    EXPECT_FALSE(programmeOnAirIn(refs, "x")) << "nothing marked: nothing on air";
    EXPECT_FALSE(nextProgrammeIn(refs, localTimeAt(2026, 12, 9, 21 * 3600))) << "nothing later today";
    EXPECT_EQ(nextProgrammeIn(refs, localTimeAt(2026, 12, 13, 10 * 3600))->programme, "Sunday");
    EXPECT_FALSE(programmeOnAirIn({}, "x"));
}

TEST(OnAirNow, ASilencesBeginningIsTheTimeBeforeNow) {
    const struct {
        LocalTime now;
        int64_t ms;
        const char* expected;
    } rows[] = {
        {localTimeAt(2026, 12, 9, 3600), 5'000, "2026-12-09T00:59:55.000"},
        {localTimeAt(2026, 12, 9, 3), 5'500, "2026-12-08T23:59:57.500"},
        {localTimeAt(2027, 1, 1, 0), 1, "2026-12-31T23:59:59.999"},
        {localTimeAt(2026, 12, 9, 60), 0, "2026-12-09T00:01:00.000"},
    };
    for (const auto& row : rows) EXPECT_EQ(isoLocalTime(localTimeBefore(row.now, row.ms)), row.expected);
}

}  // namespace
}  // namespace airvane
