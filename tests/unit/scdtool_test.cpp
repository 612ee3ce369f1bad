// scdtool as the operator runs it: its output and exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <regex>
#include <sstream>
#include <string>

#include "model/memory_tree.h"
#include "onair/as_run.h"
#include "onair/on_air_record.h"
#include "scheduler/plan.h"
#include "scheduler/station_check.h"
#include "scheduler/scheduler_tick.h"
#include "storage/config_file.h"
#include "storage/loading_list.h"
#include "storage/schedule_file.h"
#include "storage/settings.h"
#include "scheduler/timetable.h"
#include "test_files.h"

namespace airvane {
namespace {

struct ToolRun {
    int exitCode;
    std::string output;
};

// Run in folder, when one is given: relative paths are read from there.
ToolRun scdtool(const std::string& args, const std::string& folder = "") {
    std::string command = (folder.empty() ? "" : "cd '" + folder + "' && ") + SCDTOOL_PATH + " " + args + " 2>&1";
    ToolRun run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char chunk[512];
    std::size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) run.output.append(chunk, got);
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

const std::string kWeek =
    "Airvane Data V1.0\r\n-1 6:0:0 8:30:0 0/0/0 3|Morning.m3u\r\n{\r\n|D:\\Music\\a.mp3\r\n}\r\n\r\n";

TEST(Scdtool, CheckAnswersCleanProblemsOrUnreadable) {
    test::TempDir dir;
    ToolRun clean = scdtool("check " + dir.write("week.scd", kWeek));
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.output, "");

    const std::string odd =
        dir.write("odd.scd", "Airvane Data V1.0\r\n1 x|Bad.m3u\r\n-1 0:0:0 -1:0:0 0/0/0 0|9:00.m3u\r\n}\r\n|late\r\n");
    ToolRun problems = scdtool("check " + odd);
    EXPECT_EQ(problems.exitCode, 1);
    EXPECT_EQ(problems.output, odd + ": line 2: the numbers of the Schedule \"Bad.m3u\" do not scan in full\n" +
                                   odd + ": line 4: \"}\" closes no Schedule: the rest of the file is not read\n" +
                                   odd + ": schedule 2: title '9:00.m3u' cannot name a playlist file; it never goes on air\n");

    ToolRun magic = scdtool("check " + dir.write("other.scd", "Other Data\r\n"));
    EXPECT_EQ(magic.exitCode, 1);
    EXPECT_NE(magic.output.find("line 1: unknown magic \"Other Data\""), std::string::npos);

    ToolRun missing = scdtool("check " + dir.path("missing.scd"));
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.output.find("cannot be opened"), std::string::npos);
}

TEST(Scdtool, ConvertGoesBothWaysByteForByte) {
    test::TempDir dir;
    const std::string week = dir.write("week.scd", kWeek);
    dir.write("station.ini", "[Config]\r\nFadeoutTime=3\r\n");
    ASSERT_EQ(scdtool("convert " + week + " " + dir.path("station.ini")).exitCode, 0);
    EXPECT_EQ(dir.read("station.ini"),
              "[Config]\r\nFadeoutTime=3\r\n\r\n[Schedule]\r\n-1=Airvane Data V1.0\r\n"
              "0=-1 6:0:0 8:30:0 0/0/0 3|Morning.m3u\r\n1={\r\n2=|D:\\Music\\a.mp3\r\n3=}\r\n4=\r\n");
    ASSERT_EQ(scdtool("convert " + dir.path("station.ini") + " " + dir.path("back.scd")).exitCode, 0);
    EXPECT_EQ(dir.read("back.scd"), kWeek);
}

TEST(Scdtool, ConvertRefusesWhatItCannotReadAndWrongWords) {
    test::TempDir dir;
    EXPECT_EQ(scdtool("convert " + dir.write("x.scd", "junk\r\n") + " " + dir.path("y.scd")).exitCode, 2);
    EXPECT_EQ(dir.read("y.scd"), "") << "nothing written";
    EXPECT_EQ(scdtool("").exitCode, 2);
    EXPECT_NE(scdtool("frobnicate a").output.find("usage"), std::string::npos);
}

