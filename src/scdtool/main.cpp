// scdtool: the schedule-file companion of Airvane, on the same code as the
// scheduler.
//   scdtool check FILE        what the scheduler would not take, or take differently
//   scdtool check --config INI [--drive D=/path]... [--from YYYY-MM-DD]
//                             the station checked before it goes on air
//   scdtool convert IN OUT    IN written as OUT (INI form when OUT ends in .INI)
//   scdtool timetable --config INI --week YYYY-MM-DD
//                             the week's timetable from that day, as an HTML page
//   scdtool plan --config INI --date YYYY-MM-DD [--from HH:MM:SS] [--to HH:MM:SS]
//                             what the scheduler would do on that day, second by second
//   scdtool asrun --config INI --date YYYY-MM-DD [--log FOLDER] [--csv]
//                             that day's on-air record set against its plan
//   scdtool played --config INI --date YYYY-MM-DD [--log FOLDER] [--csv]
//                             that day's as-played list: every track, how long it played
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#include <cctype>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "model/memory_tree.h"
#include "onair/as_played.h"
#include "onair/as_run.h"
#include "onair/as_run_day.h"
#include "onair/on_air_record.h"
#include "scheduler/local_time.h"
#include "scheduler/plan.h"
#include "scheduler/station_check.h"
#include "scheduler/timetable.h"
#include "storage/config_file.h"
#include "storage/filesystem.h"
#include "storage/settings.h"
#include "storage/text.h"
#include "storage/schedule_file.h"

