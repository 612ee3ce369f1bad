#include "player/workers.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>

#include "model/schedule_node.h"
#include "monitor/last_title.h"
#include "player/fade.h"
#include "player/recording_player.h"
#include "player/system_fade_clock.h"

// <chrono> cannot be built with the CP949 execution character set: usleep.
namespace airvane {
namespace {

// Hands every worker the same recorder; can hold them at their first message.
class SharedPlayer final : public Player {
public:
    explicit SharedPlayer(std::shared_ptr<RecordingPlayer> recorder, std::shared_ptr<std::atomic<bool>> gate)
        : recorder_(std::move(recorder)), gate_(std::move(gate)) {}
    bool alive() const override { return true; }
    void clearPlaylist() override { recorder_->clearPlaylist(); }
    void addFile(std::string_view path) override { recorder_->addFile(path); }
    void play() override { recorder_->play(); }
    void stop() override { recorder_->stop(); }
    void stopWithFade() override { recorder_->stopWithFade(); }
    void showFileInfo() override { recorder_->showFileInfo(); }
    int isPlaying() override {
        while (gate_ && !gate_->load()) usleep(5000);
        return recorder_->isPlaying();
    }
    void setShuffle(bool on) override { recorder_->setShuffle(on); }
    void setRepeat(bool on) override { recorder_->setRepeat(on); }
    bool answered() const override { return recorder_->answered(); }
    void setListPosition(int index) override { recorder_->setListPosition(index); }
    int listPosition() override { return recorder_->listPosition(); }
    bool jumpTo(int64_t to) override { return recorder_->jumpTo(to); }

private:
    std::shared_ptr<RecordingPlayer> recorder_;
    std::shared_ptr<std::atomic<bool>> gate_;
};

class NoMixer final : public Mixer {
public:
    bool openVolume() override { return false; }
    uint32_t volume() override { return 0; }
    bool setVolume(uint32_t) override { return true; }
    void close() override {}
};

class InstantClock final : public FadeClock {
public:
    int64_t nowMicros() override { return 0; }
    void sleepUntil(int64_t) override {}
};

WorkerKit kitFor(std::shared_ptr<RecordingPlayer> recorder, std::shared_ptr<std::atomic<bool>> gate = nullptr) {
    WorkerKit kit;
    kit.makePlayer = [recorder, gate] { return std::make_unique<SharedPlayer>(recorder, gate); };
    kit.makeMixer = [] { return std::make_unique<NoMixer>(); };
    kit.makeClock = [] { return std::make_unique<InstantClock>(); };
    kit.lastTitle = std::make_shared<LastTitle>();
    kit.ledger = std::make_shared<VolumeLedger>();
    kit.fadeoutMs = 3000;
    kit.command = newAirCommand();
    return kit;
}

void waitForWorkers() {
    for (int i = 0; i < 500 && runningWorkers() > 0; ++i) usleep(10000);
    ASSERT_EQ(runningWorkers(), 0);
}

TEST(Workers, TheStartWorkerStopsWhatPlaysSetsRepeatBeforeShuffleAndHandsOver) {
    auto recorder = std::make_shared<RecordingPlayer>();
    recorder->state = PlayState::Playing;
    WorkerKit kit = kitFor(recorder);
    kit.lastTitle->set("1. Old - Winamp");
    ASSERT_TRUE(startStartWorker(kit, kShuffle | kNoFadeOut, "C:\\Radio\\Morning.m3u"));
    waitForWorkers();
    EXPECT_EQ(recorder->messages(),
              (std::vector<std::string>{"IPC_ISPLAYING 1", "WINAMP_BUTTON4", "IPC_SET_REPEAT 0", "IPC_SET_SHUFFLE 1",
                                        "IPC_DELETE", "IPC_PLAYFILE C:\\Radio\\Morning.m3u", "WINAMP_BUTTON2"}));
    EXPECT_EQ(kit.lastTitle->get(), "");

    // The play command's worker: the same without repeat and shuffle.
    recorder->state = PlayState::Playing;
    ASSERT_TRUE(startPlayWorker(kit, "D:\\a.mp3"));
    waitForWorkers();
    const std::vector<std::string> all = recorder->messages();
    EXPECT_EQ(std::vector<std::string>(all.begin() + std::min<std::size_t>(7, all.size()), all.end()),
              (std::vector<std::string>{"IPC_ISPLAYING 1", "WINAMP_BUTTON4", "IPC_DELETE", "IPC_PLAYFILE D:\\a.mp3",
                                        "WINAMP_BUTTON2"}));

    // A rejoin: the list started at its place and moved into the track; a
    // list that would have ended by now is not handed over at all.
    for (const PlacedAt place : {PlacedAt{1, 8000, true, false, false}, PlacedAt{2, 0, true, true, false}}) {
        recorder->state = PlayState::Stopped;
        const std::size_t before = recorder->messages().size();
        std::optional<WorkerOutcome> told;
        kit.command = newAirCommand();
        kit.done = [&told](const WorkerOutcome& outcome) { told = outcome; };
        ASSERT_TRUE(startRejoinWorker(kit, kRepeat, "C:\\Radio\\Morning.m3u",
                                      [place] { return std::function<PlacedAt()>([place] { return place; }); }));
        waitForWorkers();
        const std::vector<std::string> sent = recorder->messages();
        ASSERT_TRUE(told);
        if (place.listEnded) {
            EXPECT_EQ(sent.size(), before);
            EXPECT_TRUE(told->placed.listEnded);
            continue;
        }
        EXPECT_EQ(std::vector<std::string>(sent.begin() + static_cast<std::ptrdiff_t>(before), sent.end()),
                  (std::vector<std::string>{"IPC_ISPLAYING 0", "IPC_SET_REPEAT 1", "IPC_SET_SHUFFLE 0", "IPC_DELETE",
                                            "IPC_PLAYFILE C:\\Radio\\Morning.m3u", "IPC_SETPLAYLISTPOS 1",
                                            "WINAMP_BUTTON2", "IPC_GETLISTPOS", "IPC_JUMPTOTIME 8000 0"}));
        EXPECT_TRUE(told->placed.jumped);
        EXPECT_EQ(told->placed.offsetMs, 8000);
    }
}

TEST(Workers, TheEndWorkerStops) {
    auto recorder = std::make_shared<RecordingPlayer>();
    recorder->state = PlayState::Playing;
    ASSERT_TRUE(startEndWorker(kitFor(recorder)));
    waitForWorkers();
    EXPECT_EQ(recorder->messages(), (std::vector<std::string>{"IPC_ISPLAYING 1", "WINAMP_BUTTON4"}));
}

TEST(Workers, WorkersWaitingOnAHungPlayerDoNotPileUp) {
    auto recorder = std::make_shared<RecordingPlayer>();
    auto gate = std::make_shared<std::atomic<bool>>(false);
    WorkerKit kit = kitFor(recorder, gate);
    int started = 0;
    for (int i = 0; i < kMaxWorkers + 5; ++i) started += startEndWorker(kit);
    EXPECT_EQ(started, kMaxWorkers);
    EXPECT_EQ(runningWorkers(), kMaxWorkers);
    EXPECT_FALSE(airvane::waitForWorkers(50)) << "the exit's wait is bounded";
    gate->store(true);  // the player answers again
    EXPECT_TRUE(airvane::waitForWorkers(5000));
    EXPECT_EQ(runningWorkers(), 0);
    EXPECT_TRUE(startEndWorker(kit)) << "room again";
    waitForWorkers();
}

// A player and a mixer on the real clock, shared by every thread, noting
// when each message came.
struct TimedStation {
    struct Event {
        int64_t at;
        std::string what;
    };
    std::mutex mutex;
    uint32_t volume = 50'000;
    PlayState state = PlayState::Playing;
    std::vector<Event> events;
    SystemFadeClock clock;

