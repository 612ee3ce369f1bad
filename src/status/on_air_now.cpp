#include "status/on_air_now.h"

namespace airvane {

std::optional<ProgrammeOnAir> programmeOnAirIn(const std::vector<ScheduleRef>& schedules,
                                               const std::string& cleanedTitle) {
    for (const ScheduleRef& schedule : schedules) {
        const ScheduleNode& record = *schedule.record;
        if (!record.playing) continue;
        ProgrammeOnAir now;
        now.programme = programmeName(record.text);
        now.title = cleanedTitle;
        now.startSec = record.startSec;
        if (record.endSec != kNoEndTime) now.endSec = record.endSec;
        return now;
    }
    return std::nullopt;
}

std::optional<NextProgramme> nextProgrammeIn(const std::vector<ScheduleRef>& schedules,
                                             const LocalTime& now) {
    const int32_t second = daySecondsOf(now);
    const ScheduleNode* next = nullptr;
    for (const ScheduleRef& schedule : schedules) {
        const ScheduleNode& record = *schedule.record;
        if (record.playing || record.startSec <= second || (record.weekdays & (1 << now.dayOfWeek)) == 0 ||
            !matchesDate(record.year, record.month, record.day, now))
            continue;
        if (!next || record.startSec < next->startSec) next = &record;
    }
    if (!next) return std::nullopt;
    return NextProgramme{programmeName(next->text), next->startSec};
}

LocalTime localTimeBefore(const LocalTime& now, int64_t milliseconds) {
    const int64_t at = int64_t{daySecondsOf(now)} * 1000 + now.millisecond - milliseconds;
    LocalTime day = now;
    int64_t ms = at;
    while (ms < 0) {
        day = previousDay(day);
        ms += 86'400'000;
    }
    LocalTime result = localTimeAt(day.year, day.month, day.day, static_cast<int32_t>(ms / 1000));
    result.millisecond = static_cast<int>(ms % 1000);
    return result;
}

}  // namespace airvane
