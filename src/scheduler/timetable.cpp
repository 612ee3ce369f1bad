#include "scheduler/timetable.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "model/node_label.h"
#include "scheduler/local_time.h"

namespace airvane {

namespace {

constexpr const char* kWeekdayNames[] = {"일", "월", "화", "수", "목", "금", "토"};
constexpr int kPixelsPerHour = 40;

// "hh:mm", as a timetable shows it.
std::string clock(int32_t seconds) { return clockText(seconds).substr(0, 5); }

int pixels(int32_t seconds) { return seconds * kPixelsPerHour / 3600; }

// The title without the playlist's ".m3u".
std::string shownTitle(const std::string& title) {
    const std::size_t dot = title.rfind('.');
    return dot != std::string::npos && title.substr(dot) == ".m3u" ? title.substr(0, dot) : title;
}

}  // namespace

TimetableDay timetableDay(const PlanRequest& request, const std::string& actions, int32_t fadeoutSeconds) {
    TimetableDay day;
    day.year = request.year;
    day.month = request.month;
    day.day = request.day;
    day.dayOfWeek = dayOfWeek(request.year, request.month, request.day);
    std::istringstream lines(actions);
    std::string line;
    TimetableBlock* open = nullptr;
    while (std::getline(lines, line)) {
        if (line.size() < 10) continue;
        int32_t when = 0;
        if (!parsePlanTime(line.substr(0, 8), when)) continue;
        const std::string action = line.substr(9);
        if (action.rfind("start ", 0) == 0) {
            if (open) open->end = when;  // the next start ends what plays
            std::string title = action.substr(6);
            const std::optional<int32_t> window = takeSoftWindow(title);
            day.blocks.push_back({title, when, 86400, window.value_or(0)});
            open = &day.blocks.back();
        } else if (action.rfind("end ", 0) == 0 && open) {
            std::string title = action.substr(4);
            if (const std::optional<int32_t> window = takeSoftWindow(title)) {
                // A soft end: the song may run on past it, up to the window.
                if (title == open->title) {
                    open->end = when;
                    open->softEndSec = *window;
                    open = nullptr;
                }
                continue;
            }
            // "end TITLE fade": the fade begins its lead time before the end.
            const std::size_t last = action.rfind(' ');
            if (action.substr(4, last - 4) == open->title) {
                open->end = std::min<int32_t>(86400, when + (action.substr(last + 1) == "fade" ? fadeoutSeconds : 0));
                open = nullptr;
            }
        } else if (action.rfind("load ", 0) == 0) {
            day.loads.emplace_back(when, action.substr(5));
        }
    }
    return day;
}

std::string escapeHtml(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string timetableHtml(const std::vector<TimetableDay>& week) {
    std::ostringstream html;
    const int height = pixels(86400);
    html << "<!DOCTYPE html>\n<html lang=\"ko\"><head><meta charset=\"EUC-KR\"><title>편성표</title><style>"
            "body{font-family:sans-serif;margin:12px}table{border-collapse:collapse}"
            "th{font-weight:normal;padding:4px;border-bottom:1px solid #888}"
            "td{vertical-align:top;padding:0 2px;border-left:1px solid #ddd}"
            ".day{position:relative;width:150px;height:" << height << "px}"
            ".hours{position:relative;width:40px;height:" << height << "px;font-size:11px;color:#666}"
            ".hour{position:absolute;left:0}"
            ".block{position:absolute;left:2px;right:2px;overflow:hidden;background:#dbe8f7;border:1px solid #6b8fbf;"
            "font-size:11px;box-sizing:border-box;padding:1px 3px}"
            ".load{position:absolute;left:0;right:0;border-top:2px dashed #c33;font-size:10px;color:#c33}"
            "</style></head><body>\n<h1>주간 편성표</h1>\n<table><tr><th></th>";
    for (const TimetableDay& day : week) {
        html << "<th>" << kWeekdayNames[day.dayOfWeek] << "<br>" << day.year << "-" << (day.month < 10 ? "0" : "")
             << day.month << "-" << (day.day < 10 ? "0" : "") << day.day << "</th>";
    }
    html << "</tr>\n<tr><td><div class=\"hours\">";
    for (int hour = 0; hour < 24; ++hour) {
        html << "<div class=\"hour\" style=\"top:" << hour * kPixelsPerHour << "px\">" << (hour < 10 ? "0" : "") << hour
             << ":00</div>";
    }
    html << "</div></td>\n";
    for (std::size_t d = 0; d < week.size(); ++d) {
        html << "<td><div class=\"day\">";
        for (const TimetableBlock& block : week[d].blocks) {
            html << "<div class=\"block\" data-day=\"" << d << "\" data-title=\"" << escapeHtml(block.title)
                 << "\" data-start=\"" << clockText(block.start)
                 << "\" data-end=\"" << clockText(block.end % 86400) << "\" style=\"top:" << pixels(block.start)
                 << "px;height:" << std::max(pixels(block.end) - pixels(block.start), 12) << "px\">" << clock(block.start)
                 << "-" << clock(block.end % 86400) << " " << escapeHtml(shownTitle(block.title));
            // The song before may run on into the block, and the block's last song past its end.
            if (block.softStartSec > 0) html << " (곡 끝에 시작, " << block.softStartSec << "초까지)";
            if (block.softEndSec > 0) html << " (곡 끝에 끝, " << block.softEndSec << "초까지)";
            html << "</div>";
        }
        for (const auto& [when, jobFile] : week[d].loads) {
            html << "<div class=\"load\" style=\"top:" << pixels(when) << "px\">" << clock(when) << " "
                 << escapeHtml(jobFile) << "</div>";
        }
        html << "</div></td>\n";
    }
    html << "</tr></table>\n</body></html>\n";
    return html.str();
}

}  // namespace airvane
