// The on-air record as written and read back (here and by Python's csv
// module), the watch for dead air, the alert's gate and command line, and
// scdtool asrun setting a day's record against its plan.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "model/node_label.h"
#include "onair/alert.h"
#include "onair/as_run_day.h"
#include "onair/on_air_record.h"
#include "onair/silence_watch.h"
#include "scheduler/plan.h"
#include "storage/filesystem.h"
#include "test_files.h"

namespace airvane {
namespace {

std::string run(const std::string& command, int* exitCode = nullptr) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return output;
    char chunk[512];
    std::size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0) output.append(chunk, got);
    const int status = pclose(pipe);
    if (exitCode) *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

OnAirRow rowAt(int hour, int minute, int second, int ms, std::string event, std::string title,
               std::optional<int32_t> due = std::nullopt, std::string detail = {}) {
    OnAirRow row;
    row.when = {2026, 12, 21, 1, hour, minute, second, ms};
    row.event = std::move(event);
    row.title = std::move(title);
    row.dueSec = due;
    row.detail = std::move(detail);
    if (due) row.lateMs = lateBy(row.when, *due);
    return row;
}

TEST(OnAirRecord, WholeRowsReadBackHereAndInPythonATornLastLineIsLeftOutAndNoFieldIsAFormula) {
    test::TempDir dir;
    const std::string path = dir.write("20261221-ONAIR.CSV", "");  // made empty (an editor, a full disk): the header still comes
    const std::string title = "정오, \"특집\".m3u";  // CP949, a comma and quotes in one title
    OnAirRow silent = rowAt(12, 10, 3, 120, "silence-end", title, std::nullopt, "line\r\nbreak");
    silent.lengthMs = 12000;
    OnAirRow track = rowAt(12, 10, 4, 0, "track", title, std::nullopt, "Artist - Song");
    track.listPos = 2;
    track.file = "D:\\곡\\=cmd.mp3";  // a file name is outside text too
    track.trackMs = 201000;
    const OnAirRow rows[] = {rowAt(12, 0, 0, 250, "start", title, 43200), silent, track,
                             rowAt(23, 59, 59, 999, "end", "Late.m3u", 5)};
    for (const OnAirRow& row : rows) ASSERT_TRUE(appendOnAirRow(path, row));
    EXPECT_EQ(rows[0].lateMs, 250);
    EXPECT_EQ(rows[3].lateMs, -5001) << "a second due just after midnight counts across it";
    EXPECT_EQ(dir.read("20261221-ONAIR.CSV").substr(0, kOnAirHeader.size()), kOnAirHeader);

    auto pythonReads = [](const std::string& csv) {
        return run("python3 -c 'import csv,sys\n"
                   "sys.stdout.reconfigure(encoding=\"cp949\")\n"
                   "for r in csv.reader(open(sys.argv[1], encoding=\"cp949\", newline=\"\")): "
                   "print(\"|\".join(r))' " + csv);
    };
    const std::string header = "date|time|event|title|due|late_ms|length_ms|detail|list_pos|file|track_ms|played_ms\n";
    EXPECT_EQ(pythonReads(path), header +
                                     "2026-12-21|12:00:00.250|start|정오, \"특집\".m3u|12:00:00|250||||||\n"
                                     "2026-12-21|12:10:03.120|silence-end|정오, \"특집\".m3u|||12000|line  break||||\n"
                                     "2026-12-21|12:10:04.000|track|정오, \"특집\".m3u||||Artist - Song|2|D:\\곡\\=cmd.mp3|201000|\n"
                                     "2026-12-21|23:59:59.999|end|Late.m3u|00:00:05|-5001||||||\n");

    std::FILE* torn = std::fopen(path.c_str(), "ab");
    std::fputs("2026-12-21,23:59:59.999,start,\"Cut", torn);
    std::fclose(torn);
    EXPECT_EQ(readOnAirRecord(path).rows.size(), 4u);
    ASSERT_TRUE(appendOnAirRow(path, rows[0])) << "the next start after a kill";
    const OnAirRecord read = readOnAirRecord(path);
    ASSERT_TRUE(read.readable);
    ASSERT_EQ(read.rows.size(), 5u) << "the torn row is left out, the one after it kept";
    EXPECT_EQ(read.rows[4].title, title);
    EXPECT_EQ(read.rows[2].file, track.file);
    EXPECT_EQ(read.rows[2].listPos, 2);
    EXPECT_EQ(read.rows[2].trackMs, 201000);
    EXPECT_FALSE(read.rows[2].playedMs);
    EXPECT_EQ(read.rows[0].title, title);
    EXPECT_EQ(read.rows[0].dueSec, 43200);
    EXPECT_EQ(read.rows[1].lengthMs, 12000);
    EXPECT_EQ(read.rows[1].detail, "line  break");
    EXPECT_EQ(read.rows[3].when.millisecond, 999);
    // A record begun before the track columns: its rows read, and so do the
    // longer rows appended to it today.
    const std::string older = dir.write("20261220-ONAIR.CSV",
                                        "date,time,event,title,due,late_ms,length_ms,detail\r\n"
                                        "2026-12-20,09:00:00.010,start,Old.m3u,09:00:00,10,,\r\n");
    ASSERT_TRUE(appendOnAirRow(older, track));
    const OnAirRecord mixed = readOnAirRecord(older);
    ASSERT_EQ(mixed.rows.size(), 2u);
    EXPECT_EQ(mixed.rows[0].lateMs, 10);
    EXPECT_FALSE(mixed.rows[0].listPos);
    EXPECT_EQ(mixed.rows[1].file, track.file);
    EXPECT_FALSE(readOnAirRecord(dir.path("none.CSV")).found);

    // A title or detail that a spreadsheet would take for a formula is
    // written with a leading ' (so is one that begins with a '), and read
    // back here as it was.
    const std::string formulas = dir.path("20261222-ONAIR.CSV");
    const struct {
        const char* text;
        const char* spreadsheet;  // the field as Python's csv module reads it
        const char* readBack;
    } titles[] = {
        {"=A1&\",\"&B1", "'=A1&\",\"&B1", "=A1&\",\"&B1"},  // quoted as well, a comma and quotes in it
        {"+1+2.m3u", "'+1+2.m3u", "+1+2.m3u"},
        {"-2+3.m3u", "'-2+3.m3u", "-2+3.m3u"},
        {"@SUM(A1).m3u", "'@SUM(A1).m3u", "@SUM(A1).m3u"},
        {"\t=1.m3u", "'\t=1.m3u", "\t=1.m3u"},
        {"\r=1.m3u", "' =1.m3u", " =1.m3u"},  // a line break becomes a blank
        {"'quoted'.m3u", "''quoted'.m3u", "'quoted'.m3u"},
        {"''", "'''", "''"},
        {"정오=+-@.m3u", "정오=+-@.m3u", "정오=+-@.m3u"},
        {"", "", ""},
    };
    std::string expected;
    for (const auto& title : titles) {
        OnAirRow row = rowAt(12, 0, 0, 0, "play", title.text, std::nullopt, title.text);
        row.lateMs = -5;  // a number is no formula: left as it is
        ASSERT_TRUE(appendOnAirRow(formulas, row));
        expected += "2026-12-21|12:00:00.000|play|" + std::string(title.spreadsheet) + "||-5||" +
                    title.spreadsheet + "||||\n";
    }
    EXPECT_EQ(pythonReads(formulas), header + expected);
    const OnAirRecord neutralised = readOnAirRecord(formulas);
    ASSERT_EQ(neutralised.rows.size(), std::size(titles));
    for (std::size_t i = 0; i < std::size(titles); ++i) {
        EXPECT_EQ(neutralised.rows[i].title, titles[i].readBack) << i;
        EXPECT_EQ(neutralised.rows[i].detail, titles[i].readBack) << i;
        EXPECT_EQ(neutralised.rows[i].lateMs, -5) << i;
    }
}

TEST(SilenceWatch, RecordsAtFiveSecondsAlertsAtThirtyAndTellsTheWholeGap) {
    SilenceWatch watch;
    struct Step {
        int64_t ms;
        bool onAir;
        std::optional<bool> playing;
        std::vector<SilenceEvent::Kind> expected;
    };
    const Step steps[] = {
        {0, true, true, {}},          {1000, true, false, {}},   {4000, true, std::nullopt, {}},
        {6000, true, false, {SilenceEvent::Began}},              {20000, true, false, {}},
        {31000, true, false, {SilenceEvent::Alert}},             {40000, true, true, {SilenceEvent::Ended}},
        {41000, true, false, {}},     {44000, false, false, {}}, {60000, true, false, {}},
    };
    for (const Step& step : steps) {
        const std::vector<SilenceEvent> events = watch.observe(step.ms, step.onAir, step.playing);
        std::vector<SilenceEvent::Kind> kinds;
        for (const SilenceEvent& event : events) kinds.push_back(event.kind);
        EXPECT_EQ(kinds, step.expected) << "at " << step.ms << " ms";
        if (!events.empty() && events[0].kind == SilenceEvent::Ended) {
            EXPECT_EQ(events[0].lengthMs, 39000);
        }
    }
}

TEST(Alert, OnceAMinuteACauseEachArgumentQuotedWholeAndTheDetailsInTheEnvironment) {
    AlertGate gate;
    EXPECT_TRUE(gate.mayAlert("player-lost|", 0));
    EXPECT_TRUE(gate.mayAlert("not-started|A.m3u", 1000));
    EXPECT_FALSE(gate.mayAlert("player-lost|", 59'999));
    EXPECT_TRUE(gate.mayAlert("player-lost|", 60'000));
    EXPECT_EQ(alertCommandLine("C:\\alert.cmd", {"not-started", "say \"hi\"", "C:\\dir\\", ""}),
              "C:\\alert.cmd \"not-started\" \"say \\\"hi\\\"\" \"C:\\dir\\\\\" \"\"");

    // Ours in place of a parent's of the same name in another case, sorted
    // as Windows sorts names (upper case: '_' after the letters), the drive
    // folders ("=C:") kept, two NULs at the end.
    using namespace std::string_literals;
    const std::string parent = "=C:=C:\\Radio\0Path=C:\\Windows\0airvane_title=old\0_U=1\0ZED=z\0\0"s;
    const std::string title = "A\" & calc & \"%PATH%.m3u";
    EXPECT_EQ(environmentWith(parent.c_str(), {{kAlertTitle, title}, {kAlertEvent, "not-started"}}),
              "=C:=C:\\Radio\0AIRVANE_EVENT=not-started\0AIRVANE_TITLE="s + title +
                  "\0Path=C:\\Windows\0ZED=z\0_U=1\0\0"s);
    EXPECT_EQ(environmentWith(nullptr, {{kAlertDetail, "cut\0off"s}}), "AIRVANE_DETAIL=cut\0\0"s);
}

// Rows that the record refused are written, in their order and once each,
// when it takes them again; a row waits behind an earlier one for its file,
// not behind one for another file.
TEST(HeldOnAirRows, KeptInOrderUntilTheFileTakesThemAgain) {
    std::map<std::string, std::string> files;  // what each file holds
    std::set<std::string> refusing;
    HeldOnAirRows rows([&](const std::string& path, const OnAirRow& row) {
        if (refusing.contains(path)) return false;
        files[path] += row.title + " ";
        return true;
    });
    const struct {
        const char* action;  // "write FILE TITLE", "refuse FILE", "take FILE", "retry"
        const char* day21;   // what the files hold afterwards
        const char* day22;
        bool holding;
    } steps[] = {
        {"write 21 A", "A ", "", false},
        {"refuse 21", "A ", "", false},
        {"write 21 B", "A ", "", true},
        {"write 21 C", "A ", "", true},
        {"write 22 X", "A ", "X ", true},  // the next day's file is not held up by this one's
        {"take 21", "A ", "X ", true},
        {"write 21 D", "A B C D ", "X ", false},
        {"refuse 22", "A B C D ", "X ", false},
        {"write 22 Y", "A B C D ", "X ", true},
        {"retry", "A B C D ", "X ", true},
        {"take 22", "A B C D ", "X ", true},
        {"retry", "A B C D ", "X Y ", false},
    };
    for (const auto& step : steps) {
        std::istringstream words(step.action);
        std::string verb, file, title;
        words >> verb >> file >> title;
        if (verb == "write") rows.write(file, rowAt(12, 0, 0, 0, "start", title));
        if (verb == "refuse") refusing.insert(file);
        if (verb == "take") refusing.erase(file);
        if (verb == "retry") rows.retry();
        EXPECT_EQ(files["21"], step.day21) << step.action;
        EXPECT_EQ(files["22"], step.day22) << step.action;
        EXPECT_EQ(rows.holding(), step.holding) << step.action;
    }
}

// A day of four programmes: one on time, one late, one refused (missed),
// one cut short by dead air, and one started by hand.
TEST(AsRun, TheDaysRecordAgainstItsPlan) {
    test::TempDir dir;
    std::string week = "Airvane Data V1.0\r\n";
    for (const char* entry : {"-1 6:0:0 7:0:0 0/0/0 0|Morning.m3u", "-1 7:0:0 8:0:0 0/0/0 0|News.m3u",
                              "-1 8:0:0 9:0:0 0/0/0 0|CON.m3u", "-1 9:0:0 10:0:0 0/0/0 0|Talk.m3u"})
        week += std::string(entry) + "\r\n{\r\n|D:\\Music\\a.mp3\r\n}\r\n";
    dir.write("week.scd", week);
    const std::string ini = dir.write("station.INI", "[Config]\r\nFadeoutTime=3\r\nJobFile=" + dir.path("week.scd") + "\r\n");
    const std::string asrun = std::string(SCDTOOL_PATH) + " asrun --config " + ini + " --date 2026-12-21";
    int exitCode = -1;
    EXPECT_NE(run(asrun, &exitCode).find("there is no on-air record for that day; every planned programme counts as missed"),
              std::string::npos);
    EXPECT_EQ(exitCode, 1);

    const std::string record = dir.path("LOG");
    ASSERT_EQ(std::system(("mkdir " + record).c_str()), 0);
    OnAirRow silence = rowAt(9, 30, 5, 0, "silence-end", "Talk.m3u");
    silence.lengthMs = 7000;
    const OnAirRow rows[] = {
        rowAt(0, 0, 0, 10, "clock-set", "", 0),
        rowAt(6, 0, 0, 300, "start", "Morning.m3u", 6 * 3600), rowAt(7, 0, 0, 100, "end", "Morning.m3u", 7 * 3600),
        rowAt(7, 0, 3, 500, "start", "News.m3u", 7 * 3600),    rowAt(8, 0, 0, 0, "not-ended", "News.m3u", 8 * 3600, "no answer"),
        rowAt(8, 0, 0, 5, "not-started", "CON.m3u", 8 * 3600, "refused title"),
        rowAt(9, 0, 0, 200, "start", "Talk.m3u", 9 * 3600),    rowAt(9, 29, 58, 0, "silent", "Talk.m3u"),
        silence, rowAt(9, 45, 0, 0, "play", "Jingle.m3u"),     rowAt(10, 0, 0, 0, "end", "Talk.m3u", 10 * 3600),
        rowAt(10, 1, 0, 0, "play", "=1+2", std::nullopt, "@A1"),
    };
    for (const OnAirRow& row : rows) ASSERT_TRUE(appendOnAirRow(record + "/20261221-ONAIR.CSV", row));
    EXPECT_EQ(run(asrun, &exitCode),
              "00:00:00 clock: on time (00:00:00.010)\n"
              "06:00:00 start Morning.m3u: on time (06:00:00.300)\n"
              "06:59:57 end Morning.m3u: on time (07:00:00.100)\n"
              "07:00:00 start News.m3u: late by 3500 ms (07:00:03.500)\n"
              "07:59:57 end News.m3u: not ended (08:00:00.000) no answer\n"
              "08:00:00 start CON.m3u: missed refused title\n"
              "08:59:57 end CON.m3u: missed\n"
              "09:00:00 start Talk.m3u: cut short (09:00:00.200) silent 09:29:58.000\n"
              "09:59:57 end Talk.m3u: on time (10:00:00.000)\n"
              "         silent Talk.m3u: unplanned (09:29:58.000)\n"
              "         silence-end Talk.m3u: unplanned (09:30:05.000)\n"
              "         play Jingle.m3u: started by hand (09:45:00.000)\n"
              "         play =1+2: started by hand (10:01:00.000) @A1\n"
              "programmes planned 4, aired on time 2, late 1, missed 1, cut short 1; silence while on air 7 s\n");
    EXPECT_EQ(exitCode, 1);
    const std::string csv = run(asrun + " --csv");
    EXPECT_EQ(csv.substr(0, csv.find('\n', csv.find('\n') + 1) + 1),
              "planned,action,title,verdict,late_ms,happened,detail\r\n"
              "00:00:00,clock,,on time,10,00:00:00.010,\r\n");
    EXPECT_NE(csv.find(",total,missed,1,,,\r\n"), std::string::npos);
    EXPECT_NE(csv.find(",play,'=1+2,started by hand,,10:01:00.000,'@A1\r\n"), std::string::npos) << "a formula";
    const std::string folder = dir.path("none");
    ASSERT_EQ(std::system(("mkdir -p " + folder + "/20261222-ONAIR.CSV").c_str()), 0);
    run(std::string(SCDTOOL_PATH) + " asrun --config " + ini + " --date 2026-12-22 --log " + folder, &exitCode);
    EXPECT_EQ(exitCode, 2) << "a record that cannot be read";

    // Across midnight: a programme that ends at 00:00:00, and one still on
    // air at midnight, are stopped (and recorded) the next day. Each day's
    // report finds its own end in the next day's record, and leaves the end
    // of the evening before's programme in its own record to that day.
    const struct {
        const char* entry;
        int32_t start, endPass, due;  // the end pass's second, and when the stop is due
    } nights[] = {
        {"-1 23:0:0 0:0:0 0/0/0 0|Late.m3u", 23 * 3600, 86397, 0},
        {"-1 23:50:0 0:10:0 0/0/0 0|Night.m3u", 85800, 597, 600},
    };
    for (const auto& night : nights) {
        const std::string title = std::strchr(night.entry, '|') + 1;
        SCOPED_TRACE(title);
        test::TempDir station;
        const std::string job = station.write(
            "night.scd", "Airvane Data V1.0\r\n" + std::string(night.entry) + "\r\n{\r\n|D:\\Music\\a.mp3\r\n}\r\n");
        const std::string config = station.write("station.INI", "[Config]\r\nFadeoutTime=3\r\nJobFile=" + job + "\r\n");
        ASSERT_EQ(std::system(("mkdir " + station.path("LOG")).c_str()), 0);
        // Each day its clock set-back, the end of the evening before's
        // programme (stamped .230 on the 23rd, .240 on the 24th), its start.
        auto at = [](int day, int32_t second, int ms, const char* event, const std::string& title) {
            OnAirRow row = rowAt(second / 3600, second / 60 % 60, second % 60, ms, event, title, second);
            row.when.day = day;
            return row;
        };
        for (int day : {22, 23, 24}) {
            const std::string record = station.path("LOG/202612" + std::to_string(day) + "-ONAIR.CSV");
            ASSERT_TRUE(appendOnAirRow(record, at(day, 0, 10, "clock-set", "")));
            if (day > 22) {
                ASSERT_TRUE(appendOnAirRow(record, at(day, night.due, day * 10, "end", title)));
            }
            ASSERT_TRUE(appendOnAirRow(record, at(day, night.start, 300, "start", title)));
        }
        for (int day : {22, 23}) {
            const std::string date = "2026-12-" + std::to_string(day);
            const std::string report =
                run(std::string(SCDTOOL_PATH) + " asrun --config " + config + " --date " + date, &exitCode);
            EXPECT_EQ(report, "00:00:00 clock: on time (00:00:00.010)\n" + clockText(night.start) + " start " +
                                  title + ": on time (" + clockText(night.start) + ".300)\n" +
                                  clockText(night.endPass) + " end " + title + ": on time (" + clockText(night.due) +
                                  "." + std::to_string(day * 10 + 10) + ")\nprogrammes planned 1, aired on time 1, "
                                  "late 0, missed 0, cut short 0; silence while on air 0 s\n");
            EXPECT_EQ(exitCode, 0) << date;
        }
    }
}

// The end that the next day brings to a programme still on air at
// midnight is the one the next day's ticks make: at its own end, earlier
// when a Schedule of the next day cuts it short, none when a load at
// midnight replaces the tree.
TEST(AsRun, TheEndCarriedIntoTheNextDayIsTheOneItsTicksMake) {
    const struct {
        const char* more;     // more Schedules
        const char* loading;  // a loading entry
        const char* endNextDay;
    } cases[] = {
        {"", "", "00:09:57 end Night.m3u fade\n"},
        {"-1 0:5:0 0:6:0 0/0/0 0|Early.m3u\r\n", "", "00:04:57 end Night.m3u fade\n"},
        {"", "0=2026 12 23 0 0 0 -1|", ""},  // a load at the next midnight only
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.endNextDay);
        test::TempDir station;
        const std::string job = station.write("night.scd", std::string("Airvane Data V1.0\r\n-1 23:50:0 0:10:0 0/0/0 0|Night.m3u\r\n") + c.more);
        const std::string other = station.write("other.scd", "Airvane Data V1.0\r\n");
        std::string ini = "[Config]\r\nFadeoutTime=3\r\nAdjRealTimeSec=0\r\nJobFile=" + job + "\r\n";
        if (*c.loading) ini += "[LoadingSchedule]\r\n" + std::string(c.loading) + other + "\r\n";
        PlanRequest request;
        request.configPath = station.write("station.INI", ini);
        request.year = 2026, request.month = 12, request.day = 22;
        EXPECT_EQ(runPlan(request).endNextDay, c.endNextDay);
        // What is on air in the day's last second is the day's own answer.
        const std::optional<OnAirProgramme> last = onAirAt(request.configPath, localTimeAt(2026, 12, 22, 86399));
        EXPECT_EQ(last ? last->title : "", "Night.m3u");
        // Begun the evening before: on air until the end the next day's ticks make.
        if (!*c.endNextDay) continue;
        int32_t end = 0;
        ASSERT_TRUE(parsePlanTime(std::string(c.endNextDay, 8), end));
        for (const int32_t second : {5, end - 1, end}) {
            const std::optional<OnAirProgramme> after = onAirAt(request.configPath, localTimeAt(2026, 12, 23, second));
            EXPECT_EQ(after && after->fromDayBefore ? after->title : "", second < end ? "Night.m3u" : "") << second;
        }
        // With no end, until a programme of the next day has come and gone.
        test::TempDir endless;
        const std::string nights = endless.write(
            "night.scd", "Airvane Data V1.0\r\n-1 23:50:0 0:0:-1 0/0/0 0|Night.m3u\r\n-1 6:0:0 7:0:0 0/0/0 0|Early.m3u\r\n");
        const std::string config = endless.write("station.INI", "[Config]\r\nFadeoutTime=3\r\nJobFile=" + nights + "\r\n");
        for (const auto& [second, title] : {std::pair{5 * 3600, "Night.m3u"}, std::pair{10 * 3600, ""}}) {
            const std::optional<OnAirProgramme> then = onAirAt(config, localTimeAt(2026, 12, 23, second));
            EXPECT_EQ(then ? then->title : "", title) << second;
        }
    }
}

}  // namespace
}  // namespace airvane

namespace airvane {
namespace {

OnAirRow trackRow(int minute, int second, int ms, std::string event, std::string programme, int listPos,
                  std::string file, std::string title, std::optional<int64_t> played = std::nullopt) {
    OnAirRow row = rowAt(6, minute, second, ms, std::move(event), std::move(programme), std::nullopt, std::move(title));
    row.listPos = listPos;
    row.file = std::move(file);
    row.playedMs = played;
    return row;
}

// scdtool played: the day's tracks from its record, how long each played
// (from its track-end, else up to what came next in its programme), the
// totals per programme; and what it says of a day it cannot read.
TEST(AsPlayed, TheDaysTracksAsTextAndAsCsv) {
    test::TempDir dir;
    const std::string ini = dir.write("station.INI", "[Config]\r\nFadeoutTime=3\r\n");
    const std::string played = std::string(SCDTOOL_PATH) + " played --config " + ini + " --date 2026-12-21";
    ASSERT_EQ(std::system(("mkdir " + dir.path("LOG")).c_str()), 0);
    const OnAirRow rows[] = {
        rowAt(6, 0, 0, 300, "start", "Morning.m3u", 6 * 3600),
        trackRow(0, 0, 350, "track", "Morning.m3u", 1, "D:\\Music\\a.mp3", "Sunrise Band - Early, Light"),
        trackRow(3, 10, 0, "track-end", "Morning.m3u", 1, "D:\\Music\\a.mp3", "Sunrise Band - Early, Light", 189'650),
        trackRow(3, 10, 0, "track", "Morning.m3u", 2, "D:\\음악\\아침.mp3", "아침"),
        rowAt(6, 4, 0, 0, "silent", "Morning.m3u"),
        trackRow(4, 0, 0, "track-end", "Morning.m3u", 2, "D:\\음악\\아침.mp3", "아침", 45'000),
        trackRow(5, 0, 0, "track", "Morning.m3u", 3, "=cmd|' /C calc'!A0", "-Minus - @Sign"),
        rowAt(6, 7, 30, 400, "end", "Morning.m3u", 6 * 3600 + 450),
        trackRow(8, 0, 0, "track", "News.m3u", 1, "D:\\News\\n.mp3", "News at eight"),
        // Airvane started again and adopted it: the same track seen anew is one play.
        rowAt(6, 8, 40, 0, "adopt", "News.m3u"),
        trackRow(8, 0, 900, "track", "News.m3u", 1, "D:\\News\\n.mp3", "News at eight"),
        trackRow(9, 30, 0, "track-end", "News.m3u", 1, "D:\\News\\n.mp3", "News at eight", 90'000),
        // Killed with no end: it played as far as its length at most.
        trackRow(20, 0, 0, "track", "Late.m3u", 1, "D:\\l.mp3", "Late"),
        rowAt(6, 50, 0, 0, "start", "Late.m3u"),
    };
    for (OnAirRow row : rows) {
        if (row.title == "Late.m3u" && row.event == "track") row.trackMs = 200'000;
        ASSERT_TRUE(appendOnAirRow(dir.path("LOG/20261221-ONAIR.CSV"), row));
    }

    struct Case {
        const char* what;
        std::string command;
        int exitCode;
        std::string output;
    };
    const Case cases[] = {
        {"as text", played, 0,
         "2026-12-21 06:00:00  Morning.m3u  D:\\Music\\a.mp3  Sunrise Band / Early, Light  190 s\n"
         "2026-12-21 06:03:10  Morning.m3u  D:\\음악\\아침.mp3  아침  45 s\n"
         "2026-12-21 06:05:00  Morning.m3u  =cmd|' /C calc'!A0  -Minus / @Sign  ~150 s\n"
         "2026-12-21 06:08:00  News.m3u  D:\\News\\n.mp3  News at eight  90 s\n"
         "2026-12-21 06:20:00  Late.m3u  D:\\l.mp3  Late  ~200 s\n"
         "\n"
         "Morning.m3u: 3 tracks, 385 s\n"
         "News.m3u: 1 track, 90 s\n"
         "Late.m3u: 1 track, 200 s\n"},
        {"as CSV, guarded as the record is", played + " --csv", 0,
         "date,start,programme,list_pos,file,artist,title,played_s,played_from\r\n"
         "2026-12-21,06:00:00,Morning.m3u,1,D:\\Music\\a.mp3,Sunrise Band,\"Early, Light\",190,track-end\r\n"
         "2026-12-21,06:03:10,Morning.m3u,2,D:\\음악\\아침.mp3,,아침,45,track-end\r\n"
         "2026-12-21,06:05:00,Morning.m3u,3,'=cmd|' /C calc'!A0,'-Minus,'@Sign,150,next\r\n"
         "2026-12-21,06:08:00,News.m3u,1,D:\\News\\n.mp3,,News at eight,90,track-end\r\n"
         "2026-12-21,06:20:00,Late.m3u,1,D:\\l.mp3,,Late,200,next\r\n"
         "2026-12-21,,Morning.m3u,,,,3 tracks,385,total\r\n"
         "2026-12-21,,News.m3u,,,,1 tracks,90,total\r\n"
         "2026-12-21,,Late.m3u,,,,1 tracks,200,total\r\n"},
        {"a day with no record", std::string(SCDTOOL_PATH) + " played --config " + ini + " --date 2026-12-22", 0,
         dir.path("LOG\\20261222-ONAIR.CSV") + ": there is no on-air record for that day\n"},
        {"another LOG folder", played + " --log " + dir.path("elsewhere"), 0,
         dir.path("elsewhere\\20261221-ONAIR.CSV") + ": there is no on-air record for that day\n"},
        {"no INI", std::string(SCDTOOL_PATH) + " played --config " + dir.path("none.INI") + " --date 2026-12-21", 2,
         "scdtool: " + dir.path("none.INI") + " cannot be read\n"},
        {"a record that cannot be read", played + " --log " + dir.path(""), 2, ""},
        {"no date", std::string(SCDTOOL_PATH) + " played --config " + ini, 2, ""},
    };
    ASSERT_EQ(std::system(("mkdir " + dir.path("20261221-ONAIR.CSV")).c_str()), 0);  // a folder, not a file
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int exitCode = -1;
        const std::string output = run(c.command, &exitCode);
        EXPECT_EQ(exitCode, c.exitCode);
        if (!c.output.empty()) EXPECT_EQ(output, c.output);
        else EXPECT_NE(output.find(c.exitCode == 2 && c.command.find("--log") != std::string::npos ? "cannot be read" : "usage"),
                       std::string::npos) << output;
    }
}

// The day read from disk, as scdtool asrun and the status server read it;
// a day still going is judged up to a second, so that what is still to
// come is not missed.
TEST(AsRun, TheDayFromDiskJudgedUpToASecond) {
    test::TempDir station;
    const std::string job = station.write(
        "day.scd", "Airvane Data V1.0\r\n-1 8:0:0 9:0:0 0/0/0 4|Morning.m3u\r\n-1 12:0:0 13:0:0 0/0/0 4|Noon.m3u\r\n");
    const std::string config =
        station.write("station.INI", "[Config]\r\nFadeoutTime=3\r\nAdjRealTimeSec=0\r\nJobFile=" + job + "\r\n");
    makeDirectory(station.path("LOG"));
    OnAirRow start;
    start.when = localTimeAt(2026, 12, 9, 8 * 3600);
    start.when.millisecond = 120;
    start.event = std::string(onair::kStart);
    start.title = "Morning.m3u";
    start.dueSec = 8 * 3600;
    start.lateMs = 120;
    ASSERT_TRUE(appendOnAirRow(station.path("LOG/") + onAirRecordName(2026, 12, 9), start));
    const struct {
        int32_t upTo;
        int planned, onTime, missed;
    } rows[] = {
        {7 * 3600, 0, 0, 0},
        {10 * 3600, 1, 1, 0},  // Noon is still to come
        {86399, 2, 1, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.upTo);
        const AsRunDay day = asRunForDay(config, station.path("LOG/"), 2026, 12, 9, row.upTo);
        EXPECT_TRUE(day.recordFound);
        EXPECT_EQ(day.recordRows, 1u);
        EXPECT_EQ(day.report.planned, row.planned);
        EXPECT_EQ(day.report.onTime, row.onTime);
        EXPECT_EQ(day.report.missed, row.missed);
    }
    const AsRunDay none = asRunForDay(config, station.path("LOG/"), 2026, 12, 10);
    EXPECT_FALSE(none.recordFound);
    EXPECT_TRUE(none.recordReadable);
}

}  // namespace
}  // namespace airvane
