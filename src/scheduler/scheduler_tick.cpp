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
// the pass; true when it loaded one.
bool loadingPass(LoadingList& loading, int32_t now, int weekdayBit, const LocalTime& today, SchedulerHost& host) {
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
        return load;
    }
    return false;
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

bool endsByTime(const ScheduleNode& schedule, int32_t now, int32_t lead) {
    if (schedule.endSec == kNoEndTime) return false;
    int32_t e = schedule.endSec - lead;
    if (e < 0) e += kDay;
    const int32_t s = schedule.startSec;
    return s < e ? (now >= e || now < s) : (e <= now && now < s);
}

// The Schedule whose start, lead seconds or less from now, ends the one
// that plays; null when none.
const ScheduleRef* preemptor(const std::vector<ScheduleRef>& schedules, int32_t now, int32_t lead) {
    const ScheduleRef* found = nullptr;
    for (const ScheduleRef& other : schedules) {
        if (other.record->playing) continue;
        int64_t rs = other.record->startSec;
        if (now > kDay - 11 && rs < 10) rs += kDay;
        if (rs - now >= 0 && rs - now <= lead) {
            found = &other;
            break;
        }
    }
    return found;
}

// The player's track, asked of the host once per tick and only when a
// soft start or end needs it.
class TrackAtTick {
public:
    explicit TrackAtTick(SchedulerHost& host) : host_(host) {}
    const TrackLeft& get() {
        if (!track_) track_ = host_.trackLeft();
        return *track_;
    }
    bool knownPlaying() { return get().playing && get().leftMs.has_value(); }

private:
    SchedulerHost& host_;
    std::optional<TrackLeft> track_;
};

bool overtaken(const SoftWait& wait, SchedulerHost& host) { return host.latestCommand() != wait.command; }

void unmark(ScheduleTree& tree, const ScheduleRef& ref) {
    ref.record->playing = false;
    relabel(tree, ref.item, *ref.record);
}

bool dueOn(const ScheduleNode& record, int weekdayBit, const LocalTime& today) {
    return hasWeekday(record.weekdays, weekdayBit) && matchesDate(record.year, record.month, record.day, today);
}

void endPass(ScheduleTree& tree, const std::vector<ScheduleRef>& schedules, int32_t now, int weekdayBit,
             const LocalTime& today, const Settings& settings, SchedulerHost& host, TickState& state,
             TrackAtTick& track) {
    const ScheduleRef* playing = nullptr;
    for (const ScheduleRef& s : schedules) {
        if (s.record->playing) {
            playing = &s;
            break;
        }
    }
    if (state.softEnd && (!playing || playing->item != state.softEnd->item)) state.softEnd.reset();
    if (!playing) return;
    ScheduleNode& schedule = *playing->record;
    const bool fade = !(schedule.options & kNoFadeOut);
    const int32_t lead = fade ? settings.fadeoutTime : 0;
    const int32_t limit = settings.softWaitSec;
    const ScheduleRef* next = preemptor(schedules, now, lead);
    bool softStartAhead = false;
    if (state.softStart && !state.softStart->settled) {
        // A waiting soft start ends what plays by its own hand-over; a hard
        // start coming first wins over it.
        if (!next || next->item == state.softStart->item || softAt(next->record->options, limit) ||
            !dueOn(*next->record, weekdayBit, today))
            softStartAhead = true;
        else state.softStart->settled = true;
    } else if (next && softAt(next->record->options, limit) && dueOn(*next->record, weekdayBit, today) &&
               track.knownPlaying()) {
        softStartAhead = true;  // the soft start takes over at the song's end
    }
    // A soft end that already waits goes on: the song may end before the
    // soft start is due, and the next must not begin under it.
    if (softStartAhead && !state.softEnd) return;
    if (next && !softStartAhead) {
        state.softEnd.reset();
        host.endProgramme(schedule, fade);
        unmark(tree, *playing);
        return;
    }
    // NoFadeOut leaves the player playing at the end: nothing is cut, so
    // nothing waits.
    const bool soft = fade && softAt(schedule.options, limit) && (state.softEnd || track.knownPlaying());
    if (!soft) {
        if (!endsByTime(schedule, now, lead)) return;
        host.endProgramme(schedule, fade);
        unmark(tree, *playing);
        return;
    }
    if (!state.softEnd) {
        if (!endsByTime(schedule, now, 0)) return;
        state.softEnd = SoftWait{playing->item, schedule.endSec, host.latestCommand(), true};
    }
    const SoftStep step =
        softStep(*state.softEnd, now, overtaken(*state.softEnd, host), track.get(), limit, settings.fadeoutTime);
    const int64_t waitedMs = int64_t{secondsPast(state.softEnd->dueSec, now)} * 1000;
    switch (step.move) {
        case SoftMove::Wait:
            return;
        case SoftMove::Drop:
            // The later command decided what plays, and marked it (a rejoin
            // of this very programme included): the mark is its.
            state.softEnd.reset();
            return;
        case SoftMove::AtOnce:
            host.endProgramme(schedule, true);
            break;
        case SoftMove::AtTrackEnd:
            host.endSoftly(schedule, false, step.inMs, waitedMs + step.inMs);
            break;
        case SoftMove::WithFade:
            host.endSoftly(schedule, true, 0, waitedMs + int64_t{settings.fadeoutTime} * 1000);
            break;
    }
    state.softEnd.reset();
    unmark(tree, *playing);
}

