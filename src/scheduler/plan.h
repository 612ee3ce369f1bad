// A day's plan: the scheduler's own tick run over a day, one tick a second,
// on the settings, loading schedules and job files that a ConfigFile names.
// It answers "what goes on air on that day, and when", and touches no file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/schedule_node.h"
#include "scheduler/local_time.h"

namespace airvane {

struct PlanRequest {
    std::string configPath;
    int year = 0, month = 0, day = 0;
    int32_t from = 0;      // DaySeconds of the first tick
    int32_t to = 86399;    // DaySeconds of the last tick
    // Tick every second even where no tick can act (the reference the
    // faster plan is tested against).
    bool everySecond = false;
};

struct PlanResult {
    // One line per action, in order: "HH:MM:SS start TITLE", "HH:MM:SS end
    // TITLE fade|nofade", "HH:MM:SS load JOBFILE", "HH:MM:SS clock". A soft
    // start or end (the song on air may run on) is a window from its second:
    // "HH:MM:SS start TITLE (at song end, up to 30 s)", "HH:MM:SS end TITLE
    // (at song end, up to 30 s)".
    std::string actions;
    // One line per job file that could not be read (a drive-letter path
    // natively, a missing file, an unknown one).
    std::string problems;
    // A Schedule still playing after the day's last second ends the next
    // day (23:50 to 00:10): its end line, as the next day's tick makes it,
    // with that day's second; empty when none plays on or it has no end.
    std::string endNextDay;
};

PlanResult runPlan(const PlanRequest& request);

// The programme that the plan has on air at now: the last one handed over
// today from 00:00:00 up to now and not faded out since (a no-fade
// programme still plays after its end, until another starts), or, when
// today has none yet, the one begun the evening before that still plays.
// Nothing when none.
struct OnAirProgramme {
    std::string title;
    int32_t startSec = 0;
    int32_t endSec = 0;
    ScheduleNode schedule;  // its stored fields: weekdays and date tell it from a namesake
    // The job file the plan shows at now: a loading time passed while
    // Airvane was not running leaves another one in Airvane.
    std::string jobFile;
    bool fromDayBefore = false;
};
std::optional<OnAirProgramme> onAirAt(const std::string& configPath, const LocalTime& now);

// " (at song end, up to N s)": what follows the title of a soft start or end.
std::string softWindowText(int32_t limitSec);
// Takes that window off the end of a plan line's subject: its N, or none.
std::optional<int32_t> takeSoftWindow(std::string& subject);

// "YYYY-MM-DD" and "HH:MM:SS"; false when the text is no such date or time.
bool parsePlanDate(const std::string& text, PlanRequest& request);
bool parsePlanTime(const std::string& text, int32_t& daySeconds);

}  // namespace airvane