// A week of a station's schedule, planned day by day; the days below were
// worked out by hand from tests/data/station.
TEST(ScdtoolPlan, AWeekOfTheStation) {
    const std::string station = std::string(AIRVANE_TEST_DATA) + "/station";
    // Relative job files in the INI are read from the station's folder.
    auto run = [&station](const std::string& date) {
        std::string command = "cd '" + station + "' && " + std::string(SCDTOOL_PATH) +
                              " plan --config station.INI --date " + date;
        FILE* pipe = popen(command.c_str(), "r");
        std::string output;
        char chunk[512];
        std::size_t got;
        while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, got);
        pclose(pipe);
        return output;
    };
    const std::string weekday =
        "00:00:00 clock\n"
        "06:00:00 start Morning Show.m3u\n"
        "08:59:57 end Morning Show.m3u fade\n"
        "12:00:00 start Noon News.m3u\n"
        "12:10:00 end Noon News.m3u nofade\n";
    EXPECT_EQ(run("2026-12-21"), weekday + "22:00:00 start Night Jazz.m3u\n");  // a Monday
    EXPECT_EQ(run("2026-12-24"), weekday +
                                     "20:00:00 start Christmas Eve.m3u\n"
                                     "20:59:57 end Christmas Eve.m3u fade\n"
                                     "22:00:00 start Night Jazz.m3u\n");
    // Christmas Day: the loading schedule at 00:00:30 replaces the week.
    EXPECT_EQ(run("2026-12-25"),
              "00:00:00 clock\n"
              "00:00:30 load schedules\\christmas.scd\n"
              "08:00:00 start Carols.m3u\n"
              "09:59:57 end Carols.m3u fade\n");
    // A Saturday: the brunch gives way to the news three seconds early.
    EXPECT_EQ(run("2026-12-26"),
              "00:00:00 clock\n"
              "10:00:00 start Weekend Brunch.m3u\n"
              "11:59:57 end Weekend Brunch.m3u fade\n"
              "12:00:00 start Noon News.m3u\n"
              "12:10:00 end Noon News.m3u nofade\n"
              "22:00:00 start Night Jazz.m3u\n");
    for (const char* date : {"2026-12-22", "2026-12-23", "2026-12-27"}) {
        EXPECT_EQ(run(date).rfind("00:00:00 clock\n", 0), 0u) << date;
    }
    // A window of the day only.
    EXPECT_EQ(scdtool("plan --config '" + station + "/station.INI' --date 2026-12-21 --from 05:59:00 --to 06:00:10")
                  .exitCode,
              0);
}

// What the plan has on air at a second, for a restart of Airvane or of the
// player: the station of tests/data (the same days as above).
TEST(ScdtoolPlan, WhatIsOnAirAtASecond) {
    const std::string station = std::string(AIRVANE_TEST_DATA) + "/station";
    const struct {
        int day;
        const char* time;
        const char* onAir;  // "" for nothing
    } rows[] = {
        {21, "05:59:59", ""},
        {21, "06:00:00", "Morning Show.m3u"},
        {21, "07:15:00", "Morning Show.m3u"},  // its start window long gone: still on air
        {21, "08:59:56", "Morning Show.m3u"},
        {21, "08:59:57", ""},                  // faded out before its end
        {21, "12:05:00", "Noon News.m3u"},
        {21, "15:00:00", "Noon News.m3u"},     // no fade: left playing, nothing started since
        {21, "23:30:00", "Night Jazz.m3u"},    // no end time
        {22, "01:00:00", "Night Jazz.m3u"},    // begun the evening before, on air till 02:00
        {24, "20:30:00", "Christmas Eve.m3u"},
        {25, "00:00:40", ""},                  // the load replaced the week
        {25, "09:00:00", "Carols.m3u"},        // from the file loaded at 00:00:30 (a load Airvane may have missed)
        {26, "11:59:58", ""},                  // the brunch gave way to the news
        {26, "12:00:01", "Noon News.m3u"},
    };
    const std::string cwd = std::filesystem::current_path();
    std::filesystem::current_path(station);  // its job files are relative
    for (const auto& row : rows) {
        int32_t second = 0;
        ASSERT_TRUE(parsePlanTime(row.time, second));
        const auto onAir = onAirAt("station.INI", localTimeAt(2026, 12, row.day, second));
        EXPECT_EQ(onAir ? onAir->title : "", row.onAir) << "2026-12-" << row.day << " " << row.time;
        // The job file to show before the programme is put back.
        if (onAir) {
            EXPECT_EQ(onAir->jobFile.find("christmas") != std::string::npos, row.day == 25) << row.day;
        }
    }
    std::filesystem::current_path(cwd);
}

