#include "scheduler/plan.h"

#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "model/memory_tree.h"
#include "scheduler/scheduler_tick.h"
#include "storage/config_file.h"
#include "storage/loading_list.h"
#include "storage/number_scan.h"
#include "storage/schedule_file.h"
#include "model/node_label.h"
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
    explicit PlanHost(const PlanClock& clock) : clock_(clock) {}

    void clockCorrected(bool) override { line("clock"); }
    void loadJobFile(const std::string& jobFile) override {
        line("load " + jobFile);
        show(jobFile);
    }
    // The tree of a job file, read once: a week's plan loads the same files
    // again and again. Shown again, it starts with nothing playing, as a
    // tree rebuilt from the file would.
    void show(const std::string& jobFile) {
        Loaded& loaded = trees_[jobFile];
        if (!loaded.tree) {
            loaded.tree = std::make_unique<MemoryTree>();
            loaded.outcome = loadScheduleFile(*loaded.tree, jobFile, nullptr);
        } else {
            const NodeItem root = loaded.tree->rootNode();
            for (NodeItem item = loaded.tree->firstChildNode(root); item != kNoNode; item = loaded.tree->nextNode(item)) {
                if (ScheduleNode* record = loaded.tree->nodeRecord(item)) record->playing = false;
            }
        }
        noteOutcome(jobFile, loaded.outcome);
        tree_ = loaded.tree.get();
        shownFile = jobFile;
        ++shown_;
    }
    MemoryTree& tree() { return *tree_; }
    ScheduleTree& treeAfterLoading(ScheduleTree&) override { return *tree_; }
    int shown() const { return shown_; }
    void noteOutcome(const std::string& jobFile, LoadOutcome outcome) {
        if (outcome == LoadOutcome::Unreadable) problems += jobFile + ": cannot be read\n";
        if (outcome == LoadOutcome::UnknownMagic) problems += jobFile + ": no schedule file\n";
    }
    void endProgramme(const ScheduleNode& schedule, bool fade) override {
        line("end " + schedule.text + (fade ? " fade" : " nofade"));
        if (fade) onAir.reset();  // left playing otherwise, until something else starts
    }
    // Nothing is written: the title stands for the playlist.
    std::string writePlaylist(NodeItem schedule) override {
        const ScheduleNode* record = tree_->nodeRecord(schedule);
        return record ? record->text : std::string();
    }
    bool startProgramme(const ScheduleNode& schedule, const std::string&) override {
        line("start " + schedule.text);
        onAir = OnAirProgramme{schedule.text, schedule.startSec, schedule.endSec, schedule, shownFile, false};
        startedAny = true;
        return true;
    }
    // The plan knows no song lengths: whatever plays is taken to end at the
    // soft start's (or end's) second, and the line says how long it may run on.
    TrackLeft trackLeft() override { return onAir ? TrackLeft{true, 0} : TrackLeft{}; }
    bool startSoftly(const ScheduleNode& schedule, const std::string&, bool, int64_t, int64_t) override {
        line("start " + schedule.text + softWindowText(softWaitSec));
        onAir = OnAirProgramme{schedule.text, schedule.startSec, schedule.endSec, schedule, shownFile, false};
        return true;
    }
    void endSoftly(const ScheduleNode& schedule, bool, int64_t, int64_t) override {
        line("end " + schedule.text + softWindowText(softWaitSec));
        onAir.reset();
    }

    int32_t softWaitSec = 0;
    std::string output;
    std::string problems;
    // What the player plays: the last programme handed over, until a fade
    // stops it (a load replaces the tree, not what plays).
    std::optional<OnAirProgramme> onAir;
    // What still played at the end of the day's last second (the one that
    // the next day's first ticks go on with).
    std::optional<OnAirProgramme> carried;
    std::string shownFile;  // the job file whose tree is shown
    bool startedAny = false;  // a programme was handed over on the day ticked

