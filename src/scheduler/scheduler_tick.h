// The scheduler tick: once a second it compares the clock with the tree and
// the loading schedules, and in one fixed order corrects the clock once a
// night, loads a job file that falls due, ends the programme that is
// playing, starts one whose time has come, and lets the now-playing
// monitor look.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/schedule_tree.h"
#include "scheduler/local_time.h"
#include "scheduler/soft_start.h"
#include "storage/loading_list.h"
#include "storage/settings.h"

namespace airvane {

// What the tick asks of the program around it.
class SchedulerHost {
public:
    virtual ~SchedulerHost() = default;
    // The daily correction: the tick's time is 00:00:00 from here on. set
    // is false when the system refused to set the clock (a user without the
    // right to set the time, as under UAC).
    virtual void clockCorrected(bool set) { (void)set; }
    virtual void monitor(const LocalTime&) {}
    // Replaces the whole tree by the schedule file jobFile.
    virtual void loadJobFile(const std::string& jobFile) = 0;
    // The tree that the rest of the tick works on after the loading pass:
    // the program rebuilds its one tree in place (this default); a host that
    // keeps a tree per job file gives the one it now shows.
    virtual ScheduleTree& treeAfterLoading(ScheduleTree& tree) { return tree; }
    // The playing Schedule ends; with fade the player is faded out and
    // stopped, without it the player is left playing.
    virtual void endProgramme(const ScheduleNode& schedule, bool fade) = 0;
    // The playlist of the Schedule item; "" when there is none to hand over.
    virtual std::string writePlaylist(NodeItem schedule) = 0;
    // Hands the playlist over (fading out what plays first); false when
    // nothing could be started, so that the next tick tries again.
    virtual bool startProgramme(const ScheduleNode& schedule, const std::string& playlistPath) = 0;

    // Soft starts and ends. What the player last told of its track (a host
    // that cannot tell: nothing plays, and every start is a hard one).
    virtual TrackLeft trackLeft() { return {}; }
    // The newest air command's number: a later one drops a waiting soft start.
    virtual uint64_t latestCommand() { return 0; }
    // A soft start's hand-over: fade true at the limit (as startProgramme),
    // false at the track's end, inMs from now; waitedMs: from the start
    // second to the hand-over, for the record.
    virtual bool startSoftly(const ScheduleNode& schedule, const std::string& playlistPath, bool fade, int64_t inMs,
                             int64_t waitedMs) {
        (void)inMs;
        (void)waitedMs;
        (void)fade;
        return startProgramme(schedule, playlistPath);
    }
    // A soft end's stop, in the same terms.
    virtual void endSoftly(const ScheduleNode& schedule, bool fade, int64_t inMs, int64_t waitedMs) {
        (void)inMs;
        (void)waitedMs;
        endProgramme(schedule, fade);
    }
};

struct ScheduleRef {
    NodeItem item;
    ScheduleNode* record;
};

// What the tick keeps from one tick to the next: the nightly correction's
// flag, and the Schedules as last read from the tree (read again whenever
// the tree changed; on the real control a read walks every item).
struct TickState {
    bool clockCorrected = false;
    const ScheduleTree* readTree = nullptr;
    uint64_t readGeneration = 0;
    std::vector<ScheduleRef> schedules;
    // A soft start or end that fell due and waits for the song's end.
    std::optional<SoftWait> softStart;
    std::optional<SoftWait> softEnd;
};

// DaySeconds of a time of day.
int32_t daySecondsOf(const LocalTime& time);
// Each of year, month and day is 0 ("every") or today's.
bool matchesDate(int32_t year, int32_t month, int32_t day, const LocalTime& today);

// The Root's children with their records as the tick reads them (read
// again when the tree changed since).
const std::vector<ScheduleRef>& currentSchedules(ScheduleTree& tree, TickState& state);
// The Schedule the start pass would start at time; null when none (for
// what is due while there is no player to hand it to).
const ScheduleNode* scheduleDueAt(ScheduleTree& tree, TickState& state, const LocalTime& time);

// Forgets a soft start or end that waits (a load of another schedule).
void dropSoftWaits(TickState& state);

void schedulerTick(ScheduleTree& tree, LoadingList& loading, const Settings& settings, Clock& clock,
                   SchedulerHost& host, TickState& state);

}  // namespace airvane
