// The media player as the scheduler drives it: Winamp's published window
// messages, one method each. The Windows side sends them to the player's
// window; the recorder in tests keeps them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace airvane {

// Winamp's message interface, written once: the values the player expects.
namespace winamp {
inline constexpr const char* kWindowClass = "Winamp v1.x";
inline constexpr unsigned kUserMessage = 0x0400;  // WM_USER
inline constexpr unsigned kIpcDelete = 101;       // lParam of WM_USER: clear the playlist
inline constexpr unsigned kIpcPlayFile = 100;     // dwData of WM_COPYDATA: add a file
inline constexpr unsigned kIpcIsPlaying = 104;    // 1 playing, 3 paused, 0 stopped
inline constexpr unsigned kIpcGetOutputTime = 105;  // wParam 0: position ms; 1: length s; 2: length ms
inline constexpr unsigned kIpcJumpToTime = 106;     // wParam: ms; 0 done, -1 not playing, 1 past the end
inline constexpr unsigned kIpcSetPlaylistPos = 121;  // wParam: 0-based list position
inline constexpr unsigned kIpcGetListPos = 125;     // 0-based list position
inline constexpr unsigned kIpcSetShuffle = 252;
inline constexpr unsigned kIpcSetRepeat = 253;
inline constexpr unsigned kButtonPlay = 40045;       // WINAMP_BUTTON2
inline constexpr unsigned kButtonPause = 40046;      // WINAMP_BUTTON3
inline constexpr unsigned kButtonStop = 40047;       // WINAMP_BUTTON4
inline constexpr unsigned kButtonFadeStop = 40147;   // WINAMP_BUTTON4_SHIFT
inline constexpr unsigned kEditId3 = 40188;          // WINAMP_EDIT_ID3
inline constexpr int kFileInfoPath = 1084;           // file-info box: the playing file's path
inline constexpr int kShoutcastAuto = 1012;          // SHOUTcast window: its own title handling
inline constexpr int kShoutcastTitle = 1011;
inline constexpr int kShoutcastApply = 1004;
}  // namespace winamp

enum class PlayState { Stopped = 0, Playing = 1, Paused = 3 };

class Player {
public:
    virtual ~Player() = default;
    // False when the player's window is gone; then nothing is sent.
    virtual bool alive() const = 0;
    virtual void clearPlaylist() = 0;                 // IPC_DELETE
    virtual void addFile(std::string_view path) = 0;  // IPC_PLAYFILE
    virtual void play() = 0;                          // WINAMP_BUTTON2
    virtual void stop() = 0;                          // WINAMP_BUTTON4
    virtual void stopWithFade() = 0;                  // WINAMP_BUTTON4_SHIFT, posted
    virtual void showFileInfo() = 0;                  // WINAMP_EDIT_ID3, posted
    // IPC_ISPLAYING: 0 stopped, 3 paused, anything else playing; 0 when the
    // player does not answer.
    virtual int isPlaying() = 0;
    virtual void setShuffle(bool on) = 0;
    virtual void setRepeat(bool on) = 0;
    // The track that plays, as far as the player tells it: its 0-based
    // place in the list (IPC_GETLISTPOS), the position in it and its length
    // (IPC_GETOUTPUTTIME). Each is -1 when the player does not answer or
    // does not know (a player that answers 0 for a length knows none).
    // A player that knows no tracks keeps these defaults.
    virtual int listPosition() { return -1; }
    virtual int64_t positionMs() { return -1; }
    virtual int64_t lengthMs() { return -1; }
    // IPC_SETPLAYLISTPOS (the next play starts there) and IPC_JUMPTOTIME;
    // jumpTo is true when the player says it jumped.
    virtual void setListPosition(int) {}
    virtual bool jumpTo(int64_t) { return false; }
    // False once a message went unanswered within its bound: what it was
    // to do may not have happened.
    virtual bool answered() const = 0;
};

// Clear the playlist, add path, play: how a programme is handed over.
void playHandOff(Player& player, std::string_view path);

}  // namespace airvane