namespace airvane {
namespace {

constexpr int kClean = 0;
constexpr int kProblems = 1;
constexpr int kFailed = 2;

int usage() {
    std::fputs("usage: scdtool check FILE\n"
               "       scdtool check --config INI [--drive D=/path]... [--from YYYY-MM-DD]\n"
               "       scdtool convert IN OUT\n"
               "       scdtool timetable --config INI --week YYYY-MM-DD\n"
               "       scdtool plan --config INI --date YYYY-MM-DD [--from HH:MM:SS] [--to HH:MM:SS]\n"
               "       scdtool asrun --config INI --date YYYY-MM-DD [--log FOLDER] [--csv]\n"
               "       scdtool played --config INI --date YYYY-MM-DD [--log FOLDER] [--csv]\n",
               stderr);
    return kFailed;
}

// Prints what a load of path met; the outcome of that load.
LoadOutcome readReported(MemoryTree& tree, const std::string& path, std::vector<ScheduleProblem>& problems) {
    LoadOutcome outcome = loadScheduleFile(tree, path, nullptr, &problems);
    if (outcome == LoadOutcome::Loaded) checkTitles(tree, problems);
    for (const ScheduleProblem& problem : problems) {
        std::printf("%s: %s: %s\n", path.c_str(), problem.where.c_str(), problem.what.c_str());
    }
    return outcome;
}

int check(const std::string& path) {
    MemoryTree tree;
    std::vector<ScheduleProblem> problems;
    LoadOutcome outcome = readReported(tree, path, problems);
    if (outcome == LoadOutcome::Unreadable) return kFailed;
    return problems.empty() ? kClean : kProblems;
}

// The station that an INI describes, over the coming year (from today or
// from --from).
int checkStationCommand(const std::vector<std::string>& args) {
    StationCheckRequest request;
    const std::time_t now = std::time(nullptr);
    const std::tm* today = std::localtime(&now);
    PlanRequest from;
    from.year = today->tm_year + 1900;
    from.month = today->tm_mon + 1;
    from.day = today->tm_mday;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return usage();
        const std::string& name = args[i];
        const std::string& value = args[i + 1];
        if (name == "--config") request.configPath = value;
        else if (name == "--drive" && value.size() > 2 && value[1] == '=')
            request.drives[static_cast<char>(std::toupper(static_cast<unsigned char>(value[0])))] = value.substr(2);
        else if (name == "--from" && parsePlanDate(value, from)) continue;
        else return usage();
    }
    if (request.configPath.empty()) return usage();
    if (pathKind(request.configPath) != 1) {
        std::fprintf(stderr, "scdtool: %s cannot be read\n", request.configPath.c_str());
        return kFailed;
    }
    request.year = from.year;
    request.month = from.month;
    request.day = from.day;
    const std::vector<StationProblem> problems = checkStation(request);
    for (const StationProblem& p : problems) std::printf("%s: %s: %s\n", p.file.c_str(), p.where.c_str(), p.what.c_str());
    return problems.empty() ? kClean : kProblems;
}

int convert(const std::string& in, const std::string& out) {
    MemoryTree tree;
    std::vector<ScheduleProblem> problems;
    LoadOutcome outcome = readReported(tree, in, problems);
    if (outcome != LoadOutcome::Loaded) {
        std::fprintf(stderr, "scdtool: %s is no schedule file that can be read; nothing written\n", in.c_str());
        return kFailed;
    }
    if (!writeScheduleFile(tree, out)) {
        std::fprintf(stderr, "scdtool: %s cannot be written\n", out.c_str());
        return kFailed;
    }
    return kClean;
}

// Seven days planned from the first, as one page on standard output.
int timetable(const std::vector<std::string>& args) {
    if (args.size() != 5 || args[1] != "--config" || args[3] != "--week") return usage();
    PlanRequest request;
    request.configPath = args[2];
    if (!parsePlanDate(args[4], request)) {
        std::fprintf(stderr, "scdtool: %s is no date (YYYY-MM-DD)\n", args[4].c_str());
        return kFailed;
    }
    if (pathKind(request.configPath) != 1) {
        std::fprintf(stderr, "scdtool: %s cannot be read\n", request.configPath.c_str());
        return kFailed;
    }
    const int32_t fade = readSettings(ConfigFile(request.configPath)).fadeoutTime;
    std::vector<TimetableDay> week;
    for (int d = 0; d < 7; ++d) {
        const PlanResult result = runPlan(request);
        std::fputs(result.problems.c_str(), stderr);
        week.push_back(timetableDay(request, result.actions, fade));
        const LocalTime next = nextDay(localTimeAt(request.year, request.month, request.day, 0));
        request.year = next.year, request.month = next.month, request.day = next.day;
    }
    std::fputs(timetableHtml(week).c_str(), stdout);
    return kClean;
}

int plan(const std::vector<std::string>& args) {
    PlanRequest request;
    bool haveDate = false;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return usage();
        const std::string& name = args[i];
        const std::string& value = args[i + 1];
        bool ok = true;
        if (name == "--config") request.configPath = value;
        else if (name == "--date") ok = haveDate = parsePlanDate(value, request);
        else if (name == "--from") ok = parsePlanTime(value, request.from);
        else if (name == "--to") ok = parsePlanTime(value, request.to);
        else return usage();
        if (!ok) {
            std::fprintf(stderr, "scdtool: %s %s is no date or time (YYYY-MM-DD, HH:MM:SS)\n", name.c_str(),
                         value.c_str());
            return kFailed;
        }
    }
    if (request.configPath.empty() || !haveDate) return usage();
    if (pathKind(request.configPath) != 1) {
        std::fprintf(stderr, "scdtool: %s cannot be read\n", request.configPath.c_str());
        return kFailed;
    }
    const PlanResult result = runPlan(request);
    std::fputs(result.actions.c_str(), stdout);
    std::fputs(result.problems.c_str(), stderr);
    return kClean;
}

// The record is read from the LOG folder beside the INI (where Airvane
// keeps it) unless --log names another.
std::string recordFolder(const std::string& configPath, std::string logFolder) {
    if (logFolder.empty()) {
        const std::size_t slash = configPath.find_last_of("\\/");
        logFolder = (slash == std::string::npos ? std::string() : configPath.substr(0, slash + 1)) + "LOG";
    }
    ensureBackslash(logFolder);
    return logFolder;
}

