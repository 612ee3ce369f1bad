#include "onair/on_air_record.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "model/node_label.h"
#include "monitor/now_playing.h"
#include "scheduler/plan.h"
#include "storage/file_io.h"
#include "storage/filesystem.h"
#include "storage/text.h"

namespace airvane {

namespace {

constexpr int64_t kDayMs = 86'400'000;

template <typename Number>
std::string numberText(const std::optional<Number>& value) {
    return value ? std::to_string(*value) : std::string();
}

std::string dueText(const std::optional<int32_t>& due) { return due ? clockText(*due) : std::string(); }

// The fields of one record; false when the text ends inside it (a row cut
// off before its CR LF). A CR LF ends a record even inside quotes: the
// writer never puts one in a field, so a torn row cannot swallow the next.
bool splitRecord(std::string_view text, std::size_t& at, std::vector<std::string>& fields) {
    fields.assign(1, std::string());
    bool quoted = false;
    while (at < text.size()) {
        const char c = text[at++];
        if (c == '\r' && at < text.size() && text[at] == '\n') {
            ++at;
            return true;
        }
        if (quoted) {
            if (c != '"') fields.back() += c;
            else if (at < text.size() && text[at] == '"') fields.back() += text[at++];
            else quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return false;
}

// "YYYY-MM-DD" and "HH:MM:SS.mmm".
bool parseDate(const std::string& date, const std::string& time, LocalTime& when) {
    PlanRequest day;
    int32_t second = 0;
    if (time.size() != 12 || time[8] != '.' || !parsePlanDate(date, day) || !parsePlanTime(time.substr(0, 8), second))
        return false;
    when = localTimeAt(day.year, day.month, day.day, second);
    when.millisecond = std::atoi(time.c_str() + 9);
    return true;
}

template <typename Number>
std::optional<Number> optionalNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    return static_cast<Number>(std::strtoll(text.c_str(), nullptr, 10));
}

std::optional<int32_t> optionalDue(const std::string& text) {
    int32_t due = 0;
    if (!parsePlanTime(text, due)) return std::nullopt;
    return due;
}

}  // namespace

std::string csvField(std::string_view field) {
    std::string text(field);
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    if (text.find_first_of(",\"") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + '"';
}

std::string csvLine(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& field : fields) {
        if (&field != fields.begin()) line += ',';
        line += csvField(field);
    }
    return line + "\r\n";
}

std::string textForSpreadsheet(std::string_view text) {
    if (text.empty() || std::string_view("=+-@\t\r'").find(text.front()) == std::string_view::npos)
        return std::string(text);
    return "'" + std::string(text);
}

std::string spreadsheetText(std::string_view field) {
    if (!field.empty() && field.front() == '\'') field.remove_prefix(1);
    return std::string(field);
}

std::string clockTextWithMilliseconds(const LocalTime& time) {
    char milliseconds[8];
    std::snprintf(milliseconds, sizeof milliseconds, ".%03d", time.millisecond);
    return clockText(toDaySeconds(time.hour, time.minute, time.second)) + milliseconds;
}

std::string onAirCsvRow(const OnAirRow& row) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", row.when.year, row.when.month, row.when.day);
    return csvLine({date, clockTextWithMilliseconds(row.when), row.event, textForSpreadsheet(row.title),
                    dueText(row.dueSec), numberText(row.lateMs), numberText(row.lengthMs),
                    textForSpreadsheet(row.detail), numberText(row.listPos), textForSpreadsheet(row.file),
                    numberText(row.trackMs), numberText(row.playedMs)});
}

std::string onAirRecordName(int year, int month, int day) {
    char name[32];
    std::snprintf(name, sizeof name, "%04d%02d%02d-ONAIR.CSV", year, month, day);
    return name;
}

std::optional<std::string> onAirRecordPath(const std::string& programFolder, int year, int month, int day) {
    std::string path = programFolder;
    ensureBackslash(path);
    path += "LOG\\" + onAirRecordName(year, month, day);
    if (path.size() > kPathMax) return std::nullopt;
    return path;
}

int64_t lateBy(const LocalTime& when, int32_t dueSec) {
    const int64_t done = ((when.hour * 60 + when.minute) * 60 + when.second) * int64_t{1000} + when.millisecond;
    int64_t late = done - int64_t{dueSec} * 1000;
    if (late < -kDayMs / 2) late += kDayMs;
    if (late > kDayMs / 2) late -= kDayMs;
    return late;
}

bool appendOnAirRow(const std::string& path, const OnAirRow& row) {
    // The header goes with the day's first row, in the same one write; a
    // row torn by a kill is ended first, so that it stays a line of its own.
    std::string start;
    if (pathKind(path) == 0) {
        start = kOnAirHeader;
    } else if (File file{openNativeFile(path, "rb")}; file && std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.get());
        char last[2] = {};
        if (size == 0) {
            start = kOnAirHeader;
        } else if (size < 2 || std::fseek(file.get(), -2, SEEK_END) != 0 || std::fread(last, 1, 2, file.get()) != 2 ||
                   !(last[0] == '\r' && last[1] == '\n')) {
            start = "\r\n";
        }
    }
    return appendToLog(path, start + onAirCsvRow(row));
}

void HeldOnAirRows::write(const std::string& path, const OnAirRow& row) {
    held_.emplace_back(path, row);
    retry();
}

void HeldOnAirRows::retry() {
    std::deque<std::pair<std::string, OnAirRow>> still;
    std::vector<std::string> refusing;  // files that refused a row just now: their later rows wait too
    for (auto& entry : held_) {
        const bool waits = std::find(refusing.begin(), refusing.end(), entry.first) != refusing.end();
        if (!waits && append_(entry.first, entry.second)) continue;
        if (!waits) refusing.push_back(entry.first);
        still.push_back(std::move(entry));
    }
    held_.swap(still);
}

std::vector<OnAirRow> parseOnAirCsv(std::string_view text) {
    std::vector<OnAirRow> rows;
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (at < text.size() && splitRecord(text, at, fields)) {
        OnAirRow row;
        if (fields.size() < 8 || !parseDate(fields[0], fields[1], row.when)) continue;  // the header, or no row
        row.event = fields[2];
        row.title = spreadsheetText(fields[3]);
        row.dueSec = optionalDue(fields[4]);
        row.lateMs = optionalNumber<int64_t>(fields[5]);
        row.lengthMs = optionalNumber<int64_t>(fields[6]);
        row.detail = spreadsheetText(fields[7]);
        if (fields.size() >= 12) {
            row.listPos = optionalNumber<int32_t>(fields[8]);
            row.file = spreadsheetText(fields[9]);
            row.trackMs = optionalNumber<int64_t>(fields[10]);
            row.playedMs = optionalNumber<int64_t>(fields[11]);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

OnAirRecord readOnAirRecord(const std::string& path) {
    OnAirRecord record;
    const int kind = pathKind(path);
    record.found = kind != 0;
    if (!record.found) {
        record.readable = true;
        return record;
    }
    const std::optional<std::string> bytes = kind == 1 ? readWholeFile(path) : std::nullopt;
    record.readable = bytes.has_value();
    if (bytes) record.rows = parseOnAirCsv(*bytes);
    return record;
}

}  // namespace airvane
