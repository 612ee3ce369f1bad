// What soft starts cost: the scheduler's own tick run over days of soft
// starts (one programme every 30 minutes) while songs of 3 to 5 minutes
// (uniformly drawn) play, for several SoftWaitSec. Prints the longest and
// the mean wait from the start second to the hand-over, and how many
// hand-overs came at a song's end rather than at the limit. It reports; it
// never fails.
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "model/memory_tree.h"
#include "model/node_label.h"
#include "scheduler/scheduler_tick.h"

namespace airvane {
namespace {

constexpr int kDays = 30;
constexpr int kEvery = 1800;  // seconds between programme starts

class FixedClock final : public Clock {
public:
    LocalTime now() override { return time; }
    bool setLocalTime(const LocalTime&) override { return true; }
    LocalTime time;
};

// A player that plays songs back to back; a hand-over begins a new song.
class SongHost final : public SchedulerHost {
public:
    explicit SongHost(MemoryTree& tree) : tree_(tree), songMs_(180'000, 300'000) { songEnd_ = draw(); }
    void loadJobFile(const std::string&) override {}
    void endProgramme(const ScheduleNode&, bool) override {}
    std::string writePlaylist(NodeItem item) override { return tree_.nodeRecord(item)->text; }
    bool startProgramme(const ScheduleNode&, const std::string&) override {
        handOver(nowMs + 3000, 0, false);  // the usual fade first
        return true;
    }
    TrackLeft trackLeft() override {
        while (songEnd_ <= nowMs) songEnd_ += draw();
        return {true, songEnd_ - nowMs};
    }
    bool startSoftly(const ScheduleNode&, const std::string&, bool fade, int64_t inMs, int64_t waitedMs) override {
        handOver(nowMs + (fade ? 3000 : inMs), waitedMs, !fade);
        return true;
    }
    int64_t nowMs = 0;
    std::vector<int64_t> waits;
    int atSongEnd = 0;

private:
    int64_t draw() { return songMs_(random_); }
    void handOver(int64_t atMs, int64_t waitedMs, bool songEnded) {
        songEnd_ = atMs + draw();
        waits.push_back(waitedMs);
        atSongEnd += songEnded;
    }
    MemoryTree& tree_;
    std::mt19937_64 random_{20261209};
    std::uniform_int_distribution<int64_t> songMs_;
    int64_t songEnd_ = 0;
};

void simulate(int32_t limit) {
    MemoryTree tree;
    const NodeItem root = tree.insertNode(kNoNode, InsertPlace::Last, kRootText, tree.records().create());
    for (int32_t start = 0; start < 86400; start += kEvery) {
        ScheduleNode node = newScheduleRecord();
        node.text = "P" + std::to_string(start / kEvery) + ".m3u";
        node.startSec = start;
        node.options = kSoftStart;
        tree.insertNode(root, InsertPlace::Last, "", tree.records().create(node));
    }
    Settings settings;
    settings.fadeoutTime = 3;
    settings.softWaitSec = limit;
    LoadingList loading;
    FixedClock clock;
    SongHost host(tree);
    TickState state;
    for (int day = 0; day < kDays; ++day) {
        for (int32_t second = 0; second < 86400; ++second) {
            clock.time = localTimeAt(2026, 12, 1 + day, second);
            host.nowMs = (int64_t{day} * 86400 + second) * 1000;
            schedulerTick(tree, loading, settings, clock, host, state);
        }
    }
    int64_t longest = 0, sum = 0;
    for (int64_t wait : host.waits) {
        longest = std::max(longest, wait);
        sum += wait;
    }
    const double mean = host.waits.empty() ? 0.0 : static_cast<double>(sum) / static_cast<double>(host.waits.size());
    std::printf("%-12d %-10zu %-14.1f %-14.1f %d\n", limit, host.waits.size(), static_cast<double>(longest) / 1000.0,
                mean / 1000.0, host.atSongEnd);
}

}  // namespace
}  // namespace airvane

int main() {
    std::printf("%d days, a soft start every %d min, songs of 3-5 min, FadeoutTime 3\n", airvane::kDays,
                airvane::kEvery / 60);
    std::printf("%-12s %-10s %-14s %-14s %s\n", "SoftWaitSec", "starts", "longest (s)", "mean (s)", "at song end");
    for (int32_t limit : {15, 30, 60, 120, 300}) airvane::simulate(limit);
    return 0;
}