// The arguments asrun and played share; false (usage said) when they are not.
struct DayRequest {
    PlanRequest plan;
    std::string logFolder;
    bool csv = false;
};
bool readDayRequest(const std::vector<std::string>& args, DayRequest& day) {
    bool haveDate = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--csv") {
            day.csv = true;
            continue;
        }
        if (i + 1 >= args.size()) return false;
        const std::string& name = args[i];
        const std::string& value = args[++i];
        if (name == "--config") day.plan.configPath = value;
        else if (name == "--log") day.logFolder = value;
        else if (name == "--date" && parsePlanDate(value, day.plan)) haveDate = true;
        else return false;
    }
    return !day.plan.configPath.empty() && haveDate;
}

void binaryStdout(bool csv) {
#ifdef _WIN32
    if (csv) _setmode(_fileno(stdout), _O_BINARY);  // the CSV's own CR LF, not doubled
#else
    (void)csv;
#endif
}

// The tracks of the day's record; a day with no record has none.
int played(const std::vector<std::string>& args) {
    DayRequest day;
    if (!readDayRequest(args, day)) return usage();
    if (pathKind(day.plan.configPath) != 1) {
        std::fprintf(stderr, "scdtool: %s cannot be read\n", day.plan.configPath.c_str());
        return kFailed;
    }
    const std::string recordPath =
        recordFolder(day.plan.configPath, day.logFolder) + onAirRecordName(day.plan.year, day.plan.month, day.plan.day);
    const OnAirRecord record = readOnAirRecord(recordPath);
    if (!record.readable) {
        std::fprintf(stderr, "scdtool: %s cannot be read\n", recordPath.c_str());
        return kFailed;
    }
    if (!record.found) std::fprintf(stderr, "%s: there is no on-air record for that day\n", recordPath.c_str());
    const std::vector<PlayedTrack> tracks = asPlayed(record.rows);
    binaryStdout(day.csv);
    std::fputs((day.csv ? asPlayedCsv(tracks) : asPlayedText(tracks)).c_str(), stdout);
    return kClean;
}

int asRun(const std::vector<std::string>& args) {
    DayRequest asked;
    if (!readDayRequest(args, asked)) return usage();
    PlanRequest& request = asked.plan;
    const bool csv = asked.csv;
    if (pathKind(request.configPath) != 1) {
        std::fprintf(stderr, "scdtool: %s cannot be read\n", request.configPath.c_str());
        return kFailed;
    }
    const AsRunDay day = asRunForDay(request.configPath, recordFolder(request.configPath, asked.logFolder),
                                     request.year, request.month, request.day);
    if (!day.recordReadable) {
        std::fprintf(stderr, "scdtool: %s cannot be read\n", day.recordPath.c_str());
        return kFailed;
    }
    std::fputs(day.planProblems.c_str(), stderr);
    if (day.recordRows == 0)
        std::fprintf(stderr, "%s: %s; every planned programme counts as missed\n", day.recordPath.c_str(),
                     day.recordFound ? "the on-air record is empty" : "there is no on-air record for that day");
    const AsRunReport& report = day.report;
    binaryStdout(csv);
    std::fputs((csv ? asRunCsv(report) : asRunText(report)).c_str(), stdout);
    return report.toPlan() ? kClean : kProblems;
}

}  // namespace
}  // namespace airvane

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "check") return airvane::check(args[1]);
    if (args.size() > 2 && args[0] == "check") return airvane::checkStationCommand(args);
    if (args.size() == 3 && args[0] == "convert") return airvane::convert(args[1], args[2]);
    if (!args.empty() && args[0] == "plan") return airvane::plan(args);
    if (!args.empty() && args[0] == "timetable") return airvane::timetable(args);
    if (!args.empty() && args[0] == "asrun") return airvane::asRun(args);
    if (!args.empty() && args[0] == "played") return airvane::played(args);
    return airvane::usage();
}
