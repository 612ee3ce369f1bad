#include "onair/as_run_day.h"

#include "scheduler/local_time.h"
#include "scheduler/plan.h"
#include "storage/config_file.h"
#include "storage/settings.h"

namespace airvane {

AsRunDay asRunForDay(const std::string& configPath, const std::string& logFolder, int year, int month,
                     int day, int32_t upTo) {
    AsRunDay result;
    result.recordPath = logFolder + onAirRecordName(year, month, day);
    const OnAirRecord record = readOnAirRecord(result.recordPath);
    result.recordReadable = record.readable;
    result.recordFound = record.found;
    result.recordRows = record.rows.size();
    if (!record.readable) return result;
    PlanRequest request;
    request.configPath = configPath;
    request.year = year, request.month = month, request.day = day;
    request.to = upTo;
    const PlanResult plan = runPlan(request);
    result.planProblems = plan.problems;
    // A programme's end past midnight is filed in the next day's record; the
    // day before's are in this day's.
    const LocalTime date = localTimeAt(year, month, day, 0);
    const LocalTime next = nextDay(date);
    const OnAirRecord nextRecord =
        readOnAirRecord(logFolder + onAirRecordName(next.year, next.month, next.day));
    PlanRequest before = request;
    const LocalTime previous = previousDay(date);
    before.year = previous.year, before.month = previous.month, before.day = previous.day;
    const PlanResult beforePlan = runPlan(before);
    result.report =
        reconcile({plan.actions, plan.endNextDay}, readSettings(ConfigFile(configPath)).fadeoutTime,
                  record.rows, nextRecord.rows, {beforePlan.actions, beforePlan.endNextDay});
    return result;
}

}  // namespace airvane
