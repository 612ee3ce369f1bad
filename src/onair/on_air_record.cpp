#include "onair/on_air_record.h"

#include <cstdio>
#include <cstdlib>

#include "monitor/now_playing.h"
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

std::string dueText(const std::optional<int32_t>& due) {
    if (!due) return {};
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", *due / 3600, *due / 60 % 60, *due % 60);
    return text;
}

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

bool parseDate(const std::string& date, const std::string& time, LocalTime& when) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    if (std::sscanf(date.c_str(), "%d-%d-%d", &y, &mo, &d) != 3) return false;
    if (std::sscanf(time.c_str(), "%d:%d:%d.%d", &h, &mi, &s, &ms) != 4) return false;
    when = LocalTime{y, mo, d, dayOfWeek(y, mo, d), h, mi, s, ms};
    return true;
}

template <typename Number>
std::optional<Number> optionalNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    return static_cast<Number>(std::strtoll(text.c_str(), nullptr, 10));
}

std::optional<int32_t> optionalDue(const std::string& text) {
    int h = 0, m = 0, s = 0;
    if (std::sscanf(text.c_str(), "%d:%d:%d", &h, &m, &s) != 3) return std::nullopt;
    return h * 3600 + m * 60 + s;
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

std::string onAirCsvRow(const OnAirRow& row) {
    char stamp[48];
    const LocalTime& t = row.when;
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d,%02d:%02d:%02d.%03d,", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, t.millisecond);
    std::string text = stamp;
    const std::string fields[] = {row.event, row.title, dueText(row.dueSec), numberText(row.lateMs),
                                  numberText(row.lengthMs), row.detail};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        if (i > 0) text += ',';
        text += csvField(fields[i]);
    }
    return text + "\r\n";
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
    } else if (File file{openNativeFile(path, "rb")}; file && std::fseek(file.get(), -2, SEEK_END) == 0) {
        char last[2] = {};
        if (std::fread(last, 1, 2, file.get()) == 2 && !(last[0] == '\r' && last[1] == '\n')) start = "\r\n";
    }
    return appendToLog(path, start + onAirCsvRow(row));
}

std::vector<OnAirRow> parseOnAirCsv(std::string_view text) {
    std::vector<OnAirRow> rows;
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (at < text.size() && splitRecord(text, at, fields)) {
        OnAirRow row;
        if (fields.size() < 8 || !parseDate(fields[0], fields[1], row.when)) continue;  // the header, or no row
        row.event = fields[2];
        row.title = fields[3];
        row.dueSec = optionalDue(fields[4]);
        row.lateMs = optionalNumber<int64_t>(fields[5]);
        row.lengthMs = optionalNumber<int64_t>(fields[6]);
        row.detail = fields[7];
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
