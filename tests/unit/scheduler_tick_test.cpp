#include "scheduler/scheduler_tick.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/memory_tree.h"
#include "model/node_label.h"
#include "scheduler/soft_start.h"
#include "scheduler/tick_pacer.h"

namespace airvane {
namespace {

class SettableClock final : public Clock {
public:
    LocalTime now() override { return time; }
    bool setLocalTime(const LocalTime& t) override {
        sets.push_back(t);
        if (refused) return false;
        time = t;
        return true;
    }
    LocalTime time;
    bool refused = false;  // as under UAC
    std::vector<LocalTime> sets;
};

// Keeps what the tick did, one line per action, like the plan.
class RecordingHost final : public SchedulerHost {
public:
    explicit RecordingHost(MemoryTree& tree) : tree_(tree) {}
    void clockCorrected(bool set) override { actions.push_back(set ? "clock" : "clock refused"); }
    void loadJobFile(const std::string& jobFile) override {
        actions.push_back("load " + jobFile);
        tree_.freeNodeRecords(kNoNode);
        tree_.deleteNode(tree_.rootNode());
        ScheduleNode* root = tree_.records().create();
        tree_.insertNode(kNoNode, InsertPlace::Last, kRootText, root);
    }
    void endProgramme(const ScheduleNode& s, bool fade) override {
        actions.push_back("end " + s.text + (fade ? " fade" : " nofade"));
    }
    std::string writePlaylist(NodeItem item) override { return tree_.nodeRecord(item)->text; }
    bool startProgramme(const ScheduleNode& s, const std::string&) override {
        actions.push_back((acceptStarts ? "start " : "refused ") + s.text);
        return acceptStarts;
    }
    // The player as a soft start sees it: playing, and the day's millisecond
    // (counted from the first day's midnight) its song ends at.
    TrackLeft trackLeft() override {
        if (!playerPlays) return {};
        if (!songEndsMs) return {true, std::nullopt};
        return {true, *songEndsMs - nowMs};
    }
    uint64_t latestCommand() override { return command; }
    bool startSoftly(const ScheduleNode& s, const std::string&, bool fade, int64_t inMs, int64_t waitedMs) override {
        actions.push_back("soft-start " + s.text + softly(fade, inMs, waitedMs));
        return true;
    }
    void endSoftly(const ScheduleNode& s, bool fade, int64_t inMs, int64_t waitedMs) override {
        actions.push_back("soft-end " + s.text + softly(fade, inMs, waitedMs));
    }
    static std::string softly(bool fade, int64_t inMs, int64_t waitedMs) {
        return (fade ? std::string(" fade") : " in " + std::to_string(inMs)) + " waited " + std::to_string(waitedMs);
    }
    std::vector<std::string> actions;
    bool acceptStarts = true;
    bool playerPlays = false;
    std::optional<int64_t> songEndsMs;
    int64_t nowMs = 0;
    uint64_t command = 0;

private:
    MemoryTree& tree_;
};

class Tick : public ::testing::Test {
protected:
    void SetUp() override {
        root = tree.insertNode(kNoNode, InsertPlace::Last, kRootText, tree.records().create());
        settings.fadeoutTime = 3;
    }
    ScheduleNode& addSchedule(const char* title, int32_t start, int32_t end, int32_t options = 0) {
        ScheduleNode node = newScheduleRecord();
        node.text = title;
        node.startSec = start;
        node.endSec = end;
        node.options = options;
        ScheduleNode* record = tree.records().create(node);
        tree.insertNode(root, InsertPlace::Last, "", record);
        return *record;
    }
    LoadingEntry& addLoading(const char* job, int h, int m, int s) {
        LoadingEntry& entry = appendLoadingEntry(loading);
        entry.hour = h;
        entry.minute = m;
        entry.second = s;
        entry.weekdays = -1;
        entry.jobFile = job;
        return entry;
    }
    // One tick at that second of 2026-12-24 (a Thursday), or of the day after.
    std::vector<std::string> tickAt(int32_t daySeconds, bool nextDay = false) {
        clock.time = localTimeAt(2026, 12, nextDay ? 25 : 24, daySeconds);
        host.actions.clear();
        host.nowMs = (nextDay ? 86400 : 0) * 1000LL + daySeconds * 1000LL;
        schedulerTick(tree, loading, settings, clock, host, state);
        return host.actions;
    }
    // Ticks every second from first to last (both on the same day).
    std::vector<std::string> runSeconds(int32_t first, int32_t last, bool nextDay = false) {
        std::vector<std::string> all;
        for (int32_t s = first; s <= last; ++s) {
            for (const std::string& action : tickAt(s, nextDay)) all.push_back(stamp(s) + " " + action);
        }
        return all;
    }
    static std::string stamp(int32_t s) {
        TimeOfDay t = splitDaySeconds(s);
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
        return text;
    }

