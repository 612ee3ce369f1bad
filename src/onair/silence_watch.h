// Dead air while a programme should be on air: the player reporting "not
// playing" for 5 s is a silence (recorded), for 30 s an alert; when sound
// comes back, or nothing should play any more, the gap's length is told.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace airvane {

inline constexpr int64_t kSilenceRecordedMs = 5'000;
inline constexpr int64_t kSilenceAlertMs = 30'000;

struct SilenceEvent {
    enum Kind { Began, Alert, Ended } kind;
    int64_t lengthMs;  // since the player first said it was not playing
};

class SilenceWatch {
public:
    // Once a tick: whether a programme should be on air, and what the player
    // last said (none: no answer yet, which changes nothing).
    std::vector<SilenceEvent> observe(int64_t nowMs, bool onAir, std::optional<bool> playing);

    // When the silence recorded now began (by nowMs's clock); none while
    // there is none, or it is shorter than kSilenceRecordedMs.
    std::optional<int64_t> recordedSilenceSince() const { return recorded_ ? silentSince_ : std::nullopt; }

private:
    std::optional<int64_t> silentSince_;
    bool recorded_ = false;
    bool alerted_ = false;
};

}  // namespace airvane
