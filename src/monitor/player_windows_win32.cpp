#include "monitor/player_windows_win32.h"

#include <cstring>

#include "player/player_win32.h"

namespace airvane {

namespace {

constexpr int kAutoTitle = winamp::kShoutcastAuto;

std::string windowTextOf(HWND window, int size) {
    std::string text(static_cast<std::size_t>(size), '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), size)));
    return text;
}

bool isShoutcastCaption(const std::string& caption) {
    return caption.find("SHOUTcast") != std::string::npos || caption.find("샤웃캐스트") != std::string::npos;
}

// The player's dialogs live in another process: an answer is waited for
// at most as long as the player's own messages are.
LRESULT sendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    bool unanswered = false;
    return sendWithinBound(window, message, wParam, lParam, unanswered);
}

int gNoteOffset = 0;  // where the next screen note goes

}  // namespace

HWND findOwnedDialog(HWND owner, int nth) {
    for (HWND window = GetWindow(owner, GW_HWNDFIRST); window; window = GetWindow(window, GW_HWNDNEXT)) {
        char name[80] = "";
        GetClassNameA(window, name, sizeof name);
        if (GetParent(window) == owner && std::strcmp(name, "#32770") == 0 && nth-- == 0) return window;
    }
    return nullptr;
}

HWND findFileInfoBox(HWND player, DWORD timeoutMs, HANDLE cancel) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (timeoutMs && GetTickCount() - start >= timeoutMs) return nullptr;
        if (!IsWindow(player)) return nullptr;
        for (int n = 0; HWND dialog = findOwnedDialog(player, n); ++n) {
            if (GetDlgItem(dialog, winamp::kFileInfoPath)) return dialog;
        }
        if (!timeoutMs) return nullptr;
        if (WaitForSingleObject(cancel, 100) == WAIT_OBJECT_0) return nullptr;
    }
}

HWND findShoutcastWindow(HWND player) {
    if (!player || !IsWindow(player)) return nullptr;
    for (int n = 0; HWND dialog = findOwnedDialog(player, n); ++n) {
        if (isShoutcastCaption(windowTextOf(dialog, 80))) return dialog;
    }
    return nullptr;
}

std::string readPlayingPath(HWND player, HANDLE cancel) {
    WinampPlayer winamp(player);
    if (winamp.isPlaying() == static_cast<int>(PlayState::Stopped)) return "";
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (HWND leftOpen = findFileInfoBox(player, 0, cancel)) sendWithin(leftOpen, WM_COMMAND, IDCANCEL, 0);
        winamp.showFileInfo();
        HWND box = findFileInfoBox(player, 5000, cancel);
        if (WaitForSingleObject(cancel, 0) == WAIT_OBJECT_0) return "";
        if (!box) {
            screenNote("MP3정보창못찾음");
            return "";
        }
        char path[260] = "";
        sendWithin(GetDlgItem(box, winamp::kFileInfoPath), WM_GETTEXT, sizeof path, reinterpret_cast<LPARAM>(path));
        path[sizeof path - 1] = '\0';
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        if (path[0]) return path;
    }
    screenNote("MP3파일명못가져옴");
    return "";
}

void screenNote(const char* text) {
    const int y = gNoteOffset;
    gNoteOffset += 16;
    if (gNoteOffset >= GetSystemMetrics(SM_CYSCREEN)) gNoteOffset = 0;
    const std::string note = "(" + std::string(text).substr(0, 77) + ")";
    if (HDC screen = GetDC(nullptr)) {
        TextOutA(screen, 0, y, note.c_str(), static_cast<int>(note.size()));
        ReleaseDC(nullptr, screen);
    }
}

LRESULT ShoutcastWindow::send(HWND to, UINT message, WPARAM wParam, LPARAM lParam) {
    return sendWithinBound(to, message, wParam, lParam, unanswered_);
}

// The check box is asked and set with its own messages: the dialog helpers
// would wait on the player without a bound.
bool ShoutcastWindow::autoTitleOn() { return send(GetDlgItem(window_, kAutoTitle), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void ShoutcastWindow::setAutoTitle(bool on) {
    send(GetDlgItem(window_, kAutoTitle), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    send(window_, WM_COMMAND, kAutoTitle, 0);
}

void ShoutcastWindow::setTitleText(const std::string& text) {
    send(GetDlgItem(window_, winamp::kShoutcastTitle), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ShoutcastWindow::applyTitle() {
    if (!unanswered_) PostMessageA(window_, WM_COMMAND, winamp::kShoutcastApply, 0);
}

}  // namespace airvane
