// Where KeepOnAir puts a programme back: one table over the record's rows,
// the lengths known and the time passed; and its patience with a player
// that will not stay.
#include <gtest/gtest.h>

#include <filesystem>

#include "onair/rejoin_point.h"
#include "onair/restart_pacing.h"
#include "test_files.h"

namespace airvane {
namespace {

OnAirRow row(int day, int32_t second, std::string_view event, int listPos = 0, std::string file = {},
             std::optional<int64_t> playedMs = std::nullopt) {
    OnAirRow r;
    r.when = localTimeAt(2026, 12, day, second);
    r.event = std::string(event);
    r.title = "Morning.m3u";
    if (listPos) r.listPos = listPos;
    r.file = std::move(file);
    r.playedMs = playedMs;
    return r;
}

TEST(RejoinPoint, WhereTheProgrammeWouldBeNow) {
    const std::vector<std::string> files = {"C:\\M\\a.mp3", "C:\\M\\b.mp3", "C:\\M\\c.mp3"};
    OnAirRow lengthsRow = row(1, 0, onair::kTrack, 1, "c:\\m\\A.MP3");  // another day, another case
    lengthsRow.trackMs = 20'000;
    TrackLengths allKnown;
    std::vector<OnAirRow> learnt = {lengthsRow};
    for (const char* file : {"C:\\M\\b.mp3", "C:\\M\\c.mp3"}) {
        learnt.push_back(lengthsRow);
        learnt.back().file = file;
    }
    allKnown.learn(learnt);
    TrackLengths bUnknown;
    bUnknown.learn({learnt[0], learnt[2]});
    const int32_t nine = 9 * 3600;
    const struct {
        const char* what;
        std::vector<OnAirRow> rows;
        const TrackLengths* lengths;
        bool shuffle, repeat;
        int day;
        int32_t now;
        RejoinPoint expected;
        int airingDay = 9;  // when this airing was due
        int32_t airing = 9 * 3600;
    } cases[] = {
        {"nothing recorded: the list's beginning", {}, &allKnown, false, false, 9, nine, {0, 0, false, false}},
        {"8 s into the second track", {row(9, nine, onair::kStart), row(9, nine, onair::kTrack, 1, files[0]),
                                        row(9, nine + 20, onair::kTrack, 2, files[1])},
         &allKnown, false, false, 9, nine + 28, {1, 8000, true, false}},
        {"the outage went on into the third track", {row(9, nine, onair::kStart), row(9, nine + 20, onair::kTrack, 2, files[1])},
         &allKnown, false, false, 9, nine + 45, {2, 5000, true, false}},
        {"only the start recorded: walked from the first track", {row(9, nine, onair::kStart)}, &allKnown, false, false,
         9, nine + 25, {1, 5000, true, false}},
        {"the track's length not known: from its beginning", {row(9, nine + 20, onair::kTrack, 2, files[1])},
         &bUnknown, false, false, 9, nine + 28, {1, 0, true, false}},
        {"a length not known further on", {row(9, nine, onair::kTrack, 1, files[0])}, &bUnknown, false, false, 9,
         nine + 50, {1, 0, true, false}},
        {"the end of the list without repeat", {row(9, nine, onair::kStart)}, &allKnown, false, false, 9, nine + 61,
         {2, 0, true, true}},
        {"the end of the list with repeat, many rounds on", {row(9, nine, onair::kStart)}, &allKnown, false, true, 9,
         nine + 60 * 10 + 47, {2, 7000, true, false}},
        {"shuffle: the path decides, not the list position", {row(9, nine, onair::kTrack, 1, files[2])}, &allKnown, true,
         false, 9, nine + 12, {2, 12000, true, false}},
        {"shuffle after the known track: the first not yet aired",
         {row(9, nine, onair::kTrack, 1, files[0]), row(9, nine + 20, onair::kTrack, 2, files[2])}, &allKnown, true,
         false, 9, nine + 45, {1, 0, true, false}},
        {"begun the evening before", {row(8, 86400 - 30, onair::kStart), row(8, 86400 - 10, onair::kTrack, 2, files[1])},
         &allKnown, false, false, 9, 5, {1, 15000, true, false}, 8, 86400 - 30},
        {"a rejoin knows where it joined; its own track row does not move it",
         {row(9, nine, onair::kRejoin, 2, files[1], 8000), row(9, nine + 1, onair::kTrack, 2, files[1])}, &allKnown,
         false, false, 9, nine + 10, {1, 18000, true, false}},
        {"a later start of the same programme begins it anew",
         {row(9, nine, onair::kTrack, 3, files[2]), row(9, nine + 600, onair::kStart)}, &allKnown, false, false, 9,
         nine + 603, {0, 3000, true, false}},
        {"another programme's rows are not this one's", {[&] {
             OnAirRow other = row(9, nine, onair::kTrack, 3, files[2]);
             other.title = "Noon.m3u";
             return other;
         }()},
         &allKnown, false, false, 9, nine + 5, {0, 5000, true, false}},
        {"yesterday's airing is no guide: walked from today's second",
         {row(8, nine, onair::kStart), row(8, nine + 20, onair::kTrack, 2, files[1])}, &allKnown, false, false, 9,
         nine + 25, {1, 5000, true, false}},
        {"the day's second airing, its start missed",
         {row(9, 6 * 3600, onair::kStart), row(9, 6 * 3600 + 20, onair::kTrack, 2, files[1])}, &allKnown, false,
         false, 9, nine + 45, {2, 5000, true, false}},
        {"a load during the outage: its programme never recorded", {}, &allKnown, false, false, 9, nine + 30,
         {1, 10000, true, false}},
        {"a track row written late, stamped before a later play", {row(9, nine, onair::kStart),
                                                                     row(9, nine + 100, onair::kPlay),
                                                                     row(9, nine + 50, onair::kTrack, 3, files[2])},
         &allKnown, false, false, 9, nine + 105, {0, 5000, true, false}},
    };
    for (const auto& c : cases) {
        const RejoinPoint point = whereNow({"Morning.m3u", files, c.shuffle, c.repeat}, c.rows, *c.lengths,
                                           localTimeAt(2026, 12, c.airingDay, c.airing),
                                           localTimeAt(2026, 12, c.day, c.now));
        EXPECT_EQ(point.index, c.expected.index) << c.what;
        EXPECT_EQ(point.offsetMs, c.expected.offsetMs) << c.what;
        EXPECT_EQ(point.known, c.expected.known) << c.what;
        EXPECT_EQ(point.listEnded, c.expected.listEnded) << c.what;
    }
    // A file that stands twice in the list: its row's list position decides.
    const RejoinPoint twice = whereNow({"Morning.m3u", {files[0], files[1], files[0]}, false, false},
                                       {row(9, nine, onair::kTrack, 3, files[0])}, allKnown,
                                       localTimeAt(2026, 12, 9, nine), localTimeAt(2026, 12, 9, nine + 5));
    EXPECT_EQ(twice.index, 2);
    EXPECT_EQ(twice.offsetMs, 5000);
}

// The rows of the day before and of today; the lengths from those, then
// from older records newest first, only as far as the list needs.
TEST(RejoinPoint, WhatARejoinReadsFromTheLogFolder) {
    test::TempDir program;
    auto record = [&program](const char* day, const char* file, int length) {
        std::filesystem::create_directories(program.path("LOG"));
        OnAirRow r = row(1, 0, onair::kTrack, 1, file);
        r.trackMs = length;
        ASSERT_TRUE(appendOnAirRow(program.path(std::string("LOG/") + day + "-ONAIR.CSV"), r));
    };
    record("20261209", "C:\\a.mp3", 20'000);
    record("20261208", "C:\\b.mp3", 21'000);
    record("20261120", "C:\\c.mp3", 22'000);
    record("20261101", "C:\\a.mp3", 99'000);  // older: not over the newer
    record("20261001", "C:\\d.mp3", 23'000);  // not in the list
    const RejoinKnowledge known = readRejoinKnowledge(program.path(""), localTimeAt(2026, 12, 9, 3600),
                                                      {"C:\\a.mp3", "C:\\b.mp3", "C:\\c.mp3"});
    EXPECT_EQ(known.rows.size(), 2u) << "the day before and today";
    EXPECT_EQ(known.lengths.of("C:\\A.MP3"), 20'000);
    EXPECT_EQ(known.lengths.of("C:\\b.mp3"), 21'000);
    EXPECT_EQ(known.lengths.of("C:\\c.mp3"), 22'000);
    EXPECT_FALSE(known.lengths.of("C:\\d.mp3"));
}

TEST(RejoinPoint, RestartsSpreadOutAndAPlayerThatKeepsDyingIsLeftAlone) {
    RestartPacer pacer;
    std::vector<int64_t> tries;
    for (int64_t now = 0; now <= 15 * 60'000; now += 1000) {
        if (!pacer.due(now)) continue;
        tries.push_back(now / 1000);
        pacer.tried(now);
    }
    EXPECT_EQ(tries, (std::vector<int64_t>{0, 30, 90, 210, 450, 750})) << "30 s, 1, 2, 4 min, then 5 min";
    // Found a second after each start, then lost: started again at once
    // after a minute's life or a first quick death; a player that keeps
    // dying quickly waits for the growing wait.
    int64_t startedAt = 750'000;
    const struct {
        int64_t lifeMs, waitMs;
    } lives[] = {{140'000, 0}, {9'500, 0}, {4'000, 25'000}, {5'000, 54'000}, {80'000, 0}};
    for (const auto& life : lives) {
        pacer.found(startedAt + 1000);
        const int64_t lostAt = startedAt + 1000 + life.lifeMs;
        pacer.lost(lostAt);
        int64_t at = lostAt;
        while (!pacer.due(at)) at += 500;
        EXPECT_EQ(at - lostAt, life.waitMs) << life.lifeMs;
        pacer.tried(startedAt = at);
    }

    RejoinCrashGuard guard;
    for (int death = 0; death < 3; ++death) {
        EXPECT_FALSE(guard.refuses("Morning.m3u")) << death;
        guard.rejoined("Morning.m3u", death * 100'000);
        guard.playerLost(death * 100'000 + 59'000);
    }
    EXPECT_TRUE(guard.refuses("Morning.m3u")) << "three deaths within a minute of a rejoin";
    EXPECT_FALSE(guard.refuses("Noon.m3u"));
    guard.programmeBegan("Noon.m3u");
    EXPECT_FALSE(guard.refuses("Morning.m3u")) << "until another programme begins";
    guard.rejoined("Morning.m3u", 0);
    guard.playerLost(59'000);
    guard.rejoined("Morning.m3u", 100'000);
    guard.playerLost(161'000);  // lived past the minute: the count begins again
    guard.rejoined("Morning.m3u", 200'000);
    guard.playerLost(201'000);
    guard.rejoined("Morning.m3u", 300'000);
    guard.playerLost(301'000);
    EXPECT_FALSE(guard.refuses("Morning.m3u"));
}

}  // namespace
}  // namespace airvane
