#include "player/workers.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "model/schedule_node.h"
#include "player/fade.h"

namespace airvane {

namespace {

std::atomic<int> gRunning{0};
std::atomic<uint64_t> gAirCommand{0};
std::mutex gEndedMutex;
std::condition_variable gEnded;  // told whenever a worker ends

// Counts a worker from its start to its end.
class WorkerSlot {
public:
    WorkerSlot() = default;
    WorkerSlot(WorkerSlot&& other) noexcept : held_(other.held_) { other.held_ = false; }
    WorkerSlot(const WorkerSlot&) = delete;
    WorkerSlot& operator=(const WorkerSlot&) = delete;
    ~WorkerSlot() {
        if (!held_) return;
        std::lock_guard lock(gEndedMutex);
        --gRunning;
        gEnded.notify_all();
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

bool stillNewest(const WorkerKit& kit) { return gAirCommand.load() == kit.command; }

// Under the one-fade lock: the stop, unless a later command came first.
WorkerOutcome stopFor(const WorkerKit& kit, Player& player) {
    WorkerOutcome outcome;
    if (!stillNewest(kit)) {
        outcome.overtaken = true;
        return outcome;
    }
    std::unique_ptr<Mixer> mixer = kit.makeMixer();
    std::unique_ptr<FadeClock> clock = kit.makeClock();
    const StopOutcome stop = fadeAndStop(player, *mixer, *clock, kit.fadeoutMs, *kit.lastTitle, *kit.ledger);
    outcome.answered = stop.answered;
    outcome.volumeRestored = stop.volumeRestored;
    return outcome;
}

// A message that timed out may still be taken later: the player is asked
// afresh whether it plays before a hand-over counts as not made.
bool playsAfterAll(const WorkerKit& kit) {
    std::unique_ptr<Player> player = kit.makePlayer();
    const int state = player->isPlaying();
    return player->answered() && state != static_cast<int>(PlayState::Stopped) &&
           state != static_cast<int>(PlayState::Paused);
}

void tell(const WorkerKit& kit, WorkerOutcome outcome, const Player& player) {
    outcome.playerThere = player.alive();
    if (kit.done) kit.done(outcome);
}

// A thread that cannot be made is a worker not started, not the end of
// the program; the work, with its slot, is dropped.
template <typename Work>
bool startDetached(Work&& work) {
    try {
        std::thread(std::forward<Work>(work)).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

// A worker: it does its work on the player under the one-fade lock, then
// tells what came of it.
template <typename Work>
bool startWorker(const WorkerKit& kit, Work work, std::function<void()> beforeTheLock = {}) {
    WorkerSlot slot;
    if (!slot.take()) return false;
    return startDetached([kit, work = std::move(work), before = std::move(beforeTheLock), slot = std::move(slot)]() {
        if (kit.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(kit.delayMs));
        if (before) before();
        std::unique_ptr<Player> player = kit.makePlayer();
        WorkerOutcome outcome;
        {
            const std::unique_lock fade = oneFadeAtATime();
            outcome = work(*player);
        }
        tell(kit, outcome, *player);
    });
}

// The list given, started at its place and moved into the track. A player
// that has only begun to play may refuse the jump for a moment; one that
// did not take the place is told as it is.
void handOffAt(Player& player, std::string_view path, PlacedAt& place) {
    player.clearPlaylist();
    player.addFile(path);
    if (place.index > 0) player.setListPosition(place.index);
    player.play();
    const int taken = player.listPosition();
    if (taken >= 0 && taken != place.index) {
        place.index = taken;
        place.offsetMs = 0;
        return;
    }
    if (place.offsetMs <= 0) return;
    for (int attempt = 0; attempt < 20 && player.answered(); ++attempt) {
        if (player.jumpTo(place.offsetMs)) {
            place.jumped = true;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

// Fades out what plays, then hands path over; with options, repeat and
// shuffle are set first. A rejoin's place is looked for before the fade
// lock and taken after the fade.
bool startHandOffWorker(const WorkerKit& kit, std::optional<int32_t> options, std::string path,
                        PlaceFinder where = {}) {
    auto finder = std::make_shared<std::function<PlacedAt()>>();
    auto before = [finder, where] {
        if (where) *finder = where();
    };
    return startWorker(
        kit,
        [kit, options, path = std::move(path), finder](Player& player) {
            if (*finder && (*finder)().listEnded) {
                WorkerOutcome nothing;
                nothing.overtaken = !stillNewest(kit);  // a later command decides, and writes its own row
                nothing.placed.listEnded = true;
                return nothing;
            }
            WorkerOutcome outcome = stopFor(kit, player);
            // A stop (or another start) given during the fade wins.
            if (!outcome.overtaken && !stillNewest(kit)) outcome.overtaken = true;
            if (outcome.overtaken || !outcome.answered) return outcome;
            // Not on air at the faded-down level: one more try first.
            if (!outcome.volumeRestored) outcome.volumeRestored = payBackVolume(*kit.makeMixer(), *kit.ledger);
            if (options) {
                player.setRepeat(*options & kRepeat);
                player.setShuffle(*options & kShuffle);
            }
            if (*finder) {
                outcome.placed = (*finder)();
                handOffAt(player, path, outcome.placed);
            } else {
                playHandOff(player, path);
            }
            outcome.answered = player.answered() || playsAfterAll(kit);
            // Given while the messages went out: the player is stopped after
            // them (by a player object that may still send).
            if (!stillNewest(kit)) {
                kit.makePlayer()->stop();
                outcome.overtaken = true;
            }
            return outcome;
        },
        before);
}

}  // namespace

uint64_t newAirCommand() { return ++gAirCommand; }
uint64_t latestAirCommand() { return gAirCommand.load(); }

int runningWorkers() { return gRunning.load(); }

bool waitForWorkers(int milliseconds) {
    std::unique_lock lock(gEndedMutex);
    return gEnded.wait_for(lock, std::chrono::milliseconds(milliseconds), [] { return gRunning.load() == 0; });
}

bool startEndWorker(const WorkerKit& kit) {
    return startWorker(kit, [kit](Player& player) { return stopFor(kit, player); });
}

bool startVolumeWorker(const WorkerKit& kit) {
    return startWorker(kit, [kit](Player&) {
        WorkerOutcome outcome;
        outcome.volumeRestored = payBackVolume(*kit.makeMixer(), *kit.ledger);
        return outcome;
    });
}

bool startStartWorker(const WorkerKit& kit, int32_t options, std::string playlistPath) {
    return startHandOffWorker(kit, options, std::move(playlistPath));
}

bool startPlayWorker(const WorkerKit& kit, std::string path) {
    return startHandOffWorker(kit, std::nullopt, std::move(path));
}

bool startRejoinWorker(const WorkerKit& kit, int32_t options, std::string playlistPath, PlaceFinder where) {
    return startHandOffWorker(kit, options, std::move(playlistPath), std::move(where));
}

}  // namespace airvane
