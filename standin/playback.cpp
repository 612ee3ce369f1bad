#include "playback.h"

#include <algorithm>
#include <cstdlib>

namespace standin {

std::string trackTitle(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::vector<int> parseTrackLengths(const std::string& text) {
    std::vector<int> lengths;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t comma = text.find(',', at);
        const std::string part = text.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
        char* end = nullptr;
        const long seconds = std::strtol(part.c_str(), &end, 10);
        if (part.empty() || *end != '\0' || seconds <= 0) return {};
        lengths.push_back(static_cast<int>(seconds));
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    return lengths;
}

Playback::Playback(std::vector<int> trackSeconds, unsigned seed)
    : trackSeconds_(trackSeconds.empty() ? std::vector<int>{20} : std::move(trackSeconds)), random_(seed) {}

int64_t Playback::lengthOf(std::size_t index) const {
    const std::size_t place = index < trackSeconds_.size() ? index : trackSeconds_.size() - 1;
    return int64_t{trackSeconds_[place]} * 1000;
}

void Playback::clear() {
    tracks_.clear();
    index_ = 0;
    elapsedMs_ = 0;
    state_ = State::Stopped;
}

void Playback::play() {
    if (tracks_.empty()) return;
    if (state_ != State::Paused) elapsedMs_ = 0;
    state_ = State::Playing;
}

void Playback::pause() {
    if (state_ == State::Playing) state_ = State::Paused;
    else if (state_ == State::Paused) state_ = State::Playing;
}

void Playback::stop() {
    state_ = State::Stopped;
    elapsedMs_ = 0;
}

bool Playback::setListIndex(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= tracks_.size()) return false;
    index_ = static_cast<std::size_t>(index);
    elapsedMs_ = 0;
    return true;
}

int Playback::jumpTo(int64_t milliseconds) {
    if (state_ == State::Stopped || tracks_.empty()) return -1;
    if (lengthOf(index_) > 0 && milliseconds >= lengthOf(index_)) return 1;
    elapsedMs_ = milliseconds < 0 ? 0 : milliseconds;
    return 0;
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

void Playback::advanceMs(int64_t milliseconds) {
    if (state_ != State::Playing || tracks_.empty() || milliseconds <= 0) return;
    if (freezeAfterMs_ >= 0) {
        const int64_t room = std::max<int64_t>(0, freezeAfterMs_ - playedMs_);
        playedMs_ += milliseconds;
        milliseconds = std::min(milliseconds, room);
        if (milliseconds == 0) return;
    }
    elapsedMs_ += milliseconds;
    // A length of 0 or less: tracks that never end.
    while (state_ == State::Playing && lengthOf(index_) > 0 && elapsedMs_ >= lengthOf(index_)) {
        elapsedMs_ -= lengthOf(index_);
        next();
    }
    if (state_ == State::Stopped) elapsedMs_ = 0;
}

std::string Playback::caption() const {
    if (tracks_.empty()) return "Winamp";
    std::string caption = std::to_string(position()) + ". " + trackTitle(currentTrack()) + " - Winamp";
    if (state_ == State::Stopped) caption += " [Stopped]";
    if (state_ == State::Paused) caption += " [Paused]";
    return caption;
}

}  // namespace standin