    int note(const std::string& what, PlayState next = PlayState::Stopped, bool changes = false) {
        std::lock_guard lock(mutex);
        events.push_back({clock.nowMicros(), what});
        if (changes) state = next;
        return static_cast<int>(state);
    }
    int64_t firstAt(const std::string& what) {
        for (const Event& e : events)
            if (e.what == what) return e.at;
        return -1;
    }
    int count(const std::string& what) {
        int n = 0;
        for (const Event& e : events) n += e.what == what;
        return n;
    }
};

class TimedPlayer final : public Player {
public:
    explicit TimedPlayer(TimedStation& s) : s_(s) {}
    bool alive() const override { return true; }
    void clearPlaylist() override { s_.note("IPC_DELETE"); }
    void addFile(std::string_view) override { s_.note("IPC_PLAYFILE"); }
    void play() override { s_.note("WINAMP_BUTTON2", PlayState::Playing, true); }
    void stop() override { s_.note("WINAMP_BUTTON4", PlayState::Stopped, true); }
    void stopWithFade() override {}
    void showFileInfo() override {}
    int isPlaying() override { return s_.note("IPC_ISPLAYING"); }
    void setShuffle(bool) override {}
    void setRepeat(bool) override {}
    bool answered() const override { return true; }

private:
    TimedStation& s_;
};

class TimedMixer final : public Mixer {
public:
    explicit TimedMixer(TimedStation& s) : s_(s) {}
    bool openVolume() override { return true; }
    uint32_t volume() override {
        std::lock_guard lock(s_.mutex);
        return s_.volume;
    }
    bool setVolume(uint32_t value) override {
        std::lock_guard lock(s_.mutex);
        s_.volume = value;
        return true;
    }
    void close() override {}

private:
    TimedStation& s_;
};

WorkerKit timedKit(TimedStation& station) {
    WorkerKit kit;
    kit.makePlayer = [&station] { return std::make_unique<TimedPlayer>(station); };
    kit.makeMixer = [&station] { return std::make_unique<TimedMixer>(station); };
    kit.makeClock = [] { return std::make_unique<SystemFadeClock>(); };
    kit.lastTitle = std::make_shared<LastTitle>();
    kit.ledger = std::make_shared<VolumeLedger>();
    kit.fadeoutMs = 300;
    kit.command = newAirCommand();
    return kit;
}

// An end worker fades for 300 ms; 150 ms in, a start worker or the play
// command's worker begins a hand-over. Either way the volume ends where it
// was, the player is stopped once, and the next programme follows the
// stop at once.
TEST(Workers, AHandOverDuringAFadeWaitsForItAndKeepsTheVolume) {
    for (bool playCommand : {false, true}) {
        SCOPED_TRACE(playCommand ? "play command" : "start worker");
        TimedStation station;
        ASSERT_TRUE(startEndWorker(timedKit(station)));
        usleep(150'000);
        ASSERT_TRUE(playCommand ? startPlayWorker(timedKit(station), "News.m3u")
                                : startStartWorker(timedKit(station), 0, "News.m3u"));
        waitForWorkers();
        EXPECT_EQ(station.volume, 50'000u);
        EXPECT_EQ(station.count("WINAMP_BUTTON4"), 1);
        EXPECT_GE(station.firstAt("IPC_PLAYFILE"), station.firstAt("WINAMP_BUTTON4")) << "handed over after the stop";
    }
}

// A fade held at its first step until the test lets it go.
struct FadeGate {
    std::atomic<bool> fading{false}, open{false};
};
class GatedClock final : public FadeClock {
public:
    explicit GatedClock(std::shared_ptr<FadeGate> gate) : gate_(std::move(gate)) {}
    int64_t nowMicros() override { return 0; }
    void sleepUntil(int64_t) override {
        gate_->fading = true;
        while (!gate_->open) usleep(1000);
    }

private:
    std::shared_ptr<FadeGate> gate_;
};

// While the play command's worker fades, the operator's stop or the tick's
// end is given. The later command wins: nothing is handed over, the player
// ends stopped, and the worker says it was overtaken.
TEST(Workers, ALaterCommandWinsOverAHandOverStillFading) {
    for (bool endPass : {false, true}) {
        SCOPED_TRACE(endPass ? "the end pass" : "the stop command");
        TimedStation station;
        WorkerKit play = timedKit(station);
        auto gate = std::make_shared<FadeGate>();
        play.makeClock = [gate] { return std::make_unique<GatedClock>(gate); };
        std::atomic<bool> overtaken{false};
        play.done = [&overtaken](const WorkerOutcome& outcome) { overtaken = outcome.overtaken; };
        ASSERT_TRUE(startPlayWorker(play, "News.m3u"));
        for (int i = 0; i < 5000 && !gate->fading; ++i) usleep(1000);
        ASSERT_TRUE(gate->fading);
        if (endPass) ASSERT_TRUE(startEndWorker(timedKit(station)));
        else newAirCommand();
        gate->open = true;
        waitForWorkers();
        EXPECT_TRUE(overtaken);
        EXPECT_EQ(station.count("IPC_PLAYFILE"), 0);
        EXPECT_EQ(station.state, PlayState::Stopped);
        EXPECT_EQ(station.volume, 50'000u);
    }
}

}  // namespace
}  // namespace airvane
