// What the status server shows: a snapshot the UI thread makes at each tick
// and publishes, and its two faces, status.json and the page. Texts in the
// snapshot are in the system code page, as the program keeps them; both
// faces are UTF-8, every outside text escaped for its place.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "scheduler/local_time.h"

namespace airvane {

struct ProgrammeOnAir {
    std::string programme;  // the Schedule's title without ".m3u"
    std::string title;      // the player's title, cleaned
    int32_t startSec = 0;
    std::optional<int32_t> endSec;                // none: no end time
    std::optional<int64_t> positionMs, lengthMs;  // where the player says
};

struct NextProgramme {
    std::string programme;
    int32_t startSec = 0;
};

struct StatusSnapshot {
    LocalTime heartbeat;  // the tick that made it
    bool scheduler = true;
    bool playerFound = false;
    std::optional<ProgrammeOnAir> now;
    std::optional<NextProgramme> next;
    std::optional<LocalTime> silenceSince;
};

// The day's counts as `scdtool asrun` gives them.
struct TodayCounts {
    int planned = 0, onTime = 0, late = 0, missed = 0, cutShort = 0;
};

// "Morning.m3u" -> "Morning": cut at the last "." as the stream title does.
std::string programmeName(std::string_view scheduleText);
// "2026-12-09T07:00:05.250", ISO 8601 local time.
std::string isoLocalTime(const LocalTime& time);
// "HH:MM:SS" of a second of the day.
std::string dayClock(int32_t daySeconds);

// A JSON string literal with its quotes; the text is UTF-8 already.
std::string jsonString(std::string_view utf8);

std::string statusJson(const StatusSnapshot& snapshot, const std::optional<TodayCounts>& today);
// The page in Korean: self-contained, refreshing itself every 5 s.
std::string statusPage(const StatusSnapshot& snapshot, const std::optional<TodayCounts>& today);

// The UI thread publishes, the server's threads read: the lock is held for
// the swap of one pointer, never while a snapshot is made or shown.
class StatusBoard {
public:
    void publish(StatusSnapshot snapshot) {
        auto made = std::make_shared<const StatusSnapshot>(std::move(snapshot));
        std::lock_guard lock(mutex_);
        latest_.swap(made);
    }
    // Null until the first tick.
    std::shared_ptr<const StatusSnapshot> read() const {
        std::lock_guard lock(mutex_);
        return latest_;
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<const StatusSnapshot> latest_;
};

}  // namespace airvane
