// The stand-in player's simulated playback: a playlist of tracks that each
// last a set number of seconds, with repeat and shuffle as a listener
// expects them.
#pragma once

#include <random>
#include <string>
#include <vector>

namespace standin {

enum class State { Stopped = 0, Playing = 1, Paused = 3 };

class Playback {
public:
    Playback(int trackSeconds, unsigned seed) : trackSeconds_(trackSeconds), random_(seed) {}

    void clear();
    void add(const std::string& track) { tracks_.push_back(track); }
    void play();   // from the start of the current track, or on from a pause
    void pause();  // toggles a pause while playing
    void stop();
    void setShuffle(bool on) { shuffle_ = on; }
    void setRepeat(bool on) { repeat_ = on; }
    // Lets seconds of playing time pass; tracks end and the next begin.
    void advance(int seconds);

    State state() const { return state_; }
    bool shuffle() const { return shuffle_; }
    bool repeat() const { return repeat_; }
    const std::vector<std::string>& tracks() const { return tracks_; }
    // 1-based position in the playlist; 0 when it is empty.
    int position() const { return tracks_.empty() ? 0 : static_cast<int>(index_) + 1; }
    std::string currentTrack() const { return tracks_.empty() ? std::string() : tracks_[index_]; }
    // "N. Title - Winamp", the title being the track's file name without
    // folder and extension; "[Stopped]" or "[Paused]" follow when not playing.
    std::string caption() const;

private:
    void next();

    int trackSeconds_;
    std::mt19937 random_;
    std::vector<std::string> tracks_;
    std::size_t index_ = 0;
    int elapsed_ = 0;
    State state_ = State::Stopped;
    bool shuffle_ = false;
    bool repeat_ = false;
};

// The title shown for a track path.
std::string trackTitle(const std::string& path);

}  // namespace standin
