#include "player/workers.h"

#include <atomic>
#include <thread>

#include "model/schedule_node.h"
#include "player/fade.h"

namespace airvane {

namespace {

std::atomic<int> gRunning{0};

// Counts a worker from its start to its end.
class WorkerSlot {
public:
    WorkerSlot() = default;
    WorkerSlot(WorkerSlot&& other) noexcept : held_(other.held_) { other.held_ = false; }
    WorkerSlot(const WorkerSlot&) = delete;
    WorkerSlot& operator=(const WorkerSlot&) = delete;
    ~WorkerSlot() {
        if (held_) --gRunning;
    }
    bool take() {
        int now = gRunning.load();
        while (now < kMaxWorkers) {
            if (gRunning.compare_exchange_weak(now, now + 1)) return held_ = true;
        }
        return false;
    }

private:
    bool held_ = false;
};

void fadeAndStopWith(const WorkerKit& kit, Player& player) {
    std::unique_ptr<Mixer> mixer = kit.makeMixer();
    std::unique_ptr<FadeClock> clock = kit.makeClock();
    fadeAndStop(player, *mixer, *clock, kit.fadeoutMs, *kit.lastTitle);
}

}  // namespace

int runningWorkers() { return gRunning.load(); }

bool startEndWorker(const WorkerKit& kit) {
    WorkerSlot slot;
    if (!slot.take()) return false;
    std::thread([kit, slot = std::move(slot)]() {
        std::unique_ptr<Player> player = kit.makePlayer();
        fadeAndStopWith(kit, *player);
    }).detach();
    return true;
}

bool startStartWorker(const WorkerKit& kit, int32_t options, std::string playlistPath) {
    WorkerSlot slot;
    if (!slot.take()) return false;
    std::thread([kit, options, path = std::move(playlistPath), slot = std::move(slot)]() {
        std::unique_ptr<Player> player = kit.makePlayer();
        fadeAndStopWith(kit, *player);
        player->setRepeat(options & kRepeat);
        player->setShuffle(options & kShuffle);
        playHandOff(*player, path);
    }).detach();
    return true;
}

}  // namespace airvane