TEST(ScdtoolPlan, RefusesBadDatesTimesAndMissingFiles) {
    test::TempDir dir;
    EXPECT_EQ(scdtool("plan --config " + dir.path("none.INI") + " --date 2026-12-24").exitCode, 2);
    const std::string ini = dir.write("a.INI", "[Config]\r\n");
    EXPECT_EQ(scdtool("plan --config " + ini + " --date 2026-02-30").exitCode, 2);
    EXPECT_EQ(scdtool("plan --config " + ini + " --date 2026-12-24 --from 25:00:00").exitCode, 2);
    EXPECT_EQ(scdtool("plan --config " + ini).exitCode, 2);
    ToolRun empty = scdtool("plan --config " + ini + " --date 2026-12-24 --from 00:00:01");
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.output, "") << "an empty station does nothing all day";

    // A job file on a drive letter has no meaning natively: said, not hidden.
    const std::string drive = dir.write("b.INI", "[Config]\r\nJobFile=C:\\Radio\\week.scd\r\n");
    ToolRun unreadable = scdtool("plan --config " + drive + " --date 2026-12-24 --from 00:00:01 --to 00:00:02");
    EXPECT_EQ(unreadable.exitCode, 0);
    EXPECT_EQ(unreadable.output, "C:\\Radio\\week.scd: cannot be read\n");
}

// The pre-flight check of a station with one planted problem of each kind,
// and of a clean one. Relative job files are read from the station's folder.
TEST(Scdtool, CheckConfigReportsWhatWouldGoWrongOnAir) {
    const std::string station = std::string(AIRVANE_TEST_DATA) + "/preflight";
    const ToolRun run = scdtool("check --config preflight.INI --drive D=drive-d --from 2026-12-21", station);
    const std::string& report = run.output;
    EXPECT_EQ(run.exitCode, 1);
    for (const char* planted : {
             "preflight.INI: loading entry 1: job file missing.scd cannot be read",
             "unclean.scd: line 2: the numbers of the Schedule \"Broken.m3u\" do not scan in full",
             "week.scd: schedule 5: title 'News: noon.m3u' cannot name a playlist file",
             "(TTTTT",  // the long title's playlist path
             "week.scd: schedule 1 (Morning.m3u) file 2: 'D:\\music\\missing.mp3' does not exist",
             "week.scd: schedule 2 (Jingle.m3u): starts in the same 3-second window as schedule 1 (Morning.m3u)",
             "week.scd: schedule 3 (Odd.m3u): its end time less the 3 s lead time is its start time",
             "week.scd: schedule 4 (Talk.m3u): starts at 07:00:00, inside the play interval of schedule 1",
             "preflight.INI: loading entry 1: due at the same second as loading entry 0",
             "week.scd: schedule 4 (Talk.m3u): its playlist is empty: the air is silent for its whole time",
         }) {
        EXPECT_NE(report.find(planted), std::string::npos) << planted;
    }
    EXPECT_NE(report.find("would not fit 259 characters"), std::string::npos);
    // Five of them: a Schedule without files.
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 15) << report;
    const ToolRun clean = scdtool("check --config clean.INI --drive D=drive-d", station);
    EXPECT_EQ(clean.output, "") << "a clean station reports nothing";
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(scdtool("check --config " + station + "/none.INI").exitCode, 2);
}

