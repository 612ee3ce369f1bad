#include "model/node_label.h"

#include <algorithm>
#include <cstdio>

#include "storage/text.h"

namespace airvane {

TimeOfDay splitDaySeconds(int32_t seconds) {
    return {(seconds / 60) / 60, (seconds / 60) % 60, seconds % 60};
}

int32_t toDaySeconds(int32_t hour, int32_t minute, int32_t second) {
    // Wrapping arithmetic: a file may hold any numbers.
    return static_cast<int32_t>(static_cast<uint32_t>(hour) * 3600u + static_cast<uint32_t>(minute) * 60u +
                                static_cast<uint32_t>(second));
}

std::string clockText(int32_t seconds) {
    const TimeOfDay t = splitDaySeconds(seconds);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

void appendDatePart(std::string& text, int32_t year, int32_t month, int32_t day) {
    char part[16];
    if (year) {
        std::snprintf(part, sizeof part, "%d/", year);
        text += part;
    } else {
        text += "매년/";
    }
    if (month) {
        std::snprintf(part, sizeof part, "%02d/", month);
        text += part;
    } else {
        text += "매월/";
    }
    if (day) {
        std::snprintf(part, sizeof part, "%02d ", day);
        text += part;
    } else {
        text += "매일 ";
    }
}

namespace {
void appendTime(std::string& text, int32_t seconds, const char* format) {
    TimeOfDay t = splitDaySeconds(seconds);
    char part[48];
    std::snprintf(part, sizeof part, format, t.hour, t.minute, t.second);
    text += part;
}
}  // namespace

std::string nodeLabel(const ScheduleNode& record) {
    std::string label = record.text;
    if (record.kind == kSchedule) {
        if (record.playing) insertText(label, 0, "√");
        int dot = findLastChar(label, '.');
        if (dot >= 0) label.resize(static_cast<std::size_t>(dot));
        label += " (";
        if (record.year || record.month || record.day) appendDatePart(label, record.year, record.month, record.day);
        appendTime(label, record.startSec, "%02d:%02d:%02d - ");
        if (record.endSec == kNoEndTime) label += ")";
        else appendTime(label, record.endSec, "%02d:%02d:%02d)");
    }
    if (record.marquee > 0) {
        static constexpr std::string_view kArrows = "  ▶▶▶▶▶▶▶▶▶▶";
        label += kArrows.substr(0, std::min<std::size_t>(kArrows.size(), record.marquee * 2u + 2u));
    }
    return label;
}

void relabel(ScheduleTree& tree, NodeItem item, const ScheduleNode& record) {
    tree.setNodeText(item, nodeLabel(record));
}

}  // namespace airvane
