// What is on air and what comes next, read cheaply from the Schedules the
// tick already holds (no plan is run on the UI thread): the next programme
// is the live tree's, so a loading schedule later in the day that replaces
// the tree is not foreseen.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scheduler/scheduler_tick.h"
#include "status/status_snapshot.h"

namespace airvane {

// The Schedule marked as playing, with the player's cleaned title.
std::optional<ProgrammeOnAir> programmeOnAirIn(const std::vector<ScheduleRef>& schedules,
                                               const std::string& cleanedTitle);
// The first start after now today among the Schedules that play today; in
// tree order on a tie, as the tick would start them.
std::optional<NextProgramme> nextProgrammeIn(const std::vector<ScheduleRef>& schedules, const LocalTime& now);

// The local time milliseconds before now (for a silence's beginning, known
// as a tick count).
LocalTime localTimeBefore(const LocalTime& now, int64_t milliseconds);

}  // namespace airvane
