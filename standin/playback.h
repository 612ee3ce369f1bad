// The stand-in player's simulated playback: a playlist of tracks that each
// last a set number of seconds, with repeat and shuffle as a listener
// expects them. Time is kept in milliseconds, so that the position the
// player reports is as exact as Winamp's.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace standin {

enum class State { Stopped = 0, Playing = 1, Paused = 3 };

class Playback {
public:
    Playback(int trackSeconds, unsigned seed) : Playback(std::vector<int>{trackSeconds}, seed) {}
    // The length of each list position in seconds; the last one stands for
    // every later position.
    Playback(std::vector<int> trackSeconds, unsigned seed);

    void clear();
    void add(const std::string& track) { tracks_.push_back(track); }
    void play();   // from the start of the current track, or on from a pause
    void pause();  // toggles a pause while playing
    void stop();
    void setShuffle(bool on) { shuffle_ = on; }
    void setRepeat(bool on) { repeat_ = on; }
    // Lets playing time pass; tracks end and the next begin.
    void advance(int seconds) { advanceMs(int64_t{seconds} * 1000); }
    void advanceMs(int64_t milliseconds);
    // A frozen output: after this much playing time the position stops and
    // no track ends, while the player still says it plays.
    void freezeAfter(int64_t milliseconds) { freezeAfterMs_ = milliseconds; }
    // IPC_SETPLAYLISTPOS: the 0-based track becomes the current one, from
    // its start; playing or not stays as it was. False when there is none.
    bool setListIndex(int index);
    // IPC_JUMPTOTIME: 0 done, -1 not playing, 1 past the end of the track.
    int jumpTo(int64_t milliseconds);

    State state() const { return state_; }
    bool shuffle() const { return shuffle_; }
    bool repeat() const { return repeat_; }
    const std::vector<std::string>& tracks() const { return tracks_; }
    // 1-based position in the playlist; 0 when it is empty.
    int position() const { return tracks_.empty() ? 0 : static_cast<int>(index_) + 1; }
    // IPC_GETLISTPOS: 0-based, 0 for an empty list as Winamp answers.
    int listIndex() const { return static_cast<int>(index_); }
    // IPC_GETOUTPUTTIME 0: where in the track; 0 while stopped.
    int64_t positionMs() const { return state_ == State::Stopped ? 0 : elapsedMs_; }
    // IPC_GETOUTPUTTIME 2: the current track's length; -1 with no track
    // (or tracks that never end).
    int64_t lengthMs() const { return tracks_.empty() || lengthOf(index_) <= 0 ? -1 : lengthOf(index_); }
    std::string currentTrack() const { return tracks_.empty() ? std::string() : tracks_[index_]; }
    // "N. Title - Winamp", the title being the track's file name without
    // folder and extension; "[Stopped]" or "[Paused]" follow when not playing.
    std::string caption() const;

private:
    void next();
    int64_t lengthOf(std::size_t index) const;

    std::vector<int> trackSeconds_;
    std::mt19937 random_;
    std::vector<std::string> tracks_;
    std::size_t index_ = 0;
    int64_t elapsedMs_ = 0;
    State state_ = State::Stopped;
    bool shuffle_ = false;
    bool repeat_ = false;
    int64_t freezeAfterMs_ = -1;  // never
    int64_t playedMs_ = 0;
};

// The title shown for a track path.
std::string trackTitle(const std::string& path);

// "20,30,5" -> {20, 30, 5}; empty when the text holds no positive number
// in any place.
std::vector<int> parseTrackLengths(const std::string& text);

}  // namespace standin
