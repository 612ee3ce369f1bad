// The player's own dialogs as the now-playing monitor finds them: the
// file-info box that tells the playing file's path, and the SHOUTcast
// window that takes the stream title. Both are top-level dialogs owned by
// the player's main window, in another program: everything here may wait
// on it, and is done by the player conversation's thread, never by the
// thread that ticks.
#pragma once

#include <windows.h>

#include <string>

#include "monitor/now_playing.h"

namespace airvane {

// The nth (from 0) top-level dialog of class "#32770" owned by owner.
HWND findOwnedDialog(HWND owner, int nth);

// The file-info box: the first owned dialog that has the path field (1084),
// so that neither the SHOUTcast window nor an open preferences or error box
// of the player is taken for it. Waits up to timeoutMs (0: looks once) on
// the event cancel, and gives up at once when that is signalled.
HWND findFileInfoBox(HWND player, DWORD timeoutMs, HANDLE cancel);

// The owned dialog whose caption holds "SHOUTcast" or "샤웃캐스트".
HWND findShoutcastWindow(HWND player);

// The playing file's path through the file-info box (opened, read, closed;
// three tries), "" when the player is stopped or no path came. A box that
// never comes or an empty path is noted on the screen.
std::string readPlayingPath(HWND player, HANDLE cancel);

// A diagnostic note in the screen's top-left corner, below the last one.
void screenNote(const char* text);

class ShoutcastWindow final : public StreamTitleWindow {
public:
    // Looked for at the first question, not before.
    explicit ShoutcastWindow(HWND player) : player_(player) {}
    bool present() override {
        if (!searched_) window_ = findShoutcastWindow(player_);
        searched_ = true;
        return window_ != nullptr;
    }
    bool autoTitleOn() override;
    void setAutoTitle(bool on) override;
    void setTitleText(const std::string& text) override;
    void applyTitle() override;

private:
    // Sent with the player's two-second bound; once one went unanswered,
    // the rest of this object's messages are not sent.
    LRESULT send(HWND to, UINT message, WPARAM wParam, LPARAM lParam);

    HWND player_;
    HWND window_ = nullptr;
    bool searched_ = false;
    bool unanswered_ = false;
};

}  // namespace airvane