// The first Schedule in tree order whose start window holds now.
// skip: a soft start already taken in hand.
const ScheduleRef* dueSchedule(const std::vector<ScheduleRef>& schedules, int32_t now, int weekdayBit,
                               const LocalTime& today, NodeItem skip = kNoNode) {
    for (const ScheduleRef& candidate : schedules) {
        const ScheduleNode& record = *candidate.record;
        if (record.playing || candidate.item == skip || !dueOn(record, weekdayBit, today)) {
            continue;
        }
        const int64_t s = record.startSec;
        const int64_t n = (s > kDay - 6 && now < 5) ? now + kDay : now;
        if (n - s >= 0 && n - s <= 2) return &candidate;
    }
    return nullptr;
}

// The programme is on air: what played before it no longer is.
void markStarted(ScheduleTree& tree, const std::vector<ScheduleRef>& schedules, const ScheduleRef& started) {
    for (const ScheduleRef& other : schedules) {
        if (other.record->playing && other.item != started.item) unmark(tree, other);
    }
    started.record->playing = true;
    relabel(tree, started.item, *started.record);
}

// One step of the soft start that waits.
void stepSoftStart(ScheduleTree& tree, const std::vector<ScheduleRef>& schedules, int32_t now,
                   const Settings& settings, SchedulerHost& host, TickState& state, TrackAtTick& track) {
    SoftWait& wait = *state.softStart;
    const ScheduleRef* waiting = nullptr;
    for (const ScheduleRef& s : schedules) {
        if (s.item == wait.item) waiting = &s;
    }
    if (!waiting) {
        state.softStart.reset();  // the tree changed under it
        return;
    }
    const SoftStep step = softStep(wait, now, overtaken(wait, host), track.get(), settings.softWaitSec,
                                   settings.fadeoutTime);
    if (step.move == SoftMove::Wait) return;
    wait.settled = true;
    if (step.move == SoftMove::Drop) return;
    const std::string path = host.writePlaylist(waiting->item);
    if (path.empty()) return;
    const ScheduleNode& schedule = *waiting->record;
    const int64_t waitedMs = int64_t{secondsPast(wait.dueSec, now)} * 1000;
    bool started = false;
    if (step.move == SoftMove::AtOnce) started = host.startProgramme(schedule, path);
    else if (step.move == SoftMove::AtTrackEnd)
        started = host.startSoftly(schedule, path, false, step.inMs, waitedMs + step.inMs);
    else started = host.startSoftly(schedule, path, true, 0, waitedMs + int64_t{settings.fadeoutTime} * 1000);
    if (started) markStarted(tree, schedules, *waiting);
}

void startPass(ScheduleTree& tree, const std::vector<ScheduleRef>& schedules, int32_t now, int weekdayBit,
               const LocalTime& today, const Settings& settings, SchedulerHost& host, TickState& state,
               TrackAtTick& track) {
    // A settled soft start is forgotten once its start window has passed.
    if (state.softStart && state.softStart->settled && secondsPast(state.softStart->dueSec, now) > 2)
        state.softStart.reset();
    const ScheduleRef* due =
        dueSchedule(schedules, now, weekdayBit, today, state.softStart ? state.softStart->item : kNoNode);
    if (!due) {
        if (state.softStart && !state.softStart->settled) stepSoftStart(tree, schedules, now, settings, host, state, track);
        return;
    }
    // A start that falls due wins over one that still waits.
    state.softStart.reset();
    ScheduleNode& schedule = *due->record;
    if (softAt(schedule.options, settings.softWaitSec) && track.knownPlaying()) {
        state.softStart = SoftWait{due->item, schedule.startSec, host.latestCommand(), false};
        stepSoftStart(tree, schedules, now, settings, host, state, track);  // the song may end within this second
        return;
    }
    const std::string path = host.writePlaylist(due->item);
    if (path.empty()) return;
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

void dropSoftWaits(TickState& state) {
    state.softStart.reset();
    state.softEnd.reset();
}

void schedulerTick(ScheduleTree& tree, LoadingList& loading, const Settings& settings, Clock& clock,
                   SchedulerHost& host, TickState& state) {
    LocalTime time = clock.now();
    correctClock(time, settings, clock, host, state);
    const int weekdayBit = 1 << time.dayOfWeek;
    const int32_t now = daySecondsOf(time);
    // A load decides what plays: a soft start or end that waits is dropped.
    if (loadingPass(loading, now, weekdayBit, time, host)) {
        state.softStart.reset();
        state.softEnd.reset();
    }
    // Read after the loading pass: a load in this tick replaces the tree,
    // and the end and start passes work on the new one.
    ScheduleTree& live = host.treeAfterLoading(tree);
    const std::vector<ScheduleRef>& schedules = schedulesOf(live, state);
    TrackAtTick track(host);
    endPass(live, schedules, now, weekdayBit, time, settings, host, state, track);
    startPass(live, schedules, now, weekdayBit, time, settings, host, state, track);
    // Last, so that nothing it does (the log line flushed to the disk) comes
    // between the second and a programme's hand-over; it never waits on
    // the player.
    host.monitor(time);
}

}  // namespace airvane
