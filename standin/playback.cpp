#include "playback.h"

namespace standin {

std::string trackTitle(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

void Playback::clear() {
    tracks_.clear();
    index_ = 0;
    elapsed_ = 0;
    state_ = State::Stopped;
}

void Playback::play() {
    if (tracks_.empty()) return;
    if (state_ != State::Paused) elapsed_ = 0;
    state_ = State::Playing;
}

void Playback::pause() {
    if (state_ == State::Playing) state_ = State::Paused;
    else if (state_ == State::Paused) state_ = State::Playing;
}

void Playback::stop() {
    state_ = State::Stopped;
    elapsed_ = 0;
}

void Playback::next() {
    if (shuffle_ && tracks_.size() > 1) {
        std::uniform_int_distribution<std::size_t> pick(0, tracks_.size() - 2);
        std::size_t other = pick(random_);
        index_ = other >= index_ ? other + 1 : other;  // any track but this one
        return;
    }
    if (index_ + 1 < tracks_.size()) {
        ++index_;
    } else if (repeat_) {
        index_ = 0;
    } else {
        state_ = State::Stopped;  // the end of the list
    }
}

void Playback::advance(int seconds) {
    if (state_ != State::Playing || trackSeconds_ <= 0) return;
    elapsed_ += seconds;
    while (state_ == State::Playing && elapsed_ >= trackSeconds_) {
        elapsed_ -= trackSeconds_;
        next();
    }
}

std::string Playback::caption() const {
    if (tracks_.empty()) return "Winamp";
    std::string caption = std::to_string(position()) + ". " + trackTitle(currentTrack()) + " - Winamp";
    if (state_ == State::Stopped) caption += " [Stopped]";
    if (state_ == State::Paused) caption += " [Paused]";
    return caption;
}

}  // namespace standin
