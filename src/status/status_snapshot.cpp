#include "status/status_snapshot.h"

#include <cstdio>

#include "scheduler/timetable.h"
#include "status/utf8_text.h"

namespace airvane {

namespace {

std::string jsonText(std::string_view systemText) { return jsonString(systemTextToUtf8(systemText)); }

std::string jsonNumber(const std::optional<int64_t>& value) {
    return value ? std::to_string(*value) : std::string("null");
}

std::string todayJson(const std::optional<TodayCounts>& today) {
    if (!today) return "null";
    return "{\"planned\":" + std::to_string(today->planned) +
           ",\"on_time\":" + std::to_string(today->onTime) + ",\"late\":" + std::to_string(today->late) +
           ",\"missed\":" + std::to_string(today->missed) +
           ",\"cut_short\":" + std::to_string(today->cutShort) + "}";
}

}  // namespace

std::string programmeName(std::string_view scheduleText) {
    const std::size_t dot = scheduleText.rfind('.');
    return std::string(dot == std::string_view::npos ? scheduleText : scheduleText.substr(0, dot));
}

std::string isoLocalTime(const LocalTime& t) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, t.millisecond);
    return text;
}

std::string dayClock(int32_t daySeconds) {
    char text[16];
    const int32_t s = ((daySeconds % 86400) + 86400) % 86400;
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
    return text;
}

std::string jsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"')
            out += "\\\"";
        else if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string statusJson(const StatusSnapshot& s, const std::optional<TodayCounts>& today) {
    std::string json = "{\"heartbeat\":" + jsonString(isoLocalTime(s.heartbeat));
    json += ",\"scheduler\":" + std::string(s.scheduler ? "true" : "false");
    json += ",\"player\":" + std::string(s.playerFound ? "\"found\"" : "\"lost\"");
    json += ",\"now\":";
    if (s.now) {
        json += "{\"programme\":" + jsonText(s.now->programme) + ",\"title\":" + jsonText(s.now->title) +
                ",\"start\":" + jsonString(dayClock(s.now->startSec)) +
                ",\"end\":" + (s.now->endSec ? jsonString(dayClock(*s.now->endSec)) : std::string("null")) +
                ",\"position_ms\":" + jsonNumber(s.now->positionMs) +
                ",\"length_ms\":" + jsonNumber(s.now->lengthMs) + "}";
    } else {
        json += "null";
    }
    json += ",\"next\":";
    if (s.next) {
        json += "{\"programme\":" + jsonText(s.next->programme) +
                ",\"start\":" + jsonString(dayClock(s.next->startSec)) + "}";
    } else {
        json += "null";
    }
    json +=
        ",\"silence\":" + (s.silenceSince ? jsonString(isoLocalTime(*s.silenceSince)) : std::string("null"));
    json += ",\"today\":" + todayJson(today);
    return json + "}\n";
}

namespace {

// Outside text (a title, a file name) escaped for the page, whole
// characters only: a lead byte without its trail (a title cut in the
// middle of a Korean character) would take the next byte, a '<' of the
// markup, with it when the page is turned into UTF-8.
std::string pageText(const std::string& text) {
    std::string whole;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x81 || c == 0xFF) {
            whole += text[i];
            continue;
        }
        const auto trail = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (trail >= 0x41 && trail != 0xFF) whole += text.substr(i++, 2);
    }
    return escapeHtml(whole);
}

// One row of the page; warn marks what must stand out (late, missed, silent).
std::string pageRow(const std::string& label, const std::string& value, bool warn = false) {
    return std::string("<tr") + (warn ? " class=\"warn\"" : "") + "><th>" + label + "</th><td>" + value +
           "</td></tr>\n";
}

std::string countCell(int count) { return std::to_string(count); }

}  // namespace

std::string statusPage(const StatusSnapshot& s, const std::optional<TodayCounts>& today) {
    // Built in the program's own code page (its texts and these words),
    // escaped there (the five characters HTML gives a meaning to are ASCII
    // below 0x41, never the second byte of a CP949 character), and turned
    // into UTF-8 whole at the end.
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"ko\"><head><meta charset=\"utf-8\">\n"
        "<meta http-equiv=\"refresh\" content=\"5\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<title>Airvane 방송 상태</title>\n<style>\n"
        "body{font-family:sans-serif;margin:0;padding:12px;background:#f4f4f4;color:#222}\n"
        "h1{font-size:1.3em;margin:0 0 8px}h2{font-size:1.05em;margin:16px 0 4px}\n"
        "table{border-collapse:collapse;width:100%;max-width:560px;background:#fff}\n"
        "th,td{text-align:left;padding:6px 8px;border-bottom:1px solid #ddd;vertical-align:top}\n"
        "th{width:38%;color:#555;font-weight:normal}\n"
        ".onair td{font-size:1.2em;font-weight:bold}\n"
        ".warn th,.warn td{background:#c62828;color:#fff;font-weight:bold}\n"
        ".small{color:#777;font-size:.85em}\n</style></head><body>\n"
        "<h1>Airvane 방송 상태</h1>\n<table>\n";
    if (s.now) {
        page += "<tr class=\"onair\"><th>방송 중</th><td>" + pageText(s.now->programme) + "</td></tr>\n";
        page += pageRow("지금 곡", pageText(s.now->title));
        page += pageRow("시간",
                        dayClock(s.now->startSec) + " ~ " + (s.now->endSec ? dayClock(*s.now->endSec) : ""));
    } else {
        page += pageRow("방송 중", "없음");
    }
    page += pageRow(
        "다음", s.next ? pageText(s.next->programme) + " (" + dayClock(s.next->startSec) + ")" : "없음");
    page += pageRow(
        "무음",
        s.silenceSince ? isoLocalTime(*s.silenceSince).substr(11, 8) + "부터 소리가 없습니다" : "없음",
        s.silenceSince.has_value());
    page += pageRow("플레이어", s.playerFound ? "찾음" : "없음", !s.playerFound);
    page += pageRow("스케쥴러", s.scheduler ? "켜짐" : "꺼짐", !s.scheduler);
    page += "</table>\n<h2>오늘의 방송</h2>\n<table>\n";
    if (today) {
        page += pageRow("계획", countCell(today->planned));
        page += pageRow("정시", countCell(today->onTime));
        page += pageRow("늦음", countCell(today->late), today->late > 0);
        page += pageRow("빠짐", countCell(today->missed), today->missed > 0);
        page += pageRow("짧게 끝남", countCell(today->cutShort), today->cutShort > 0);
    } else {
        page += pageRow("계획", "알 수 없음");
    }
    page += "</table>\n<p class=\"small\">마지막 틱 " +
            isoLocalTime(s.heartbeat).replace(10, 1, " ").substr(0, 19) +
            " &middot; <a href=\"/status.json\">status.json</a> &middot; <a "
            "href=\"/onair.csv\">onair.csv</a></p>\n"
            "</body></html>\n";
    return systemTextToUtf8(page);
}

}  // namespace airvane