// A programme whose files, as the on-air record learnt their lengths, end
// before its times; one whose files were partly never played; the
// fallback's own list. Files never played at all are not guessed at.
TEST(Scdtool, CheckForeseesProgrammesShorterThanTheirTimesAndChecksTheFallback) {
    test::TempDir dir;
    const std::string a = dir.write("a.mp3", "x"), b = dir.write("b.mp3", "x"), c = dir.write("c.mp3", "x");
    auto entry = [](const char* times, int options, const char* title, const std::vector<std::string>& files) {
        std::string text = std::string("-1 ") + times + " 0/0/0 " + std::to_string(options) + "|" + title + "\r\n{\r\n";
        for (const std::string& f : files) text += "|" + f + "\r\n";
        return text + "}\r\n";
    };
    dir.write("week.scd", "Airvane Data V1.0\r\n" + entry("6:0:0 6:10:0", 0, "Short.m3u", {a, b}) +
                              entry("7:0:0 7:10:0", 2, "Repeated.m3u", {a}) + entry("8:0:0 8:5:0", 0, "Full.m3u", {a, b}) +
                              entry("9:0:0 9:10:0", 0, "Partly.m3u", {a, c}) + entry("10:0:0 10:10:0", 0, "Unknown.m3u", {c}));
    dir.write("fill.m3u", a + "\r\n" + dir.path("gone.mp3") + "\r\n");
    dir.write("airvane.INI", "[Config]\r\nJobFile=" + dir.path("week.scd") + "\r\nFallbackPlaylist=" + dir.path("fill.m3u") + "\r\n");
    std::filesystem::create_directory(dir.path("LOG"));
    // a: 2 min 30 s, learnt the day before; b: 2 min 30 s, learnt again later (the newer counts).
    dir.write("LOG/20261220-ONAIR.CSV", std::string(kOnAirHeader) + "2026-12-20,06:00:00.000,track,Short.m3u,,,,a,1," + a +
                                            ",150000,\r\n2026-12-20,06:02:30.000,track,Short.m3u,,,,b,2," + b + ",90000,\r\n");
    dir.write("LOG/20261221-ONAIR.CSV", std::string(kOnAirHeader) + "2026-12-21,06:02:30.000,track,Short.m3u,,,,b,2," + b +
                                            ",150000,\r\n");
    StationCheckRequest request;
    request.configPath = dir.path("airvane.INI");
    request.year = 2026, request.month = 12, request.day = 21, request.days = 7;
    std::string report;
    for (const StationProblem& p : checkStation(request)) report += p.file + ": " + p.where + ": " + p.what + "\n";
    EXPECT_NE(report.find("(Short.m3u): its files last 300 s, its times 600 s: the air falls silent 300 s before its end"),
              std::string::npos) << report;
    EXPECT_NE(report.find("(Partly.m3u): its files last 150 s, its times 600 s as far as known; 1 of them never played here"),
              std::string::npos) << report;
    EXPECT_EQ(report.find("Repeated.m3u"), std::string::npos) << "a repeated list fills any time";
    EXPECT_EQ(report.find("Full.m3u"), std::string::npos) << "300 s of files fill 300 s";
    EXPECT_EQ(report.find("Unknown.m3u"), std::string::npos) << "nothing known, nothing said";
    EXPECT_NE(report.find("fill.m3u: line 2: '" + dir.path("gone.mp3") + "' does not exist"), std::string::npos) << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 3) << report;

    dir.write("airvane.INI", "[Config]\r\nJobFile=" + dir.path("week.scd") + "\r\nFallbackPlaylist=" + dir.path("LOG") + "\r\n");
    report.clear();
    for (const StationProblem& p : checkStation(request)) report += p.where + ": " + p.what + "\n";
    EXPECT_NE(report.find("FallbackPlaylist: the folder " + dir.path("LOG") + " holds no audio file"), std::string::npos) << report;
}

// The week's timetable read back: each day's blocks are that day's starts
// in the plan, with their titles, and a title cannot break the page.
TEST(ScdtoolTimetable, TheWeekIsThePlanDayByDay) {
    const std::string station = std::string(AIRVANE_TEST_DATA) + "/station";
    const ToolRun page = scdtool("timetable --config station.INI --week 2026-12-21", station);
    ASSERT_EQ(page.exitCode, 0) << page.output;
    std::vector<std::string> shown, planned;
    const std::regex block("data-day=\"(\\d)\" data-title=\"([^\"]*)\" data-start=\"([^\"]*)\"");
    for (std::sregex_iterator m(page.output.begin(), page.output.end(), block), end; m != end; ++m) {
        shown.push_back((*m)[1].str() + " " + (*m)[3].str() + " " + (*m)[2].str());
    }
    const char* days[] = {"2026-12-21", "2026-12-22", "2026-12-23", "2026-12-24", "2026-12-25", "2026-12-26", "2026-12-27"};
    for (int d = 0; d < 7; ++d) {
        std::istringstream plan(scdtool(std::string("plan --config station.INI --date ") + days[d], station).output);
        for (std::string line; std::getline(plan, line);) {
            if (line.find(" start ") == 8) planned.push_back(std::to_string(d) + " " + line.substr(0, 8) + " " + line.substr(15));
        }
    }
    EXPECT_EQ(shown, planned);
    EXPECT_GE(shown.size(), 20u);

    TimetableDay odd;
    odd.blocks.push_back({"<b>Tom & \"Jerry\"</b>.m3u", 3600, 7200});
    const std::string html = timetableHtml({odd});
    EXPECT_EQ(html.find("<b>"), std::string::npos);
    EXPECT_NE(html.find("&lt;b&gt;Tom &amp; &quot;Jerry&quot;&lt;/b&gt;"), std::string::npos);
}

