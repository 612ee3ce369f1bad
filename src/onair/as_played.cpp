#include "onair/as_played.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace airvane {

namespace {

int64_t dayMs(const LocalTime& t) {
    return ((int64_t{t.hour} * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

std::string dateText(const LocalTime& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.year, t.month, t.day);
    return text;
}

std::string startText(const LocalTime& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

std::string secondsText(const std::optional<int64_t>& ms) { return ms ? std::to_string((*ms + 500) / 1000) : ""; }

// A row after which a track without its own end cannot have played on: the
// programme ended, began again, was put back, or the player went away (an
// adoption is no end: what played plays on).
bool endsProgramme(const OnAirRow& row) {
    return row.event == onair::kEnd || row.event == onair::kOperatorStop || row.event == onair::kNotEnded ||
           row.event == onair::kStart || row.event == onair::kPlay || row.event == onair::kRejoin ||
           row.event == onair::kPlayerLost;
}

// The same track seen again by a later run of Airvane (it adopted what
// played): one play, not two.
bool sameTrack(const OnAirRow& a, const OnAirRow& b) {
    return b.event == onair::kTrack && a.title == b.title && a.listPos == b.listPos && a.file == b.file &&
           std::llabs(dayMs(b.when) - dayMs(a.when)) <= 2000;
}

struct Total {
    std::string programme;
    int tracks = 0;
    int64_t playedMs = 0;
};

std::vector<Total> totals(const std::vector<PlayedTrack>& tracks) {
    std::vector<Total> all;
    for (const PlayedTrack& track : tracks) {
        Total* total = nullptr;
        for (Total& t : all) {
            if (t.programme == track.programme) total = &t;
        }
        if (!total) total = &all.emplace_back(Total{track.programme});
        ++total->tracks;
        total->playedMs += track.playedMs.value_or(0);
    }
    return all;
}

}  // namespace

std::vector<PlayedTrack> asPlayed(const std::vector<OnAirRow>& rows) {
    std::vector<PlayedTrack> tracks;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const OnAirRow& row = rows[i];
        if (row.event != onair::kTrack) continue;
        const auto earlier = std::find_if(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(i),
                                          [&row](const OnAirRow& before) { return sameTrack(before, row); });
        if (earlier != rows.begin() + static_cast<std::ptrdiff_t>(i)) continue;
        PlayedTrack track;
        track.start = row.when;
        track.programme = row.title;
        track.listPos = row.listPos.value_or(0);
        track.file = row.file;
        const std::size_t dash = row.detail.find(" - ");
        track.artist = dash == std::string::npos ? std::string() : row.detail.substr(0, dash);
        track.title = dash == std::string::npos ? row.detail : row.detail.substr(dash + 3);
        // Its end is the first row of its programme after it that ends it.
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            const OnAirRow& later = rows[j];
            if (later.title != row.title || sameTrack(row, later)) continue;
            if (later.event == onair::kTrackEnd && later.listPos == row.listPos && later.playedMs) {
                track.playedMs = later.playedMs;
                track.playedFrom = "track-end";
                break;
            }
            if (later.event == onair::kTrack || endsProgramme(later)) {
                int64_t ms = dayMs(later.when) - dayMs(row.when);
                if (row.trackMs) ms = std::min(ms, *row.trackMs);  // it cannot have played longer
                if (ms >= 0) {
                    track.playedMs = ms;
                    track.playedFrom = "next";
                }
                break;
            }
        }
        tracks.push_back(std::move(track));
    }
    return tracks;
}

std::string asPlayedText(const std::vector<PlayedTrack>& tracks) {
    std::string text;
    for (const PlayedTrack& t : tracks) {
        const std::string played = t.playedMs ? (t.playedFrom == "next" ? "~" : "") + secondsText(t.playedMs) + " s"
                                              : "? s";
        text += dateText(t.start) + " " + startText(t.start) + "  " + t.programme + "  " + t.file + "  " +
                (t.artist.empty() ? "" : t.artist + " / ") + t.title + "  " + played + "\n";
    }
    if (!tracks.empty()) text += "\n";
    for (const Total& total : totals(tracks)) {
        text += total.programme + ": " + std::to_string(total.tracks) + (total.tracks == 1 ? " track, " : " tracks, ") +
                secondsText(total.playedMs) + " s\n";
    }
    return text;
}

std::string asPlayedCsv(const std::vector<PlayedTrack>& tracks) {
    std::string csv = "date,start,programme,list_pos,file,artist,title,played_s,played_from\r\n";
    for (const PlayedTrack& t : tracks) {
        csv += csvLine({dateText(t.start), startText(t.start), textForSpreadsheet(t.programme),
                        t.listPos ? std::to_string(t.listPos) : "", textForSpreadsheet(t.file),
                        textForSpreadsheet(t.artist), textForSpreadsheet(t.title), secondsText(t.playedMs),
                        t.playedFrom});
    }
    const std::string date = tracks.empty() ? std::string() : dateText(tracks.front().start);
    for (const Total& total : totals(tracks)) {
        csv += csvLine({date, "", textForSpreadsheet(total.programme), "", "", "",
                        std::to_string(total.tracks) + " tracks", secondsText(total.playedMs), "total"});
    }
    return csv;
}

}  // namespace airvane
