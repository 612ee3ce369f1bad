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

// A day's plan: its lines ("HH:MM:SS start TITLE", "... end TITLE fade",
// "... load FILE", "... clock") and the end line that the next day brings
// to a programme still on air at midnight (PlanResult::endNextDay).
struct AsRunPlan {
    std::string actions;
    std::string endNextDay;
};

// The day's record (rows) against its plan; fadeoutTime: the lead of a
// fading end. A programme's end that falls at or after midnight is stamped
// and filed the next day: it is looked for in nextDayRows too, and the day
// before's plan says which ends in this day's record are that day's to
// judge rather than unplanned here.
AsRunReport reconcile(const AsRunPlan& plan, int32_t fadeoutTime, const std::vector<OnAirRow>& rows,
                      const std::vector<OnAirRow>& nextDayRows = {}, const AsRunPlan& dayBefore = {});

// The report as text for a terminal, and as CSV for a spreadsheet.
std::string asRunText(const AsRunReport& report);
std::string asRunCsv(const AsRunReport& report);

}  // namespace airvane
