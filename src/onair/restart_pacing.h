// KeepOnAir's patience with a player that will not stay: restarts spaced
// ever wider, and a programme that keeps making the player die left alone.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

namespace airvane {

// A missing player is started at once, then after 30 s, 1 min, 2 min, 4 min
// and every 5 min, until its window is found again. A player that lived a
// minute and died is started again at once; so is one that died quickly
// once. One that keeps dying quickly gets the growing wait.
class RestartPacer {
public:
    static constexpr int64_t kFirstWaitMs = 30'000;
    static constexpr int64_t kLongestWaitMs = 300'000;
    static constexpr int64_t kLivedMs = 60'000;

    bool due(int64_t nowMs) const { return !next_ || nowMs >= *next_; }
    void tried(int64_t nowMs) {
        next_ = nowMs + std::min(kFirstWaitMs << std::min(tries_, 4), kLongestWaitMs);
        ++tries_;
    }
    void found(int64_t nowMs) { foundAt_ = nowMs; }
    void lost(int64_t nowMs) {
        const bool quickly = foundAt_ && nowMs - *foundAt_ < kLivedMs;
        quickDeaths_ = quickly ? quickDeaths_ + 1 : 0;
        foundAt_.reset();
        if (quickDeaths_ > 1) return;
        next_.reset();
        tries_ = 0;
    }
    int tries() const { return tries_; }

private:
    std::optional<int64_t> next_;
    std::optional<int64_t> foundAt_;
    int tries_ = 0;
    int quickDeaths_ = 0;
};

// A player that dies within a minute of a rejoin, three times running with
// the same programme, gets that programme no more until another begins.
class RejoinCrashGuard {
public:
    static constexpr int64_t kSoonMs = 60'000;
    static constexpr int kTimes = 3;

    void rejoined(const std::string& title, int64_t nowMs) {
        if (title != title_) quickDeaths_ = 0;
        title_ = title;
        rejoinedAt_ = nowMs;
    }
    void playerLost(int64_t nowMs) {
        if (!rejoinedAt_) return;
        quickDeaths_ = nowMs - *rejoinedAt_ < kSoonMs ? quickDeaths_ + 1 : 0;
        rejoinedAt_.reset();
    }
    bool refuses(const std::string& title) const { return quickDeaths_ >= kTimes && title == title_; }
    // The tick (or the operator) put another programme on air.
    void programmeBegan(const std::string& title) {
        if (title == title_) return;
        title_.clear();
        quickDeaths_ = 0;
        rejoinedAt_.reset();
    }

private:
    std::string title_;
    std::optional<int64_t> rejoinedAt_;
    int quickDeaths_ = 0;
};

}  // namespace airvane
