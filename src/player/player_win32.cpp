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

}  // namespace airvane
