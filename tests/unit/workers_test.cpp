#include "player/workers.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>

#include "model/schedule_node.h"
#include "monitor/last_title.h"
#include "player/recording_player.h"

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

private:
    std::shared_ptr<RecordingPlayer> recorder_;
    std::shared_ptr<std::atomic<bool>> gate_;
};

class NoMixer final : public Mixer {
public:
    bool openWaveOutVolume() override { return false; }
    uint32_t volume() override { return 0; }
    void setVolume(uint32_t) override {}
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
    kit.fadeoutMs = 3000;
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
    gate->store(true);  // the player answers again
    waitForWorkers();
    EXPECT_TRUE(startEndWorker(kit)) << "room again";
    waitForWorkers();
}

}  // namespace
}  // namespace airvane
