// The player's window, driven with Winamp's messages. A message waits at
// most two seconds for an answer, and once one went unanswered the rest of
// this object's messages are not sent: a player that hangs holds the caller
// (a command, a worker) for two seconds, not for two seconds a message.
#pragma once

#include <windows.h>

#include "player/player.h"

namespace airvane {

// Sends to a window of the player's, waiting at most kAnswerTimeoutMs. Once
// one message went unanswered (the flag set), nothing more is sent through
// that flag: a player that hangs holds the caller once, not once a message.
LRESULT sendWithinBound(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& unanswered);

class WinampPlayer final : public Player {
public:
    explicit WinampPlayer(HWND window) : window_(window) {}

    bool alive() const override { return window_ && IsWindow(window_); }
    void clearPlaylist() override;
    void addFile(std::string_view path) override;
    void play() override;
    void stop() override;
    void stopWithFade() override;
    void showFileInfo() override;
    int isPlaying() override;
    void setShuffle(bool on) override;
    void setRepeat(bool on) override;
    int listPosition() override;
    int64_t positionMs() override;
    int64_t lengthMs() override;
    void setListPosition(int index) override;
    bool jumpTo(int64_t positionMs) override;
    bool answered() const override { return !unanswered_; }

    static constexpr UINT kAnswerTimeoutMs = 2000;

private:
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_;
    bool unanswered_ = false;
};

}  // namespace airvane
