#include "scheduler/scheduler_tick.h"

#include "model/node_label.h"

namespace airvane {

namespace {

constexpr int32_t kDay = 86400;

// Sets the clock back from 00:00:AdjRealTimeSec to 00:00:00 once a night;
// the corrected time is the tick's time. With AdjRealTimeSec 0 the clock
// already says 00:00:00: nothing is set, so nothing can fail.
void correctClock(LocalTime& time, const Settings& settings, Clock& clock, SchedulerHost& host, TickState& state) {
    if (time.hour != 0 || time.minute != 0) return;
    if (time.second == settings.adjRealTimeSec && !state.clockCorrected) {
        state.clockCorrected = true;
        time.second = 0;
        const bool set = settings.adjRealTimeSec == 0 || clock.setLocalTime(time);
        host.clockCorrected(set);
    } else if (time.second > settings.adjRealTimeSec) {
        state.clockCorrected = false;  // armed again for the next night
    }
}

bool hasWeekday(int32_t weekdays, int weekdayBit) { return (weekdays & weekdayBit) != 0; }

// The first due entry loads its job file (once while it stays due) and ends
// the pass.
void loadingPass(LoadingList& loading, int32_t now, int weekdayBit, const LocalTime& today, SchedulerHost& host) {
    for (LoadingEntry& entry : loading) {
        const int32_t t = toDaySeconds(entry.hour, entry.minute, entry.second);
        const int64_t n = (now < 10 && t > kDay - 11) ? now + kDay : now;
        const bool due = hasWeekday(entry.weekdays, weekdayBit) &&
                         matchesDate(entry.year, entry.month, entry.day, today) && t <= n && n < int64_t{t} + 5;
        if (!due) {
            entry.fired = false;
            continue;
        }
        const bool load = !entry.fired;
        entry.fired = true;
        if (load) host.loadJobFile(entry.jobFile);
        return;
    }
}

// The Root's children with their records, in tree order; items whose
// record cannot be had are left out.
const std::vector<ScheduleRef>& schedulesOf(ScheduleTree& tree, TickState& state) {
    if (state.readTree == &tree && state.readGeneration == tree.generation()) return state.schedules;
    state.schedules.clear();
    NodeItem root = tree.rootNode();
    for (NodeItem item = root ? tree.firstChildNode(root) : kNoNode; item != kNoNode; item = tree.nextNode(item)) {
        if (ScheduleNode* record = tree.nodeRecord(item)) state.schedules.push_back({item, record});
    }
    state.readTree = &tree;
    state.readGeneration = tree.generation();
    return state.schedules;
}

template <typename Visit>
void forEachSchedule(const std::vector<ScheduleRef>& schedules, Visit visit) {
    for (const ScheduleRef& schedule : schedules) {
        if (!visit(schedule.item, *schedule.record)) return;
    }
}

bool endsByTime(const ScheduleNode& schedule, int32_t now, int32_t lead) {
    if (schedule.endSec == kNoEndTime) return false;
    int32_t e = schedule.endSec - lead;
    if (e < 0) e += kDay;
    const int32_t s = schedule.startSec;
    return s < e ? (now >= e || now < s) : (e <= now && now < s);
}

bool preempted(const std::vector<ScheduleRef>& schedules, int32_t now, int32_t lead) {
    bool found = false;
    forEachSchedule(schedules, [&](NodeItem, const ScheduleNode& other) {
        if (other.playing) return true;
        int64_t rs = other.startSec;
        if (now > kDay - 11 && rs < 10) rs += kDay;
        found = rs - now >= 0 && rs - now <= lead;
        return !found;
    });
    return found;
}

void endPass(ScheduleTree& tree, const std::vector<ScheduleRef>& schedules, int32_t now, const Settings& settings,
             SchedulerHost& host) {
    const ScheduleRef* playing = nullptr;
    for (const ScheduleRef& s : schedules) {
        if (s.record->playing) {
            playing = &s;
            break;
        }
    }
    if (!playing) return;
    ScheduleNode& schedule = *playing->record;
    const bool fade = !(schedule.options & kNoFadeOut);
    const int32_t lead = fade ? settings.fadeoutTime : 0;
    if (!endsByTime(schedule, now, lead) && !preempted(schedules, now, lead)) return;
    host.endProgramme(schedule, fade);
    schedule.playing = false;
    relabel(tree, playing->item, schedule);
}

// The first Schedule in tree order whose start window holds now.
const ScheduleRef* dueSchedule(const std::vector<ScheduleRef>& schedules, int32_t now, int weekdayBit,
                               const LocalTime& today) {
    for (const ScheduleRef& candidate : schedules) {
        const ScheduleNode& record = *candidate.record;
        if (record.playing || !hasWeekday(record.weekdays, weekdayBit) ||
            !matchesDate(record.year, record.month, record.day, today)) {
            continue;
        }
        const int64_t s = record.startSec;
        const int64_t n = (s > kDay - 6 && now < 5) ? now + kDay : now;
        if (n - s >= 0 && n - s <= 2) return &candidate;
    }
    return nullptr;
}

void startPass(ScheduleTree& tree, const std::vector<ScheduleRef>& schedules, int32_t now, int weekdayBit,
               const LocalTime& today, SchedulerHost& host) {
    const ScheduleRef* due = dueSchedule(schedules, now, weekdayBit, today);
    if (!due) return;
    const std::string path = host.writePlaylist(due->item);
    if (path.empty()) return;
    ScheduleNode& schedule = *due->record;
    if (!host.startProgramme(schedule, path)) return;
    schedule.playing = true;
    relabel(tree, due->item, schedule);
}

}  // namespace

int32_t daySecondsOf(const LocalTime& time) { return toDaySeconds(time.hour, time.minute, time.second); }

bool matchesDate(int32_t year, int32_t month, int32_t day, const LocalTime& today) {
    return (year == 0 || year == today.year) && (month == 0 || month == today.month) && (day == 0 || day == today.day);
}

const std::vector<ScheduleRef>& currentSchedules(ScheduleTree& tree, TickState& state) {
    return schedulesOf(tree, state);
}

const ScheduleNode* scheduleDueAt(ScheduleTree& tree, TickState& state, const LocalTime& time) {
    const ScheduleRef* due = dueSchedule(schedulesOf(tree, state), daySecondsOf(time), 1 << time.dayOfWeek, time);
    return due ? due->record : nullptr;
}

void schedulerTick(ScheduleTree& tree, LoadingList& loading, const Settings& settings, Clock& clock,
                   SchedulerHost& host, TickState& state) {
    LocalTime time = clock.now();
    correctClock(time, settings, clock, host, state);
    const int weekdayBit = 1 << time.dayOfWeek;
    const int32_t now = daySecondsOf(time);
    loadingPass(loading, now, weekdayBit, time, host);
    // Read after the loading pass: a load in this tick replaces the tree,
    // and the end and start passes work on the new one.
    ScheduleTree& live = host.treeAfterLoading(tree);
    const std::vector<ScheduleRef>& schedules = schedulesOf(live, state);
    endPass(live, schedules, now, settings, host);
    startPass(live, schedules, now, weekdayBit, time, host);
    // Last, so that nothing it does (the log line flushed to the disk) comes
    // between the second and a programme's hand-over; it never waits on
    // the player.
    host.monitor(time);
}

}  // namespace airvane