private:
    void line(const std::string& action) {
        char stamp[16];
        std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d ", clock_.time.hour, clock_.time.minute,
                      clock_.time.second);
        output += stamp + action + "\n";
    }

    struct Loaded {
        std::unique_ptr<MemoryTree> tree;
        LoadOutcome outcome = LoadOutcome::Loaded;
    };
    std::map<std::string, Loaded> trees_;
    MemoryTree* tree_ = nullptr;
    int shown_ = 0;
    const PlanClock& clock_;
};

// The seconds of the day at which a tick can act on this tree and these
// loading entries: the Schedules' start windows, their ends with and
// without the lead time, the seconds before each start in which it pre-empts
// what plays, the loading windows and the second after each, and the first
// minute (the clock correction, and the end of a programme started before
// midnight). A plan ticks there, and for a few seconds after any action.
std::vector<bool> actionSeconds(const ScheduleTree& tree, const LoadingList& loading, int32_t lead) {
    std::vector<bool> marked(86400, false);
    auto mark = [&marked](int32_t from, int32_t to) {
        for (int32_t s = from; s <= to; ++s) marked[static_cast<std::size_t>(((s % 86400) + 86400) % 86400)] = true;
    };
    mark(0, 61);
    const NodeItem root = tree.rootNode();
    for (NodeItem item = root ? tree.firstChildNode(root) : kNoNode; item != kNoNode; item = tree.nextNode(item)) {
        const ScheduleNode* r = tree.nodeRecord(item);
        if (!r) continue;
        mark(r->startSec - lead, r->startSec + 2);
        if (r->endSec != kNoEndTime) mark(r->endSec - lead, r->endSec);
    }
    for (const LoadingEntry& e : loading) {
        const int32_t t = toDaySeconds(e.hour, e.minute, e.second);
        mark(t, t + 5);
    }
    return marked;
}

// The Schedule marked as playing, if any.
const ScheduleNode* playingSchedule(const ScheduleTree& tree) {
    const NodeItem root = tree.rootNode();
    for (NodeItem item = root ? tree.firstChildNode(root) : kNoNode; item != kNoNode; item = tree.nextNode(item)) {
        const ScheduleNode* r = tree.nodeRecord(item);
        if (r && r->playing) return r;
    }
    return nullptr;
}

// Ticks the seconds from..to of one day, at the seconds where a tick can
// act (every second when asked); stops early once stop() says so.
template <typename Stop>
void tickSeconds(const LocalTime& date, int32_t from, int32_t to, bool everySecond, const Settings& settings,
                 LoadingList& loading, PlanClock& clock, PlanHost& host, TickState& state, Stop stop) {
    std::vector<bool> acts;
    int actsFor = -1;
    int32_t lastAction = -100;
    for (int32_t second = from; second <= to && !stop(); ++second) {
        if (!everySecond) {
            if (actsFor != host.shown()) {  // a load replaced the tree
                acts = actionSeconds(host.tree(), loading, settings.fadeoutTime);
                actsFor = host.shown();
            }
            if (!acts[static_cast<std::size_t>(second)] && second > lastAction + 3) continue;
        }
        clock.time = localTimeAt(date.year, date.month, date.day, second);
        const std::size_t before = host.output.size();
        schedulerTick(host.tree(), loading, settings, clock, host, state);
        if (host.output.size() != before) lastAction = second;
    }
}

