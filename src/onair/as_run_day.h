// A day's as-run, read from disk: the plan that the ConfigFile gives for the
// day (and for the day before, whose programmes may end in it) against the
// on-air records of the day and of the next. What `scdtool asrun` prints
// and the status server counts.
#pragma once

#include <cstdint>
#include <string>

#include "onair/as_run.h"

namespace airvane {

struct AsRunDay {
    bool recordReadable = true;  // false: the day's record exists but could not be read
    bool recordFound = false;
    std::size_t recordRows = 0;
    std::string recordPath;
    std::string planProblems;  // job files the plan could not read, a line each
    AsRunReport report;
};

// logFolder ends in a backslash. upTo: the plan's last second to judge; a
// day still going is judged up to now, or every programme still to come
// would count as missed.
AsRunDay asRunForDay(const std::string& configPath, const std::string& logFolder, int year, int month,
                     int day, int32_t upTo = 86399);

}  // namespace airvane
