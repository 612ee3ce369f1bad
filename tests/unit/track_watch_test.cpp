// The track watch: from what the player answered and the monitor saw, the
// track rows of the on-air record, as scripts of moments.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "monitor/track_watch.h"

namespace airvane {
namespace {

enum class Step { Programme, NoProgramme, Title, Path, Ask, NotDue, Answer, Silence, Take };

struct Moment {
    Moment(int64_t ms, Step step, std::string text = {}, TrackAnswer answer = {}, int64_t silentForMs = 0)
        : ms(ms), step(step), text(std::move(text)), answer(answer), silentForMs(silentForMs) {}
    int64_t ms;
    Step step;
    std::string text;      // programme, title or path
    TrackAnswer answer;    // its question 0: the one asked last
    int64_t silentForMs;
};

TrackAnswer playing(int listPos, int64_t position, int64_t length, int state = 1) {
    return {0, state, listPos, position, length};
}

// "06:00:06.030 track Morning.m3u 2 D:\b.mp3 b 8000 -"
std::string shown(const OnAirRow& row) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d.%03d", row.when.hour, row.when.minute, row.when.second,
                  row.when.millisecond);
    auto number = [](const auto& value) { return value ? std::to_string(*value) : std::string("-"); };
    return std::string(time) + " " + row.event + " " + row.title + " " + number(row.listPos) + " " + row.file + " " +
           row.detail + " " + number(row.trackMs) + " " + number(row.playedMs);
}

struct Script {
    const char* what;
    std::vector<Moment> moments;
    std::vector<std::string> rows;
    int currentListPos;  // at the end; -1: no track known
};

const std::string kA = "D:\\Music\\a.mp3", kB = "D:\\Music\\b.mp3";

