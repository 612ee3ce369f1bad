// Where a programme would be now had the air not broken: worked out from
// what the on-air record says went on air (its track rows, the rejoins, the
// programme's start), the track lengths the record learnt on any day, and
// the time that has passed. KeepOnAir puts the player there.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "onair/on_air_record.h"
#include "scheduler/local_time.h"

namespace airvane {

// Milliseconds on one line across days (from 1970-01-01), so that a
// programme begun the evening before is measured as any other.
int64_t timeLineMs(const LocalTime& time);

// The length of each file as a track row last gave it; paths compared as
// Windows compares file names.
class TrackLengths {
public:
    void learn(const std::vector<OnAirRow>& rows);
    std::optional<int64_t> of(const std::string& file) const;
    bool knowsAll(const std::vector<std::string>& files) const;
    void set(const std::string& file, int64_t lengthMs);

private:
    std::map<std::string, int64_t> lengths_;  // by the path folded as Windows folds it
};

struct ProgrammeList {
    std::string title;               // the Schedule's text, as the record's title column has it
    std::vector<std::string> files;  // in the order the player's list has them
    bool shuffle = false;
    bool repeat = false;
};

struct RejoinPoint {
    int index = 0;          // 0-based place in the list
    int64_t offsetMs = 0;   // where in that track
    bool known = false;     // worked out from the record; false: from the list's beginning
    bool listEnded = false; // without repeat the list would have ended by now
};

// What a rejoin reads: the record of the day before and of today, and the
// lengths those and older records learnt (the older read newest first, and
// only until every file of the list has one).
struct RejoinKnowledge {
    std::vector<OnAirRow> rows;
    TrackLengths lengths;
};
RejoinKnowledge readRejoinKnowledge(const std::string& programFolder, const LocalTime& now,
                                    const std::vector<std::string>& files);

// rows: the record of the day before and of today, in order. airingStart:
// when this airing of the programme was due (its start second, today or
// the evening before): rows of an earlier airing are no guide, and with no
// row of this one the list is walked from that second.
RejoinPoint whereNow(const ProgrammeList& programme, const std::vector<OnAirRow>& rows,
                     const TrackLengths& lengths, const LocalTime& airingStart, const LocalTime& now);

}  // namespace airvane
