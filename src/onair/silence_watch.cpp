#include "onair/silence_watch.h"

namespace airvane {

std::vector<SilenceEvent> SilenceWatch::observe(int64_t nowMs, bool onAir, std::optional<bool> playing) {
    std::vector<SilenceEvent> events;
    if (onAir && playing && !*playing) {
        if (!silentSince_) silentSince_ = nowMs;
        const int64_t length = nowMs - *silentSince_;
        if (length >= kSilenceRecordedMs && !recorded_) {
            recorded_ = true;
            events.push_back({SilenceEvent::Began, length});
        }
        if (length >= kSilenceAlertMs && !alerted_) {
            alerted_ = true;
            events.push_back({SilenceEvent::Alert, length});
        }
    } else if (!onAir || (playing && *playing)) {
        if (recorded_) events.push_back({SilenceEvent::Ended, nowMs - *silentSince_});
        silentSince_.reset();
        recorded_ = alerted_ = false;
    }
    return events;
}

}  // namespace airvane
