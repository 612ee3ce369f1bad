#include "onair/level_meter.h"

#include <cmath>

namespace airvane {

namespace {

double dbOf(double sumOfSquares, std::size_t count) {
    if (count == 0 || sumOfSquares <= 0) return kNoSoundDb;
    const double db = 10.0 * std::log10(sumOfSquares / static_cast<double>(count));
    return db < kNoSoundDb ? kNoSoundDb : db;
}

}  // namespace

double rmsDbfs(const float* samples, std::size_t count) {
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += double{samples[i]} * samples[i];
    return dbOf(sum, count);
}

double rmsDbfs(const int16_t* samples, std::size_t count) {
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double s = samples[i] / 32768.0;
        sum += s * s;
    }
    return dbOf(sum, count);
}

void LevelWatch::close(int64_t second) {
    lastDb_ = dbOf(sum_, samples_);
    if (lastDb_ < levelDb_) {
        if (!silentSince_) silentSince_ = second * 1000;
    } else {
        silentSince_.reset();
    }
    sum_ = 0;
    samples_ = 0;
}

void LevelWatch::packet(int64_t nowMs, double sumOfSquares, std::size_t samples) {
    silentSince(nowMs);  // closes the seconds that ended before this packet
    sum_ += sumOfSquares;
    samples_ += samples;
}

std::optional<int64_t> LevelWatch::silentSince(int64_t nowMs) {
    const int64_t second = nowMs / 1000;
    if (!started_) {
        started_ = true;
        second_ = second;
    }
    // Every second that ended is closed; one that had no packet is silent.
    while (second_ < second) {
        close(second_);
        ++second_;
    }
    return silentSince_;
}

}  // namespace airvane
