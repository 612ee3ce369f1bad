#include "onair/play_state_watch_win32.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "player/player.h"
#include "player/player_win32.h"

namespace airvane {

namespace {
constexpr int kAskEveryMs = 500;
}

struct PlayStateWatch::Shared {
    mutable std::mutex mutex;
    std::condition_variable changed;
    HWND player = nullptr;
    std::optional<bool> playing;
    bool stopping = false;
    bool ended = false;

    void run() {
        std::unique_lock lock(mutex);
        while (!stopping) {
            const HWND asked = player;
            std::optional<bool> answer;
            if (asked) {
                lock.unlock();
                bool unanswered = false;
                const LRESULT state = sendWithinBound(asked, winamp::kUserMessage, 0, winamp::kIpcIsPlaying, unanswered);
                if (!unanswered && IsWindow(asked)) answer = state != 0;
                lock.lock();
            }
            if (player == asked) playing = answer;  // an answer for a window no longer watched is dropped
            changed.wait_for(lock, std::chrono::milliseconds(kAskEveryMs), [this] { return stopping; });
        }
        ended = true;
        changed.notify_all();
    }
};

PlayStateWatch::PlayStateWatch() : shared_(std::make_shared<Shared>()) {
    try {
        std::thread([shared = shared_] { shared->run(); }).detach();
    } catch (const std::system_error&) {
        shared_->ended = true;  // no thread: no answers, so no silence is ever claimed
    }
}

PlayStateWatch::~PlayStateWatch() {
    std::unique_lock lock(shared_->mutex);
    shared_->stopping = true;
    shared_->changed.notify_all();
    shared_->changed.wait_for(lock, std::chrono::milliseconds(WinampPlayer::kAnswerTimeoutMs + 500),
                              [this] { return shared_->ended; });
}

void PlayStateWatch::watch(HWND player) {
    std::lock_guard lock(shared_->mutex);
    if (shared_->player != player) shared_->playing.reset();
    shared_->player = player;
}

std::optional<bool> PlayStateWatch::playing() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->playing;
}

}  // namespace airvane
