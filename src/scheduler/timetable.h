// The station's weekly timetable as stations print and publish it: one
// self-contained HTML page (no scripts, no outside files) with seven day
// columns, a block per programme from its start to its end (or to the next
// start), loading swaps marked. Made from the same simulation as the plan.
#pragma once

#include <string>
#include <vector>

#include "scheduler/plan.h"

namespace airvane {

struct TimetableBlock {
    std::string title;
    int32_t start = 0;
    int32_t end = 86400;  // DaySeconds; 86400 when it plays past midnight
    int32_t softStartSec = 0;  // a soft start: how long it may wait for the song before it
    int32_t softEndSec = 0;    // a soft end: how long its last song may run on
};

struct TimetableDay {
    int year = 0, month = 0, day = 0, dayOfWeek = 0;
    std::vector<TimetableBlock> blocks;
    std::vector<std::pair<int32_t, std::string>> loads;  // when, which job file
};

// The day's blocks from a plan's actions ("HH:MM:SS start TITLE", ...). A
// faded end comes fadeoutSeconds before the programme's end time.
TimetableDay timetableDay(const PlanRequest& day, const std::string& actions, int32_t fadeoutSeconds);

// The page for seven days.
std::string timetableHtml(const std::vector<TimetableDay>& week);

// Text made safe for HTML: & < > " '.
std::string escapeHtml(const std::string& text);

}  // namespace airvane
