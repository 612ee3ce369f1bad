#include "player/player_win32.h"

#include <string>

namespace airvane {

LRESULT sendWithinBound(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& unanswered) {
    DWORD_PTR result = 0;
    if (unanswered || !SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                           WinampPlayer::kAnswerTimeoutMs, &result)) {
        unanswered = true;
        return 0;
    }
    return static_cast<LRESULT>(result);
}

LRESULT WinampPlayer::send(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!alive()) return 0;
    return sendWithinBound(window_, message, wParam, lParam, unanswered_);
}

void WinampPlayer::clearPlaylist() { send(WM_USER, 0, winamp::kIpcDelete); }

void WinampPlayer::addFile(std::string_view path) {
    std::string copy(path);
    COPYDATASTRUCT data{};
    data.dwData = winamp::kIpcPlayFile;
    data.lpData = copy.data();
    data.cbData = static_cast<DWORD>(copy.size() + 1);  // with its terminating zero
    send(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

void WinampPlayer::play() { send(WM_COMMAND, winamp::kButtonPlay, 0); }

void WinampPlayer::stop() { send(WM_COMMAND, winamp::kButtonStop, 0); }

void WinampPlayer::stopWithFade() {
    if (alive()) PostMessageA(window_, WM_COMMAND, winamp::kButtonFadeStop, 0);
}

void WinampPlayer::showFileInfo() {
    if (alive()) PostMessageA(window_, WM_COMMAND, winamp::kEditId3, 0);
}

int WinampPlayer::isPlaying() { return static_cast<int>(send(WM_USER, 0, winamp::kIpcIsPlaying)); }

void WinampPlayer::setShuffle(bool on) { send(WM_USER, on ? 1 : 0, winamp::kIpcSetShuffle); }

void WinampPlayer::setRepeat(bool on) { send(WM_USER, on ? 1 : 0, winamp::kIpcSetRepeat); }

// An answer of a message not answered in time is no answer: -1.
int WinampPlayer::listPosition() {
    const bool before = unanswered_;
    const LRESULT index = send(WM_USER, 0, winamp::kIpcGetListPos);
    return (unanswered_ && !before) || !alive() || index < 0 ? -1 : static_cast<int>(index);
}

int64_t WinampPlayer::positionMs() {
    const bool before = unanswered_;
    const LRESULT position = send(WM_USER, 0, winamp::kIpcGetOutputTime);
    return (unanswered_ && !before) || !alive() || position < 0 ? -1 : static_cast<int64_t>(position);
}

int64_t WinampPlayer::lengthMs() {
    // Milliseconds where the player knows them (wParam 2, Winamp 5.x); an
    // older one answers 1 (not known) or 0: then the seconds.
    const bool before = unanswered_;
    if (before || !alive()) return -1;
    const LRESULT milliseconds = send(WM_USER, 2, winamp::kIpcGetOutputTime);
    if (unanswered_) return -1;
    if (milliseconds > 1) return static_cast<int64_t>(milliseconds);
    const LRESULT seconds = send(WM_USER, 1, winamp::kIpcGetOutputTime);
    if (unanswered_ || seconds <= 0) return -1;
    return static_cast<int64_t>(seconds) * 1000;
}

void WinampPlayer::setListPosition(int index) { send(WM_USER, static_cast<WPARAM>(index), winamp::kIpcSetPlaylistPos); }

bool WinampPlayer::jumpTo(int64_t positionMs) {
    const bool before = unanswered_;
    const LRESULT result = send(WM_USER, static_cast<WPARAM>(positionMs), winamp::kIpcJumpToTime);
    return !before && !unanswered_ && alive() && result == 0;
}

}  // namespace airvane
