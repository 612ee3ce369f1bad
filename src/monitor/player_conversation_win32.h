// The one thread that talks with the player's dialogs for the monitor: the
// question which file plays (the file-info box, which may take seconds or
// never come) and the stream title (the SHOUTcast window, which may hang
// with its player). The UI thread hands it jobs and never waits for them;
// it touches no window of Airvane's and posts what it learnt.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "monitor/track_watch.h"

namespace airvane {

class PlayerConversation {
public:
    // Answers are announced by posting answerMessage to notify.
    PlayerConversation(HWND notify, UINT answerMessage, UINT trackMessage = 0);
    // Stops the thread, waiting for it at most as long as one message to
    // the player may take; a thread still inside one is left to end alone.
    ~PlayerConversation();
    PlayerConversation(const PlayerConversation&) = delete;
    PlayerConversation& operator=(const PlayerConversation&) = delete;

    // Which file plays: a newer question replaces one not yet begun.
    void askPlayingPath(HWND player, uint64_t question);
    // The newest title replaces one not yet written.
    void setStreamTitle(HWND player, std::optional<std::string> title);
    // The answer posted last; false when there is none to take.
    bool takeAnswer(uint64_t& question, std::string& path);
    // What track plays (IPC_ISPLAYING, IPC_GETLISTPOS, IPC_GETOUTPUTTIME),
    // each message within its bound; asked before any other job, since it
    // takes milliseconds where the file-info box may take seconds. A newer
    // question replaces one not yet begun. Its answer is announced with
    // trackMessage.
    void askTrack(HWND player, uint64_t question);
    bool takeTrackAnswer(TrackAnswer& answer);
    // At exit: the open question dropped (a wait for the box cut short),
    // the stream title handed back to the window; waits up to milliseconds
    // for that. False when the player did not let it finish in time.
    bool handBackStreamTitle(HWND player, DWORD milliseconds);

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

}  // namespace airvane