TEST(TrackWatch, RowsFromWhatThePlayerAndTheMonitorSaid) {
    // Morning goes on air; the player plays its first track (6 s) from 06:00:00.100.
    const std::vector<Moment> firstTrack = {
        {0, Step::Programme, "Morning.m3u"}, {100, Step::Title, "a"}, {100, Step::Ask},
        {150, Step::Answer, "", playing(0, 50, 6000)}, {1000, Step::Take}, {1500, Step::Path, kA},
        {3000, Step::NotDue}, {5100, Step::Ask}, {5150, Step::Answer, "", playing(0, 5050, 6000)}};
    auto after = [&firstTrack](std::vector<Moment> more) {
        std::vector<Moment> all = firstTrack;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    const std::string trackA = "06:00:00.100 track Morning.m3u 1 " + kA + " a 6000 -";
    const Script scripts[] = {
        {"a new track waits for its file", firstTrack, {trackA}, 0},
        {"a file that never comes: the row without it, after the wait",
         {{0, Step::Programme, "Morning.m3u"}, {100, Step::Title, "a"}, {100, Step::Ask},
          {150, Step::Answer, "", playing(0, 50, -1)}, {4000, Step::Take}, {5150, Step::Take}},
         {"06:00:00.100 track Morning.m3u 1  a - -"}, 0},
        {"the next track ends the first with what it played",
         after({{6100, Step::Title, "b"}, {6100, Step::Ask}, {6150, Step::Answer, "", playing(1, 120, 8000)},
                {6300, Step::Path, kB}}),
         {trackA, "06:00:06.150 track-end Morning.m3u 1 " + kA + " a - 5930",
          "06:00:06.030 track Morning.m3u 2 " + kB + " b 8000 -"}, 1},
        {"the same title twice: another list position is another track",
         after({{6100, Step::Title, "a"}, {6100, Step::Ask}, {6150, Step::Answer, "", playing(1, 100, 6000)},
                {6200, Step::Path, kB}}),
         {trackA, "06:00:06.150 track-end Morning.m3u 1 " + kA + " a - 5950",
          "06:00:06.050 track Morning.m3u 2 " + kB + " a 6000 -"}, 1},
        {"a stop ends it when its caption said so",
         after({{5600, Step::Title, "a"}, {5600, Step::Ask}, {5700, Step::Answer, "", {0, 0, 0, 0, 6000}}}),
         {trackA, "06:00:05.700 track-end Morning.m3u 1 " + kA + " a - 5500"}, -1},
        {"a silence ends it when the silence began",
         after({{12000, Step::Silence, "", {}, 6500}}),
         {trackA, "06:00:12.000 track-end Morning.m3u 1 " + kA + " a - 5400"}, -1},
        {"a silence said to begin before the player last said it played: from then",
         after({{9000, Step::Silence, "", {}, 5000}}),
         {trackA, "06:00:09.000 track-end Morning.m3u 1 " + kA + " a - 5050"}, -1},
        {"a paused track does not play on",
         after({{5600, Step::Title, "a"}, {5600, Step::Ask}, {5700, Step::Answer, "", playing(0, 5500, 6000, 3)},
                {9000, Step::NoProgramme}}),
         {trackA, "06:00:09.000 track-end Morning.m3u 1 " + kA + " a - 5500"}, -1},
        {"the programme changes: the last one's tail is no track of the next",
         after({{5500, Step::Programme, "Noon.m3u"}, {5600, Step::Title, "a"}, {5600, Step::Ask},
                {5650, Step::Answer, "", playing(0, 5550, 6000)}, {9000, Step::Title, "n"}, {9000, Step::Ask},
                {9100, Step::Answer, "", playing(0, 80, 7000)}, {9300, Step::Path, "D:\\Noon\\n.mp3"}}),
         {trackA, "06:00:05.500 track-end Morning.m3u 1 " + kA + " a - 5400",
          "06:00:09.020 track Noon.m3u 1 D:\\Noon\\n.mp3 n 7000 -"}, 0},
        {"a programme that ends ends its track, even before its file came",
         {{0, Step::Programme, "Morning.m3u"}, {100, Step::Title, "a"}, {100, Step::Ask},
          {150, Step::Answer, "", playing(0, 50, 6000)}, {2000, Step::NoProgramme}, {2500, Step::Path, kA},
          {3000, Step::NotDue}},
         {"06:00:00.100 track Morning.m3u 1  a 6000 -", "06:00:02.000 track-end Morning.m3u 1  a - 1900"}, -1},
        {"a track begun again at the same list position",
         after({{5600, Step::Title, "a"}, {5600, Step::Ask}, {5700, Step::Answer, "", playing(0, 300, 6000)},
                {5800, Step::Path, kA}}),
         {trackA, "06:00:05.700 track-end Morning.m3u 1 " + kA + " a - 5300",
          "06:00:05.400 track Morning.m3u 1 " + kA + " a 6000 -"}, 0},
        {"a player that does not answer the track questions: the track stays unknown",
         {{0, Step::Programme, "Morning.m3u"}, {100, Step::Title, "a"}, {100, Step::Ask},
          {150, Step::Answer, "", {0, 1, -1, -1, -1}}, {200, Step::Path, kA}, {5100, Step::Ask},
          {5150, Step::Answer, "", {0, -1, -1, -1, -1}}, {9000, Step::Take}},
         {}, -1},
        {"an answer older than the one taken is not taken",
         {{0, Step::Programme, "Morning.m3u"}, {100, Step::Title, "a"}, {100, Step::Ask}, {110, Step::Title, "b"},
          {110, Step::Ask}, {150, Step::Answer, "", playing(1, 40, 8000)}, {160, Step::Path, kB},
          {170, Step::Answer, "", {1, 1, 0, 60, 6000}}},
         {"06:00:00.110 track Morning.m3u 2 " + kB + " b 8000 -"}, 1},
        {"nothing on air: nothing asked, nothing kept",
         {{100, Step::Title, "a"}, {100, Step::NotDue}, {150, Step::Answer, "", playing(0, 50, 6000)},
          {200, Step::Path, kA}, {9000, Step::Take}},
         {}, -1},
    };
    for (const Script& script : scripts) {
        SCOPED_TRACE(script.what);
        TrackWatch watch;
        std::vector<std::string> rows;
        uint64_t asked = 0;
        auto take = [&](const WatchMoment& at) {
            for (const OnAirRow& row : watch.takeRows(at)) rows.push_back(shown(row));
        };
        WatchMoment at;
        for (const Moment& m : script.moments) {
            at.ms = m.ms;
            at.local = localTimeAt(2026, 12, 21, static_cast<int32_t>(6 * 3600 + m.ms / 1000));
            at.local.millisecond = static_cast<int>(m.ms % 1000);
            TrackAnswer answer = m.answer;
            switch (m.step) {
                case Step::Programme: watch.programmeOnAir(at, m.text); break;
                case Step::NoProgramme: watch.programmeOnAir(at, std::nullopt); break;
                case Step::Title: watch.titleChanged(at, m.text); break;
                case Step::Path: watch.pathLearnt(at, m.text); break;
                case Step::Ask:
                    asked = watch.questionDue(at);
                    EXPECT_NE(asked, 0u) << "due at " << m.ms;
                    break;
                case Step::NotDue: EXPECT_EQ(watch.questionDue(at), 0u) << "not due at " << m.ms; break;
                case Step::Answer:
                    if (answer.question == 0) answer.question = asked;  // else the question it names
                    watch.answered(at, answer);
                    break;
                case Step::Silence: watch.silenceBegan(at, m.silentForMs); break;
                case Step::Take: break;
            }
            take(at);
        }
        EXPECT_EQ(rows, script.rows);
        const std::optional<TrackNow> now = watch.current();
        EXPECT_EQ(now ? now->listPos : -1, script.currentListPos);
    }
}

// What other parts read: the track with the position last learnt.
TEST(TrackWatch, TheTrackNowIsWhatWasLastLearnt) {
    TrackWatch watch;
    WatchMoment at{0, localTimeAt(2026, 12, 21, 6 * 3600)};
    watch.programmeOnAir(at, std::string("Morning.m3u"));
    watch.titleChanged(at, "a");
    const uint64_t question = watch.questionDue(at);
    at.ms = 40;
    watch.answered(at, {question, 1, 2, 1234, 6000});
    watch.pathLearnt(at, kA);
    const std::optional<TrackNow> now = watch.current();
    ASSERT_TRUE(now);
    EXPECT_EQ(now->programme, "Morning.m3u");
    EXPECT_EQ(now->file, kA);
    EXPECT_EQ(now->listPos, 2);
    EXPECT_EQ(now->positionMs, 1234);
    EXPECT_EQ(now->lengthMs, 6000);
    EXPECT_EQ(now->state, 1);
    EXPECT_EQ(now->learntAt, 40);
}

}  // namespace
}  // namespace airvane