// The day of request ticked from its first to its last second. When the
// whole day was ticked and a Schedule still plays after its last second
// (23:50 to 00:10), the next day's first seconds are ticked on as the
// program would tick them (a load at midnight, a Schedule of the next day
// that cuts it short) and the end line that they make for it is returned,
// with the next day's second; none when they make none.
std::string simulate(const PlanRequest& request, PlanClock& clock, PlanHost& host, bool carryIntoNextDay) {
    ConfigFile config(request.configPath);
    const Settings settings = readSettings(config);
    host.softWaitSec = settings.softWaitSec;
    LoadingList loading;
    loadLoadingList(loading, config);
    host.show(jobFilePath(config));

    TickState state;
    const LocalTime day = localTimeAt(request.year, request.month, request.day, 0);
    tickSeconds(day, request.from, request.to, request.everySecond, settings, loading, clock, host, state,
                [] { return false; });
    std::string endNext;
    const ScheduleNode* carried = carryIntoNextDay && request.to == 86399 ? playingSchedule(host.tree()) : nullptr;
    if (carried) host.carried = host.onAir;
    if (carried && carried->endSec != kNoEndTime) {
        const std::string endLine = " end " + carried->text + " ";
        const std::size_t dayOutput = host.output.size();
        const int shown = host.shown();
        tickSeconds(nextDay(day), 0, 86399, request.everySecond, settings, loading, clock, host, state, [&] {
            // The tree's records live as long as the host: the carried one is read directly.
            return host.output.find(endLine, dayOutput) != std::string::npos || host.shown() != shown ||
                   !carried->playing;
        });
        for (std::size_t at = dayOutput; at < host.output.size();) {
            const std::size_t end = host.output.find('\n', at);
            const std::string line = host.output.substr(at, end - at + 1);
            if (line.find(endLine) == 8) {
                endNext = line;
                break;
            }
            at = end + 1;
        }
        host.output.resize(dayOutput);
    }
    freeLoadingList(loading);
    return endNext;
}

}  // namespace

PlanResult runPlan(const PlanRequest& request) {
    PlanClock clock;
    PlanHost host(clock);
    std::string endNext = simulate(request, clock, host, true);
    return {host.output, host.problems, std::move(endNext)};
}

std::optional<OnAirProgramme> onAirAt(const std::string& configPath, const LocalTime& now) {
    PlanRequest request;
    request.configPath = configPath;
    request.year = now.year, request.month = now.month, request.day = now.day;
    request.to = daySecondsOf(now);
    PlanClock clock;
    PlanHost host(clock);
    // What plays now, not what the next day's first ticks would make of it.
    simulate(request, clock, host, false);
    if (host.onAir) return host.onAir;
    // A programme of today that has ended ended the evening's too; and a
    // load today replaced the tree the evening's programme came from.
    if (host.startedAny || host.shown() > 1) return std::nullopt;
    // Nothing handed over today yet: the evening before may still play, as
    // far as its end that today's first ticks make (none: it plays on).
    const LocalTime before = previousDay(now);
    PlanRequest yesterday = request;
    yesterday.year = before.year, yesterday.month = before.month, yesterday.day = before.day;
    yesterday.to = 86399;
    PlanClock yesterdayClock;
    PlanHost yesterdayHost(yesterdayClock);
    const std::string endLine = simulate(yesterday, yesterdayClock, yesterdayHost, true);
    std::optional<OnAirProgramme> carried = yesterdayHost.carried;
    if (!carried) return std::nullopt;
    int32_t endSec = 0;
    if (!endLine.empty() && (!parsePlanTime(endLine.substr(0, 8), endSec) || endSec <= daySecondsOf(now)))
        return std::nullopt;
    carried->jobFile = host.shownFile;
    carried->fromDayBefore = true;
    return carried;
}

std::string softWindowText(int32_t limitSec) { return " (at song end, up to " + std::to_string(limitSec) + " s)"; }

std::optional<int32_t> takeSoftWindow(std::string& subject) {
    constexpr std::string_view kOpen = " (at song end, up to ";
    const std::size_t at = subject.rfind(kOpen);
    int32_t limit = 0;
    if (at == std::string::npos || subject.size() < 3 || subject.compare(subject.size() - 3, 3, " s)") != 0 ||
        !scanText(subject.substr(at + kOpen.size()), "%d s)", {&limit}))
        return std::nullopt;
    subject.resize(at);
    return limit;
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