// Soft starts and ends (SoftWaitSec 30) are windows in the plan, the
// timetable and the as-run report; check says where a soft wait runs into a
// hard start.
TEST(ScdtoolPlan, SoftStartsAndEndsAreWindows) {
    test::TempDir dir;
    std::string week = "Airvane Data V1.0\r\n";
    for (const char* entry : {"-1 6:0:0 9:0:0 0/0/0 0|Morning.m3u", "-1 9:0:0 10:0:0 0/0/0 8|Jazz.m3u",
                              "-1 10:0:20 0:0:-1 0/0/0 0|News.m3u", "-1 11:0:0 0:0:-1 0/0/0 8|Rock.m3u",
                              "-1 11:0:10 0:0:-1 0/0/0 0|Talk.m3u"})
        week += std::string(entry) + "\r\n";
    dir.write("week.scd", week + "\r\n");
    const std::string ini =
        dir.write("station.INI", "[Config]\r\nFadeoutTime=3\r\nSoftWaitSec=30\r\nJobFile=" + dir.path("week.scd") + "\r\n");
    const std::string plan =
        "00:00:00 clock\n"
        "06:00:00 start Morning.m3u\n"
        "09:00:00 start Jazz.m3u (at song end, up to 30 s)\n"
        "10:00:00 end Jazz.m3u (at song end, up to 30 s)\n"
        "10:00:20 start News.m3u\n"
        "11:00:00 start Rock.m3u (at song end, up to 30 s)\n"
        "11:00:07 end Rock.m3u fade\n"
        "11:00:10 start Talk.m3u\n";
    EXPECT_EQ(scdtool("plan --config " + ini + " --date 2026-12-21").output, plan);

    const ToolRun check = scdtool("check --config " + ini + " --from 2026-12-21");
    EXPECT_NE(check.output.find("(Rock.m3u): its soft start at 11:00:00 (at song end, up to 30 s) can wait into the start "
                                "of schedule 5 (Talk.m3u) at 11:00:10"),
              std::string::npos)
        << check.output;
    EXPECT_NE(check.output.find("(Jazz.m3u): its soft end at 10:00:00 (at song end, up to 30 s) can run into the start of "
                                "schedule 3 (News.m3u) at 10:00:20"),
              std::string::npos)
        << check.output;

    PlanRequest day;
    ASSERT_TRUE(parsePlanDate("2026-12-21", day));
    const TimetableDay table = timetableDay(day, plan, 3);
    ASSERT_GE(table.blocks.size(), 3u);
    EXPECT_EQ(table.blocks[1].title, "Jazz.m3u");
    EXPECT_EQ(table.blocks[1].end, 10 * 3600);
    EXPECT_EQ(table.blocks[1].softStartSec, 30);
    EXPECT_EQ(table.blocks[1].softEndSec, 30);
    EXPECT_NE(timetableHtml({table}).find("Jazz (곡 끝에 시작, 30초까지) (곡 끝에 끝, 30초까지)"), std::string::npos);

    // As run: inside its window a soft start or end is on time and says
    // how long it waited; past it, it is late.
    auto row = [](int32_t due, int64_t lateMs, const char* event, const char* title, std::optional<int64_t> waited) {
        OnAirRow r;
        r.when = localTimeAt(2026, 12, 21, due + static_cast<int32_t>(lateMs / 1000));
        r.event = event;
        r.title = title;
        r.dueSec = due;
        r.lateMs = lateMs;
        r.lengthMs = waited;
        return r;
    };
    const std::vector<OnAirRow> rows = {row(0, 0, "clock-set", "", std::nullopt),
                                        row(6 * 3600, 20, "start", "Morning.m3u", std::nullopt),
                                        row(9 * 3600, 7022, "start", "Jazz.m3u", 7000),
                                        row(10 * 3600, 30015, "end", "Jazz.m3u", 30000),
                                        row(10 * 3600 + 20, 15, "start", "News.m3u", std::nullopt),
                                        row(11 * 3600, 32000, "start", "Rock.m3u", 31000)};
    const AsRunReport report = reconcile({plan, ""}, 3, rows);
    const std::string text = asRunText(report);
    EXPECT_NE(text.find("09:00:00 start Jazz.m3u: on time"), std::string::npos) << text;
    EXPECT_NE(text.find("waited 7000 ms for the song's end"), std::string::npos) << text;
    EXPECT_NE(text.find("10:00:00 end Jazz.m3u: on time"), std::string::npos) << text;
    EXPECT_NE(text.find("11:00:00 start Rock.m3u: late by 32000 ms"), std::string::npos) << text;
}

