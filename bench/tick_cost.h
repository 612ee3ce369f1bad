// The cost of one scheduler tick on a large tree: a host that does nothing,
// a clock that stands still, one programme playing without an end time (so
// that the end pass looks at every Schedule for one about to start).
#pragma once

#include "model/schedule_tree.h"
#include "scheduler/scheduler_tick.h"
#include "station_tree.h"

namespace airvane::bench {

class IdleHost final : public SchedulerHost {
public:
    void loadJobFile(const std::string&) override {}
    void endProgramme(const ScheduleNode&, bool) override {}
    std::string writePlaylist(NodeItem) override { return {}; }
    bool startProgramme(const ScheduleNode&, const std::string&) override { return true; }
};

class StillClock final : public Clock {
public:
    LocalTime now() override { return localTimeAt(2026, 12, 24, 3 * 3600 + 17); }
    bool setLocalTime(const LocalTime&) override { return true; }
};

// Everything one tick needs around the tree it runs on.
class TickBench {
public:
    explicit TickBench(ScheduleTree& tree) : tree_(tree) {
        buildStation(tree, 1000, 50);
        ScheduleNode* first = tree.nodeRecord(tree.firstChildNode(tree.rootNode()));
        first->endSec = kNoEndTime;
        first->playing = true;
        settings_.fadeoutTime = 3;
    }
    void tick() { schedulerTick(tree_, loading_, settings_, clock_, host_, state_); }

private:
    ScheduleTree& tree_;
    LoadingList loading_;
    Settings settings_;
    StillClock clock_;
    IdleHost host_;
    TickState state_;
};

}  // namespace airvane::bench
