// A player that keeps every message it is sent, for tests.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "player/player.h"

namespace airvane {

class RecordingPlayer final : public Player {
public:
    bool alive() const override { return alive_; }
    void clearPlaylist() override {
        record("IPC_DELETE");
        if (!hung) listPos = -1;
    }
    // The first file added is where the list stands, as with Winamp.
    void addFile(std::string_view path) override {
        record("IPC_PLAYFILE " + std::string(path));
        if (!hung && listPos < 0) listPos = 0;
    }
    void play() override {
        record("WINAMP_BUTTON2");
        if (hung) return;
        if (state != PlayState::Paused) position = 0;
        state = PlayState::Playing;
    }
    void stop() override {
        record("WINAMP_BUTTON4");
        if (!hung) state = PlayState::Stopped;
    }
    void stopWithFade() override {
        record("WINAMP_BUTTON4_SHIFT");
        if (!hung) state = PlayState::Stopped;
    }
    void showFileInfo() override { record("WINAMP_EDIT_ID3"); }
    int isPlaying() override {
        const int answer = hung ? 0 : static_cast<int>(state);
        record("IPC_ISPLAYING " + std::to_string(answer));
        return answer;
    }
    void setShuffle(bool on) override { record(std::string("IPC_SET_SHUFFLE ") + (on ? "1" : "0")); }
    void setRepeat(bool on) override { record(std::string("IPC_SET_REPEAT ") + (on ? "1" : "0")); }
    bool answered() const override { return !hung; }
    int listPosition() override {
        record("IPC_GETLISTPOS");
        return hung ? -1 : listPos;
    }
    int64_t positionMs() override {
        record("IPC_GETOUTPUTTIME 0");
        return hung ? -1 : position;
    }
    int64_t lengthMs() override {
        record("IPC_GETOUTPUTTIME 2");
        return hung ? -1 : length;
    }
    void setListPosition(int index) override {
        record("IPC_SETPLAYLISTPOS " + std::to_string(index));
        if (hung) return;
        listPos = index;
        position = 0;
    }
    // Journaled with the player's answer, as standin.exe journals it: 0
    // done, -1 not playing, 1 past the end.
    bool jumpTo(int64_t to) override {
        const int answer = hung ? 0 : state != PlayState::Playing ? -1 : length > 0 && to >= length ? 1 : 0;
        record("IPC_JUMPTOTIME " + std::to_string(to) + " " + std::to_string(answer));
        if (hung || answer != 0) return false;
        position = to;
        return true;
    }

    std::vector<std::string> messages() const {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    void setAlive(bool alive) { alive_ = alive; }
    PlayState state = PlayState::Stopped;
    // What the track questions answer: -1 unknown.
    int listPos = -1;
    int64_t position = -1;
    int64_t length = -1;
    // A player that stops answering: each message is noted, none is taken.
    bool hung = false;

private:
    void record(std::string message) {
        std::lock_guard lock(mutex_);
        messages_.push_back(std::move(message));
    }
    mutable std::mutex mutex_;
    std::vector<std::string> messages_;
    bool alive_ = true;
};

}  // namespace airvane
