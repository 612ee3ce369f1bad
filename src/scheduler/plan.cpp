#include "scheduler/plan.h"

#include <cstdio>

#include "model/memory_tree.h"
#include "scheduler/scheduler_tick.h"
#include "storage/config_file.h"
#include "storage/loading_list.h"
#include "storage/number_scan.h"
#include "storage/schedule_file.h"
#include "storage/settings.h"

namespace airvane {

namespace {

// The plan's clock: the second being planned. Setting it back is noted,
// not done: the plan goes on with the next second.
class PlanClock final : public Clock {
public:
    LocalTime now() override { return time; }
    bool setLocalTime(const LocalTime&) override { return true; }
    LocalTime time;
};

class PlanHost final : public SchedulerHost {
public:
    PlanHost(MemoryTree& tree, const PlanClock& clock) : tree_(tree), clock_(clock) {}

    void clockCorrected() override { line("clock"); }
    void loadJobFile(const std::string& jobFile) override {
        line("load " + jobFile);
        noteOutcome(jobFile, replaceTree(tree_, jobFile, nullptr));
    }
    void noteOutcome(const std::string& jobFile, LoadOutcome outcome) {
        if (outcome == LoadOutcome::Unreadable) problems += jobFile + ": cannot be read\n";
        if (outcome == LoadOutcome::UnknownMagic) problems += jobFile + ": no schedule file\n";
    }
    void endProgramme(const ScheduleNode& schedule, bool fade) override {
        line("end " + schedule.text + (fade ? " fade" : " nofade"));
    }
    // Nothing is written: the title stands for the playlist.
    std::string writePlaylist(NodeItem schedule) override {
        const ScheduleNode* record = tree_.nodeRecord(schedule);
        return record ? record->text : std::string();
    }
    bool startProgramme(const ScheduleNode& schedule, const std::string&) override {
        line("start " + schedule.text);
        return true;
    }

    std::string output;
    std::string problems;

private:
    void line(const std::string& action) {
        char stamp[16];
        std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d ", clock_.time.hour, clock_.time.minute,
                      clock_.time.second);
        output += stamp + action + "\n";
    }

    MemoryTree& tree_;
    const PlanClock& clock_;
};

}  // namespace

PlanResult runPlan(const PlanRequest& request) {
    ConfigFile config(request.configPath);
    const Settings settings = readSettings(config);
    LoadingList loading;
    loadLoadingList(loading, config);
    MemoryTree tree;
    PlanClock clock;
    PlanHost host(tree, clock);
    host.noteOutcome(jobFilePath(config), loadSchedule(tree, config, nullptr));

    TickState state;
    for (int32_t second = request.from; second <= request.to; ++second) {
        clock.time = localTimeAt(request.year, request.month, request.day, second);
        schedulerTick(tree, loading, settings, clock, host, state);
    }
    return {host.output, host.problems};
}

bool parsePlanDate(const std::string& text, PlanRequest& request) {
    int32_t y = 0, m = 0, d = 0;
    if (text.size() != 10 || !scanText(text, "%d-%d-%d", {&y, &m, &d})) return false;
    static const int lengths[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1601 || m < 1 || m > 12 || d < 1 || d > lengths[m - 1]) return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (m == 2 && d == 29 && !leap) return false;
    request.year = y;
    request.month = m;
    request.day = d;
    return true;
}

bool parsePlanTime(const std::string& text, int32_t& daySeconds) {
    int32_t h = 0, m = 0, s = 0;
    if (text.size() != 8 || !scanText(text, "%d:%d:%d", {&h, &m, &s})) return false;
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59) return false;
    daySeconds = h * 3600 + m * 60 + s;
    return true;
}

}  // namespace airvane
