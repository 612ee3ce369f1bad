// Asks the player twice a second whether it plays, on a thread of its own,
// so that a player that hangs holds that thread, never the tick. The UI
// thread reads the last answer and tells it which window to ask.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

namespace airvane {

class PlayStateWatch {
public:
    PlayStateWatch();
    // Waits for the thread at most as long as one message to the player.
    ~PlayStateWatch();
    PlayStateWatch(const PlayStateWatch&) = delete;
    PlayStateWatch& operator=(const PlayStateWatch&) = delete;

    // The player's window to ask; null: none (answers are dropped).
    void watch(HWND player);
    // Whether the player said it plays (or is paused) in its last answer;
    // none before its first answer or while it does not answer.
    std::optional<bool> playing() const;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

}  // namespace airvane
