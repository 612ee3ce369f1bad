// The day's on-air record set against the day's plan: for every planned
// action what happened (on time, late, missed, cut short), everything that
// happened that was not planned, and the totals.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "onair/on_air_record.h"

namespace airvane {

struct AsRunLine {
    std::string planned;   // "HH:MM:SS" of the plan; empty for what was not planned
    std::string action;    // start, end, load, clock; the event for what was not planned
    std::string title;
    std::string verdict;   // on time, late, missed, cut short, not loaded, not set, started by hand, unplanned
    std::optional<int64_t> lateMs;
    std::string happened;  // "HH:MM:SS.mmm" of the record's row; empty when nothing happened
    std::string detail;
};

struct AsRunReport {
    std::vector<AsRunLine> lines;
    int planned = 0, onTime = 0, late = 0, missed = 0, cutShort = 0;
    int64_t silenceMs = 0;
    bool toPlan() const;
};

// actions: the plan's lines ("HH:MM:SS start TITLE", "... end TITLE fade",
// "... load FILE", "... clock"); fadeoutTime: the lead of a fading end.
AsRunReport reconcile(const std::string& actions, int32_t fadeoutTime, const std::vector<OnAirRow>& rows);

// The report as text for a terminal, and as CSV for a spreadsheet.
std::string asRunText(const AsRunReport& report);
std::string asRunCsv(const AsRunReport& report);

}  // namespace airvane
