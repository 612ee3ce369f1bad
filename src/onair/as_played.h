// The day's as-played list from its on-air record: one line per track that
// went on air (its `track` row), with the time it played, and the totals
// per programme; what music-rights bodies ask a station for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "onair/on_air_record.h"

namespace airvane {

struct PlayedTrack {
    LocalTime start;
    std::string programme;
    int listPos = 0;  // 1-based; 0 when the row had none
    std::string file;
    std::string artist;  // the cleaned title before its first " - "; empty when it has none
    std::string title;
    // How long it played: from its track-end row, or else up to the next
    // track or the end of its programme (playedFrom says which); none when
    // neither is in the record.
    std::optional<int64_t> playedMs;
    std::string playedFrom;  // "track-end", "next", or empty
};

std::vector<PlayedTrack> asPlayed(const std::vector<OnAirRow>& rows);
// For a terminal: a line a track, then the totals per programme.
std::string asPlayedText(const std::vector<PlayedTrack>& tracks);
// For a spreadsheet: a header, a row a track, then a total row per
// programme; quoted and guarded as the record is.
std::string asPlayedCsv(const std::vector<PlayedTrack>& tracks);

}  // namespace airvane
