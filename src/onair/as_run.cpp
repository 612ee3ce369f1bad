#include "onair/as_run.h"

#include <cstdio>
#include <sstream>

#include "model/node_label.h"
#include "scheduler/plan.h"

namespace airvane {

namespace {

constexpr int64_t kOnTimeMs = 1000;

struct PlannedAction {
    int32_t second = 0;
    std::string verb;
    std::string subject;  // the title or the job file
    bool fade = true;
    bool nextDay = false;  // the end line falls on the next day
    std::optional<int32_t> window;  // a soft start or end: how long it may wait for the song's end
};

std::vector<PlannedAction> parseActions(const std::string& actions, bool nextDay = false) {
    std::vector<PlannedAction> planned;
    std::istringstream lines(actions);
    std::string line;
    while (std::getline(lines, line)) {
        PlannedAction action;
        action.nextDay = nextDay;
        if (line.size() < 10 || !parsePlanTime(line.substr(0, 8), action.second)) continue;
        const std::string rest = line.substr(9);
        const std::size_t blank = rest.find(' ');
        action.verb = rest.substr(0, blank);
        action.subject = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
        action.window = takeSoftWindow(action.subject);
        if (action.window) action.fade = false;  // a soft end's row is due at the end time itself
        else if (action.verb == "end") {
            const std::size_t last = action.subject.rfind(' ');
            action.fade = action.subject.substr(last + 1) == "fade";
            action.subject.resize(last == std::string::npos ? 0 : last);
        }
        planned.push_back(std::move(action));
    }
    return planned;
}

// The plan's lines, the end line of the next day last.
std::vector<PlannedAction> plannedActions(const AsRunPlan& plan) {
    std::vector<PlannedAction> planned = parseActions(plan.actions);
    for (PlannedAction& carried : parseActions(plan.endNextDay, true)) planned.push_back(std::move(carried));
    return planned;
}

// When a planned end's stop is due, and whether that falls at or after the
// midnight that ends the plan's day (the stop, and its row, come then).
int32_t endDue(const PlannedAction& action, int32_t fadeoutTime, bool& pastMidnight) {
    const int32_t due = action.second + (action.fade ? fadeoutTime : 0);
    pastMidnight = action.nextDay || due >= 86400;
    return due % 86400;
}

class Matcher {
public:
    explicit Matcher(const std::vector<OnAirRow>& rows) : rows_(rows), used_(rows.size(), false) {}

    // The first row not yet used of one of the events, with that title,
    // due from `before` seconds before the plan's second to `after` after
    // it (a start is due at its Schedule's second, and the plan may start it
    // up to 2 s into its window; a tick a second late moves an end); null when none.
    const OnAirRow* take(std::initializer_list<std::string_view> events, const std::string& title, int32_t planned,
             int32_t before = 2, int32_t after = 2) {
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const OnAirRow& row = rows_[i];
            if (used_[i] || row.title != title || !row.dueSec) continue;
            const int32_t ahead = ((*row.dueSec - planned) % 86400 + 86400 + 43200) % 86400 - 43200;
            if (ahead < -before || ahead > after) continue;
            for (std::string_view event : events) {
                if (row.event == event) {
                    used_[i] = true;
                    return &row;
                }
            }
        }
        return nullptr;
    }
    // What cut the programme started at start short: the first silence,
    // lost player or operator's stop before it ended or another began.
    const OnAirRow* cutAfter(const OnAirRow* start) const {
        for (const OnAirRow* row = start + 1; row != rows_.data() + rows_.size(); ++row) {
            const std::string& event = row->event;
            if ((event == onair::kEnd && row->title == start->title) || event == onair::kStart || event == onair::kPlay)
                return nullptr;
            if (event == onair::kSilent || event == onair::kPlayerLost || event == onair::kOperatorStop) return row;
        }
        return nullptr;
    }
    bool used(std::size_t i) const { return used_[i]; }

private:
    const std::vector<OnAirRow>& rows_;
    std::vector<bool> used_;
};

// On time or late, from the row's own measure; a soft start or end is on
// time anywhere in its window, and says how long it waited.
void judgeTiming(AsRunLine& line, const OnAirRow& row, std::optional<int32_t> window = std::nullopt) {
    line.happened = clockTextWithMilliseconds(row.when);
    line.lateMs = row.lateMs.value_or(0);
    const int64_t allowed = kOnTimeMs + (window ? int64_t{*window} * 1000 : 0);
    line.verdict = *line.lateMs > allowed || *line.lateMs < -kOnTimeMs ? "late" : "on time";
    if (window) line.detail = "waited " + std::to_string(row.lengthMs.value_or(0)) + " ms for the song's end";
}

}  // namespace

bool AsRunReport::toPlan() const {
    for (const AsRunLine& line : lines) {
        if (line.verdict != "on time") return false;
    }
    return true;
}