    MemoryTree tree;
    NodeItem root = kNoNode;
    LoadingList loading;
    Settings settings;
    SettableClock clock;
    RecordingHost host{tree};
    TickState state;
};

using Actions = std::vector<std::string>;
constexpr int32_t H = 3600;

TEST_F(Tick, AScheduleJustBeforeMidnightStartsInItsThreeSecondWindow) {
    for (int32_t first : {86398, 86399}) {
        ScheduleNode& late = addSchedule("Late.m3u", 86398, kNoEndTime);
        EXPECT_EQ(tickAt(first), (Actions{"start Late.m3u"})) << first;
        EXPECT_TRUE(late.playing);
        tree.freeNodeRecords(tree.firstChildNode(root));
        tree.deleteNode(tree.firstChildNode(root));
    }
    ScheduleNode& late = addSchedule("Late.m3u", 86398, kNoEndTime);
    // (The nightly clock correction, AdjRealTimeSec 0, comes first at 00:00:00.)
    EXPECT_EQ(tickAt(0, true), (Actions{"clock", "start Late.m3u"})) << "00:00:00 counts as 86400";
    late.playing = false;
    EXPECT_EQ(tickAt(1, true), Actions{}) << "three seconds after: too late";
}

TEST_F(Tick, LoadingEntriesAreDueForFiveSecondsAcrossMidnight) {
    addLoading("late.scd", 23, 59, 57);
    EXPECT_EQ(runSeconds(86395, 86399), (Actions{"23:59:57 load late.scd"})) << "loads once while due";
    EXPECT_TRUE(loading.front().fired);
    EXPECT_EQ(runSeconds(0, 1, true), (Actions{"00:00:00 clock"})) << "00:00:00 and 00:00:01 still due, already fired";
    EXPECT_TRUE(loading.front().fired);
    tickAt(2, true);
    EXPECT_FALSE(loading.front().fired) << "no longer due: armed again";

    LoadingList other;
    loading.swap(other);
    addLoading("early.scd", 23, 59, 49);
    runSeconds(86389, 86393);
    EXPECT_TRUE(loading.front().fired);
    tickAt(86394);
    EXPECT_FALSE(loading.front().fired) << "23:59:49 is not wrapped: due until 23:59:53";
}

TEST_F(Tick, TheEndComesTheLeadTimeEarlyUnlessNoFadeOut) {
    addSchedule("Ten.m3u", 10 * H, 11 * H);
    EXPECT_EQ(runSeconds(10 * H, 10 * H + 1), (Actions{"10:00:00 start Ten.m3u"}));
    EXPECT_EQ(runSeconds(11 * H - 5, 11 * H + 1), (Actions{"10:59:57 end Ten.m3u fade"}));

    ScheduleNode& plain = *tree.nodeRecord(tree.firstChildNode(root));
    plain.options = kNoFadeOut;
    runSeconds(10 * H, 10 * H);
    EXPECT_EQ(runSeconds(11 * H - 5, 11 * H + 1), (Actions{"11:00:00 end Ten.m3u nofade"}));
    EXPECT_EQ(tree.nodeText(tree.firstChildNode(root)), "Ten (10:00:00 - 11:00:00)") << "no mark left";
}

TEST_F(Tick, AProgrammeAcrossMidnightEndsTheNextMorning) {
    ScheduleNode& night = addSchedule("Night.m3u", 23 * H, 1 * H);
    tickAt(23 * H);
    ASSERT_TRUE(night.playing);
    EXPECT_EQ(runSeconds(86390, 86399), Actions{});
    EXPECT_EQ(runSeconds(0, 1 * H, true), (Actions{"00:00:00 clock", "00:59:57 end Night.m3u fade"}));
}

TEST_F(Tick, EndMinusLeadEqualToTheStartNeverEndsByTime) {
    ScheduleNode& odd = addSchedule("Odd.m3u", 10 * H, 10 * H + 3);
    tickAt(10 * H);
    ASSERT_TRUE(odd.playing);
    EXPECT_EQ(runSeconds(10 * H + 1, 10 * H + 600), Actions{});
    EXPECT_TRUE(odd.playing);
}

TEST_F(Tick, TheNextStartEndsWhatPlays) {
    addSchedule("Open.m3u", 8 * H, kNoEndTime);
    addSchedule("News.m3u", 9 * H, 9 * H + 600);
    tickAt(8 * H);
    EXPECT_EQ(runSeconds(9 * H - 5, 9 * H), (Actions{"08:59:57 end Open.m3u fade", "09:00:00 start News.m3u"}));

    // With no lead time the end and the start share their second.
    addSchedule("Later.m3u", 10 * H, kNoEndTime, kNoFadeOut);
    addSchedule("Next.m3u", 11 * H, kNoEndTime);
    runSeconds(9 * H + 597, 10 * H);
    EXPECT_EQ(runSeconds(11 * H - 5, 11 * H), (Actions{"11:00:00 end Later.m3u nofade", "11:00:00 start Next.m3u"}));
}

TEST_F(Tick, OnlyTheFirstPlayingScheduleIsExamined) {
    ScheduleNode& a = addSchedule("A.m3u", 6 * H, 7 * H);
    ScheduleNode& b = addSchedule("B.m3u", 6 * H, 6 * H + 60);
    a.playing = b.playing = true;
    EXPECT_EQ(tickAt(6 * H + 120), Actions{}) << "B is past its end but A comes first";
    EXPECT_EQ(tickAt(7 * H - 3), (Actions{"end A.m3u fade"}));
    EXPECT_EQ(tickAt(7 * H - 2), (Actions{"end B.m3u fade"}));
}

TEST_F(Tick, WeekdaysAndDatesChooseTheDay) {
    ScheduleNode& weekend = addSchedule("Weekend.m3u", 6 * H, 7 * H);
    weekend.weekdays = 1 | 64;  // Sunday and Saturday; the 24th is a Thursday
    ScheduleNode& christmas = addSchedule("Christmas.m3u", 6 * H, 7 * H);
    christmas.month = 12;
    christmas.day = 25;
    EXPECT_EQ(tickAt(6 * H), Actions{});
    EXPECT_EQ(tickAt(6 * H, true), (Actions{"start Christmas.m3u"}));
}

TEST_F(Tick, TwoLoadingEntriesDueAtOnceLoadOnlyTheFirst) {
    addLoading("first.scd", 12, 0, 0);
    addLoading("second.scd", 12, 0, 0);
    EXPECT_EQ(runSeconds(12 * H, 12 * H + 10), (Actions{"12:00:00 load first.scd"}));
    EXPECT_FALSE(loading.back().fired) << "never looked at while the first stayed due";
}

TEST_F(Tick, AJobFileLoadReplacesTheTreeBeforeTheOtherPasses) {
    ScheduleNode& old = addSchedule("Old.m3u", 12 * H, kNoEndTime);
    old.playing = true;
    addLoading("new.scd", 12, 0, 0);
    EXPECT_EQ(tickAt(12 * H), (Actions{"load new.scd"})) << "the rebuilt tree has nothing playing";
    EXPECT_EQ(tree.countNodes(), 1);
}

TEST_F(Tick, TheClockIsSetBackOnceANight) {
    settings.adjRealTimeSec = 5;
    addSchedule("Midnight.m3u", 0, 60);
    EXPECT_EQ(tickAt(5, true), (Actions{"clock", "start Midnight.m3u"})) << "now is 0 in that tick";
    ASSERT_EQ(clock.sets.size(), 1u);
    EXPECT_EQ(clock.sets[0].second, 0);
    tickAt(5, true);  // the second pass through 00:00:05 after the set-back
    EXPECT_EQ(clock.sets.size(), 1u);
    tickAt(6, true);  // re-armed
    tickAt(5, true);
    EXPECT_EQ(clock.sets.size(), 2u);
    // Refused (no right to set the time): the host is told, the tick goes
    // on as if it had worked.
    clock.refused = true;
    tickAt(6, true);
    EXPECT_EQ(tickAt(5, true), (Actions{"clock refused"}));

    for (int adjust : {0, 59, 60, -1}) {
        settings.adjRealTimeSec = adjust;
        state = TickState{};
        clock.sets.clear();
        for (int round = 0; round < 2; ++round) {
            for (int s = 0; s < 60; ++s) tickAt(s, true);
        }
        const std::size_t expected = adjust == 59 ? 1u : 0u;  // 0: already 00:00:00, nothing to set
        EXPECT_EQ(clock.sets.size(), expected) << "AdjRealTimeSec " << adjust;
    }
}

TEST_F(Tick, TicksEvery950MillisecondsActAsTicksEverySecond) {
    addSchedule("Late.m3u", 86398, 6);
    addSchedule("Early.m3u", 10, 20);
    addLoading("x.scd", 23, 59, 57).weekdays = 0;  // never due: the tree stays
    Actions everySecond = runSeconds(86390, 86399);
    for (const std::string& a : runSeconds(0, 30, true)) everySecond.push_back(a);

    // Rebuild the same tree and run it at a 950 ms cadence.
    tree.freeNodeRecords(kNoNode);
    tree.deleteNode(root);
    root = tree.insertNode(kNoNode, InsertPlace::Last, kRootText, tree.records().create());
    addSchedule("Late.m3u", 86398, 6);
    addSchedule("Early.m3u", 10, 20);
    Actions cadence;
    std::string lastStamp;
    int seenTwice = 0;
    for (int64_t ms = 86390 * 1000LL; ms <= (86400 + 30) * 1000LL; ms += 950) {
        const int64_t second = ms / 1000;
        const bool nextDay = second >= 86400;
        const std::string now = stamp(static_cast<int32_t>(second % 86400));
        seenTwice += now == lastStamp;
        lastStamp = now;
        for (const std::string& action : tickAt(static_cast<int32_t>(second % 86400), nextDay))
            cadence.push_back(now + " " + action);
    }
    EXPECT_GT(seenTwice, 0) << "some seconds are seen twice";
    EXPECT_EQ(cadence, everySecond);
    EXPECT_EQ(everySecond, (Actions{"23:59:58 start Late.m3u", "00:00:00 clock", "00:00:03 end Late.m3u fade",
                                    "00:00:10 start Early.m3u", "00:00:17 end Early.m3u fade"}));
}

TEST_F(Tick, TheEndTimeWrapsBeforeMidnightLessTheLeadTime) {
    struct Row {
        int32_t start, end, options;
        const char* firstEnd;
    } rows[] = {
        {23 * H, 1, 0, "23:59:58 end Row.m3u fade"},           // 00:00:01 less 3 s
        {23 * H, 0, 0, "23:59:57 end Row.m3u fade"},
        {23 * H, 2, kNoFadeOut, "00:00:02 end Row.m3u nofade"},  // no lead: after midnight
    };
    for (const Row& row : rows) {
        tree.freeNodeRecords(kNoNode);
        tree.deleteNode(root);
        root = tree.insertNode(kNoNode, InsertPlace::Last, kRootText, tree.records().create());
        addSchedule("Row.m3u", row.start, row.end, row.options);
        Actions seen = runSeconds(row.start, 86399);
        for (const std::string& a : runSeconds(0, 5, true)) seen.push_back(a);
        ASSERT_GE(seen.size(), 2u) << row.firstEnd;
        EXPECT_EQ(seen[1] == "00:00:00 clock" ? seen.at(2) : seen[1], row.firstEnd);
    }
}

TEST_F(Tick, TheClockCorrectionIsReArmedOnlyPastItsSecond) {
    // Seconds of the ticks after midnight: with the clock set back, the
    // same second is seen again, and two ticks may share one second.
    struct Row {
        int adjust;
        std::vector<int> seconds;
        std::size_t sets;
    } rows[] = {
        {5, {5, 0, 1, 2, 3, 4, 5, 5, 6}, 1},
        {0, {0, 0, 0, 1}, 0},
        {5, {5, 6, 7, 5}, 2},  // re-armed at 00:00:06
    };
    for (const Row& row : rows) {
        settings.adjRealTimeSec = row.adjust;
        state = TickState{};
        clock.sets.clear();
        for (int s : row.seconds) tickAt(s, true);
        EXPECT_EQ(clock.sets.size(), row.sets) << "AdjRealTimeSec " << row.adjust;
    }
}

TEST_F(Tick, AStartThatCouldNotBeMadeIsTriedAgainWithinItsWindow) {
    ScheduleNode& news = addSchedule("News.m3u", 12 * H, 12 * H + 600);
    host.acceptStarts = false;
    EXPECT_EQ(tickAt(12 * H), (Actions{"refused News.m3u"}));
    EXPECT_FALSE(news.playing);
    host.acceptStarts = true;
    EXPECT_EQ(tickAt(12 * H + 1), (Actions{"start News.m3u"}));
    EXPECT_TRUE(news.playing);
}

// Soft starts and ends: Morning plays; Jazz (soft unless told) starts at
// 09:00:00, or at 23:59:58 across midnight. Every row runs from 08:59:50
// (23:59:50) for two minutes. FadeoutTime 3.
TEST_F(Tick, SoftStartsAndEndsWaitForTheSongUpToTheLimit) {
    constexpr int32_t kNine = 9 * H;
    constexpr int32_t kLate = 86398;
    const struct Row {
        const char* what;
        std::optional<int64_t> songEnds;  // ms of the day (from the first midnight); none: not told
        int32_t limit = 30;
        int32_t jazzOptions = kSoftStart;  // -1: no Jazz
        int32_t morningEnd = kNoEndTime;
        int32_t morningOptions = 0;
        bool plays = true;
        int32_t newsAt = -1;     // a hard start meanwhile
        int32_t commandAt = -1;  // the operator's stop or play meanwhile
        int32_t loadAt = -1;
        bool midnight = false;
        const char* sundayOnly;  // the Schedule due on Sundays only (the 24th is a Thursday)
        Actions expected;
    } rows[] = {
        {"the player cannot tell: as a hard start", std::nullopt, 30, kSoftStart, kNoEndTime, 0, true, -1, -1, -1, false, "",
         {"08:59:57 end Morning.m3u fade", "09:00:00 start Jazz.m3u"}},
        {"nothing plays: at once", kNine * 1000LL + 7700, 30, kSoftStart, kNoEndTime, 0, false, -1, -1, -1, false, "",
         {"08:59:57 end Morning.m3u fade", "09:00:00 start Jazz.m3u"}},
        {"the song ends 7.7 s in: handed over at its end", kNine * 1000LL + 7700, 30, kSoftStart, kNoEndTime, 0, true,
         -1, -1, -1, false, "", {"09:00:07 soft-start Jazz.m3u in 700 waited 7700"}},
        {"the song ends within the start second", kNine * 1000LL + 400, 30, kSoftStart, kNoEndTime, 0, true, -1, -1,
         -1, false, "", {"09:00:00 soft-start Jazz.m3u in 400 waited 400"}},
        {"a song longer than the limit: faded out to end at the limit", (kNine + 60) * 1000LL, 15, kSoftStart,
         kNoEndTime, 0, true, -1, -1, -1, false, "", {"09:00:12 soft-start Jazz.m3u fade waited 15000"}},
        {"SoftWaitSec 0: every start is hard", kNine * 1000LL + 7700, 0, kSoftStart, kNoEndTime, 0, true, -1, -1, -1,
         false, "", {"08:59:57 end Morning.m3u fade", "09:00:00 start Jazz.m3u"}},
        {"without the option: as today", kNine * 1000LL + 7700, 30, 0, kNoEndTime, 0, true, -1, -1, -1, false, "",
         {"08:59:57 end Morning.m3u fade", "09:00:00 start Jazz.m3u"}},
        {"a hard start meanwhile wins", (kNine + 20) * 1000LL, 30, kSoftStart, kNoEndTime, 0, true, kNine + 5, -1, -1,
         false, "", {"09:00:02 end Morning.m3u fade", "09:00:05 start News.m3u"}},
        {"the operator's stop or play meanwhile wins", (kNine + 20) * 1000LL, 30, kSoftStart, kNoEndTime, 0, true, -1,
         kNine + 4, -1, false, "", {}},
        {"a load meanwhile wins", (kNine + 20) * 1000LL, 30, kSoftStart, kNoEndTime, 0, true, -1, -1, kNine + 4, false, "",
         {"09:00:04 load other.scd"}},
        {"across midnight", (86400 + 3) * 1000LL + 500, 30, kSoftStart, kNoEndTime, 0, true, -1, -1, -1, true, "",
         {"00:00:00 clock", "00:00:03 soft-start Jazz.m3u in 500 waited 5500"}},
        {"a soft end lets the song end", kNine * 1000LL + 10200, 30, -1, kNine, kSoftStart, true, -1, -1, -1, false, "",
         {"09:00:10 soft-end Morning.m3u in 200 waited 10200"}},
        {"a soft end at its limit fades", (kNine + 120) * 1000LL, 30, -1, kNine, kSoftStart, true, -1, -1, -1, false, "",
         {"09:00:27 soft-end Morning.m3u fade waited 30000"}},
        {"a soft end the player cannot tell about: as today", std::nullopt, 30, -1, kNine, kSoftStart, true, -1, -1, -1,
         false, "", {"08:59:57 end Morning.m3u fade"}},
        {"NoFadeOut keeps its meaning at a soft end", kNine * 1000LL + 10200, 30, -1, kNine, kSoftStart | kNoFadeOut,
         true, -1, -1, -1, false, "", {"09:00:00 end Morning.m3u nofade"}},
        {"a hard start during a soft end wins", (kNine + 40) * 1000LL, 30, -1, kNine, kSoftStart, true, kNine + 15, -1,
         -1, false, "", {"09:00:12 end Morning.m3u fade", "09:00:15 start News.m3u"}},
        {"a soft end followed by a soft start: one hand-over at the song's end", kNine * 1000LL + 7700, 30,
         kSoftStart, kNine, kSoftStart, true, -1, -1, -1, false, "",
         {"09:00:07 soft-start Jazz.m3u in 700 waited 7700"}},
        {"a soft start not due today does not hold the end", kNine * 1000LL + 7700, 30, kSoftStart, kNine, 0, true,
         -1, -1, -1, false, "Jazz.m3u", {"08:59:57 end Morning.m3u fade"}},
        {"a hard start not due today does not drop a soft one", (kNine + 20) * 1000LL, 30, kSoftStart, kNoEndTime, 0,
         true, kNine + 5, -1, -1, false, "News.m3u", {"09:00:19 soft-start Jazz.m3u in 1000 waited 20000"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        root = tree.rootNode();  // a load row made a new one
        while (NodeItem child = tree.firstChildNode(root)) {
            tree.freeNodeRecords(child);
            tree.deleteNode(child);
        }
        state = TickState{};
        loading.clear();
        settings.softWaitSec = row.limit;
        host.playerPlays = row.plays;
        host.songEndsMs = row.songEnds;
        const int32_t jazzAt = row.midnight ? kLate : kNine;
        ScheduleNode& morning = addSchedule("Morning.m3u", 6 * H, row.morningEnd, row.morningOptions);
        morning.playing = true;
        if (row.jazzOptions >= 0) addSchedule("Jazz.m3u", jazzAt, kNoEndTime, row.jazzOptions);
        if (row.newsAt >= 0) addSchedule("News.m3u", row.newsAt, kNoEndTime);
        for (NodeItem item = tree.firstChildNode(root); item != kNoNode; item = tree.nextNode(item)) {
            if (tree.nodeRecord(item)->text == row.sundayOnly) tree.nodeRecord(item)->weekdays = 1;
        }
        if (row.loadAt >= 0) {
            const TimeOfDay t = splitDaySeconds(row.loadAt);
            addLoading("other.scd", t.hour, t.minute, t.second);
        }
        Actions all;
        const int32_t first = jazzAt - (row.midnight ? 8 : 10);
        for (int32_t s = first; s < first + 120; ++s) {
            const bool nextDay = s >= 86400;
            const int32_t second = s % 86400;
            if (second == row.commandAt) ++host.command;
            for (const std::string& action : tickAt(second, nextDay)) all.push_back(stamp(second) + " " + action);
        }
        EXPECT_EQ(all, row.expected);
    }
    // The step itself where the record above cannot reach: an estimate that
    // says the song ended a while ago, a wait seen again long after its
    // limit (a start is dropped as a hard start past its window is, an end
    // is made), a clock set back before the due second.
    const struct {
        const char* what;
        bool ending;
        int32_t now;
        std::optional<int64_t> leftMs;
        SoftMove move;
    } steps[] = {
        {"ended 3 s ago by the last answer", false, kNine + 4, -3000, SoftMove::AtOnce},
        {"ended a moment ago", false, kNine + 4, -400, SoftMove::AtTrackEnd},
        {"a start seen again minutes late", false, kNine + 300, 5000, SoftMove::Drop},
        {"an end seen again minutes late", true, kNine + 300, 5000, SoftMove::AtOnce},
        {"the clock set back before its second", false, kNine - 4, 5000, SoftMove::Wait},
    };
    for (const auto& step : steps) {
        const SoftWait wait{kNoNode, kNine, 0, step.ending};
        EXPECT_EQ(softStep(wait, step.now, false, {true, step.leftMs}, 30, 3).move, step.move) << step.what;
    }
}

TEST(TickPacer, OneRunPerSecondJustPastItsTurn) {
    struct Run {
        int32_t second, millisecond;
        bool ticks;
        unsigned delay;
    } runs[] = {
        {10, 400, true, 610},  // the first run, at any phase: the next aims at 11.010
        {11, 12, true, 998},
        {11, 995, false, 15},  // a second run in the same second is no tick
        {12, 3, true, 1007},
        {14, 300, true, 710},  // late (the window was busy): its own second still ticks
        {0, 10, true, 1000},   // the clock set back at night
    };
    TickPacer pacer;
    for (const Run& run : runs) {
        LocalTime time = localTimeAt(2026, 12, 24, run.second);
        time.millisecond = run.millisecond;
        EXPECT_EQ(pacer.newSecond(time), run.ticks) << run.second << "." << run.millisecond;
        EXPECT_EQ(TickPacer::delayToNextRun(time), run.delay);
    }
}

}  // namespace
}  // namespace airvane
