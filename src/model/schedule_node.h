// The record behind every item of the schedule tree.
#pragma once

#include <cstdint>
#include <string>

namespace airvane {

enum NodeKind : int32_t { kRoot = 0, kSchedule = 1, kFile = 2 };

// kSoftStart: the programme waits for the song on air to end, up to
// SoftWaitSec, at its start and at its end time.
enum ScheduleOptions : int32_t { kShuffle = 1, kRepeat = 2, kNoFadeOut = 4, kSoftStart = 8 };
// The bits the schedule editor shows; others (from a newer program) pass
// through an edit as they came.
inline constexpr int32_t kEditorOptions = kShuffle | kRepeat | kNoFadeOut | kSoftStart;

inline constexpr int32_t kEveryDay = -1;  // weekdays: all bits
inline constexpr int32_t kNoEndTime = -1;

struct ScheduleNode {
    int32_t kind = kRoot;
    int32_t startSec = 0;  // DaySeconds
    int32_t endSec = 0;    // DaySeconds, or kNoEndTime
    int32_t year = 0;      // 0 = every year
    int32_t month = 0;     // 0 = every month
    int32_t day = 0;       // 0 = every day
    int32_t weekdays = 0;  // bit (1 << day of week), Sunday = bit 0; kEveryDay
    int32_t options = 0;   // ScheduleOptions
    // Never stored:
    bool playing = false;  // started and not yet ended
    bool editing = false;  // the editor works on an existing schedule
    int8_t marquee = 0;    // step of the arrow bar after the label, 0 = none
    // Schedule: the programme title (ends in ".m3u"); File: the audio file's
    // full path; Root: empty.
    std::string text;
};

// Copies what a schedule file stores, keeping what lives only in memory
// (playing, the marks): how an edit made on a copy is taken back.
inline void copyStoredFields(const ScheduleNode& from, ScheduleNode& to) {
    to.kind = from.kind;
    to.startSec = from.startSec;
    to.endSec = from.endSec;
    to.year = from.year;
    to.month = from.month;
    to.day = from.day;
    to.weekdays = from.weekdays;
    to.options = from.options;
    to.text = from.text;
}

// A new Schedule as the add command makes it.
inline ScheduleNode newScheduleRecord() {
    ScheduleNode node;
    node.kind = kSchedule;
    node.weekdays = kEveryDay;
    node.endSec = kNoEndTime;
    return node;
}

inline constexpr const char* kRootText = "방송 스케쥴";

}  // namespace airvane