AsRunReport reconcile(const AsRunPlan& plan, int32_t fadeoutTime, const std::vector<OnAirRow>& rows,
                      const std::vector<OnAirRow>& nextDayRows, const AsRunPlan& dayBefore) {
    AsRunReport report;
    Matcher matcher(rows);
    Matcher nextDay(nextDayRows);
    // First, so that this day's own ends past midnight cannot take them:
    // the day before's ends that came after midnight, judged in its report.
    for (const PlannedAction& action : plannedActions(dayBefore)) {
        bool pastMidnight = false;
        const int32_t due = action.verb == "end" ? endDue(action, fadeoutTime, pastMidnight) : 0;
        if (pastMidnight) matcher.take({onair::kEnd, onair::kNotEnded}, action.subject, due);
    }
    for (const PlannedAction& action : plannedActions(plan)) {
        AsRunLine line{clockText(action.second), action.verb, action.subject, "missed", std::nullopt, {}, {}};
        if (action.verb == "start") {
            ++report.planned;
            if (const OnAirRow* started = matcher.take({onair::kStart}, action.subject, action.second, 2, 0)) {
                judgeTiming(line, *started, action.window);
                ++(line.verdict == "late" ? report.late : report.onTime);
                if (const OnAirRow* why = matcher.cutAfter(started)) {
                    line.verdict = "cut short";
                    line.detail = why->event + " " + clockTextWithMilliseconds(why->when);
                    ++report.cutShort;
                }
            } else {
                ++report.missed;
                if (const OnAirRow* refused = matcher.take({onair::kNotStarted}, action.subject, action.second, 2, 0))
                    line.detail = refused->detail;
            }
        } else if (action.verb == "end") {
            bool pastMidnight = false;
            const int32_t due = endDue(action, fadeoutTime, pastMidnight);
            // A soft end the player could not tell about fades from its end time.
            const int32_t after = action.window ? 2 + fadeoutTime : 2;
            const OnAirRow* ended =
                action.nextDay ? nullptr : matcher.take({onair::kEnd, onair::kNotEnded}, action.subject, due, 2, after);
            if (!ended && pastMidnight)
                ended = nextDay.take({onair::kEnd, onair::kNotEnded}, action.subject, due, 2, after);
            if (ended) {
                judgeTiming(line, *ended, action.window);
                if (ended->event == onair::kNotEnded) {
                    line.verdict = "not ended";
                    line.detail = ended->detail;
                }
            }
        } else if (action.verb == "load") {
            if (const OnAirRow* loaded = matcher.take({onair::kLoad, onair::kNotLoaded}, action.subject, action.second)) {
                judgeTiming(line, *loaded);
                if (loaded->event == onair::kNotLoaded) {
                    line.verdict = "not loaded";
                    line.detail = loaded->detail;
                }
            }
        } else if (action.verb == "clock") {
            if (const OnAirRow* clock = matcher.take({onair::kClockSet, onair::kClockNotSet}, "", action.second)) {
                judgeTiming(line, *clock);
                if (clock->event == onair::kClockNotSet) line.verdict = "not set";
            }
        }
        report.lines.push_back(std::move(line));
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const OnAirRow& row = rows[i];
        if (row.event == onair::kSilenceEnd) report.silenceMs += row.lengthMs.value_or(0);
        if (matcher.used(i)) continue;
        const bool byHand = row.event == onair::kPlay;
        report.lines.push_back({"", row.event, row.title, byHand ? "started by hand" : "unplanned", row.lateMs,
                                clockTextWithMilliseconds(row.when), row.detail});
    }
    return report;
}

std::string asRunText(const AsRunReport& report) {
    std::string text;
    for (const AsRunLine& line : report.lines) {
        std::string verdict = line.verdict;
        if (verdict == "late") verdict = "late by " + std::to_string(*line.lateMs) + " ms";
        text += (line.planned.empty() ? "        " : line.planned) + " " + line.action;
        if (!line.title.empty()) text += " " + line.title;
        text += ": " + verdict;
        if (!line.happened.empty()) text += " (" + line.happened + ")";
        if (!line.detail.empty()) text += " " + line.detail;
        text += "\n";
    }
    char totals[200];
    std::snprintf(totals, sizeof totals,
                  "programmes planned %d, aired on time %d, late %d, missed %d, cut short %d; "
                  "silence while on air %lld s\n",
                  report.planned, report.onTime, report.late, report.missed, report.cutShort,
                  static_cast<long long>(report.silenceMs / 1000));
    return text + totals;
}

std::string asRunCsv(const AsRunReport& report) {
    std::string csv = "planned,action,title,verdict,late_ms,happened,detail\r\n";
    for (const AsRunLine& line : report.lines) {
        csv += csvLine({line.planned, line.action, textForSpreadsheet(line.title), line.verdict,
                        line.lateMs ? std::to_string(*line.lateMs) : std::string(), line.happened,
                        textForSpreadsheet(line.detail)});
    }
    const std::pair<const char*, int64_t> totals[] = {
        {"programmes planned", report.planned}, {"aired on time", report.onTime}, {"late", report.late},
        {"missed", report.missed},             {"cut short", report.cutShort},  {"silence while on air (s)", report.silenceMs / 1000}};
    for (const auto& [name, count] : totals) csv += std::string(",total,") + name + "," + std::to_string(count) + ",,,\r\n";
    return csv;
}

}  // namespace airvane