// The program's own tick, every second, on the one tree that a load
// rebuilds in place, with its actions written as the plan writes them.
std::string programTicks(const std::string& config, int day) {
    ConfigFile file(config);
    const Settings settings = readSettings(file);
    LoadingList loading;
    loadLoadingList(loading, file);
    struct Program final : SchedulerHost, Clock {
        MemoryTree tree;
        LocalTime time;
        std::string actions;
        LocalTime now() override { return time; }
        bool setLocalTime(const LocalTime&) override { return true; }
        void line(const std::string& action) {
            char stamp[16];
            std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d ", time.hour, time.minute, time.second);
            actions += stamp + action + "\n";
        }
        void clockCorrected(bool) override { line("clock"); }
        void loadJobFile(const std::string& jobFile) override {
            line("load " + jobFile);
            replaceTree(tree, jobFile, nullptr);
        }
        void endProgramme(const ScheduleNode& s, bool fade) override { line("end " + s.text + (fade ? " fade" : " nofade")); }
        std::string writePlaylist(NodeItem schedule) override { return tree.nodeRecord(schedule)->text; }
        bool startProgramme(const ScheduleNode& s, const std::string&) override {
            line("start " + s.text);
            return true;
        }
    } program;
    loadScheduleFile(program.tree, jobFilePath(file), nullptr);
    TickState state;
    for (int32_t second = 0; second < 86400; ++second) {
        program.time = localTimeAt(2026, 12, day, second);
        schedulerTick(program.tree, loading, settings, program, program, state);
    }
    program.tree.freeNodeRecords(kNoNode);
    freeLoadingList(loading);
    return program.actions;
}

// The plan ticks only where a tick can act; it must say exactly what a tick
// every second says, and exactly what the program does. A dense station of
// odd times, options and swaps, with Schedules due before, in and after the
// seconds of each load, across midnight and beside the clock correction.
TEST(ScdtoolPlan, SkippingIdleSecondsChangesNothing) {
    test::TempDir dir;
    for (const char* name : {"a.scd", "b.scd"}) {
        std::string file = "Airvane Data V1.0\r\n";
        for (int i = 0; i < 300; ++i) {
            const int start = (i * 7919 + name[0]) % 86400, length = (i * 131) % 7200 + 2;
            const int end = i % 5 == 0 ? -1 : (start + length) % 86400;
            char entry[96];
            std::snprintf(entry, sizeof entry, "%d 0:0:%d 0:0:%d 0/0/0 %d|P%d.m3u\r\n", i % 3 ? -1 : 42, start, end,
                          i % 8, i);
            file += entry;
        }
        for (int load = 0; load < 12; ++load) {
            for (int offset : {-1, 0, 1, 2, 4}) {
                const int start = (load * 7200 + load % 3 + offset + 86400) % 86400;
                char entry[96];
                std::snprintf(entry, sizeof entry, "-1 0:0:%d 0:0:%d 0/0/0 %d|%c%d%+d.m3u\r\n", start,
                              (start + 20 + load) % 86400, load % 2 ? 4 : 0, name[0], load, offset);
                file += entry;
            }
        }
        dir.write(name, file + "\r\n");
    }
    std::string ini = "[Config]\r\nFadeoutTime=3\r\nAdjRealTimeSec=5\r\nJobFile=" + dir.path("a.scd") +
                      "\r\n\r\n[LoadingSchedule]\r\n";
    for (int i = 0; i < 12; ++i) {
        ini += std::to_string(i) + "=0 0 0 " + std::to_string(i * 2) + " 0 " + std::to_string(i % 3) + " -1|" +
               dir.path(i % 2 ? "b.scd" : "a.scd") + "\r\n";
    }
    const std::string config = dir.write("station.INI", ini + "12=\r\n");
    for (int day = 21; day <= 23; ++day) {
        PlanRequest request;
        request.configPath = config;
        request.year = 2026, request.month = 12, request.day = day;
        const std::string skipping = runPlan(request).actions;
        request.everySecond = true;
        EXPECT_EQ(skipping, runPlan(request).actions) << "2026-12-" << day;
        EXPECT_EQ(skipping, programTicks(config, day)) << "2026-12-" << day;
        EXPECT_GT(std::count(skipping.begin(), skipping.end(), '\n'), 300);
    }
}

}  // namespace
}  // namespace airvane
