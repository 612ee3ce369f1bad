// The text every tree item shows, computed from its record.
#pragma once

#include <cstdint>
#include <string>

#include "model/schedule_node.h"
#include "model/schedule_tree.h"

namespace airvane {

struct TimeOfDay {
    int32_t hour;
    int32_t minute;
    int32_t second;
};

// DaySeconds back into its parts, by truncating division.
TimeOfDay splitDaySeconds(int32_t seconds);
int32_t toDaySeconds(int32_t hour, int32_t minute, int32_t second);
// "hh:mm:ss" of DaySeconds.
std::string clockText(int32_t seconds);

// "%d/" or "매년/", "%02d/" or "매월/", "%02d " or "매일 ".
void appendDatePart(std::string& text, int32_t year, int32_t month, int32_t day);

// A Schedule: "[√]Title (date hh:mm:ss - hh:mm:ss)"; a File: its path; the
// Root: its text. The arrow bar follows while marquee is above 0.
std::string nodeLabel(const ScheduleNode& record);

// Sets the item's text from the record.
void relabel(ScheduleTree& tree, NodeItem item, const ScheduleNode& record);

}  // namespace airvane
