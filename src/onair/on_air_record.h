// The on-air record: LOG\YYYYMMDD-ONAIR.CSV beside the program, one row per
// thing the scheduler or the operator did to the air. CP949 text, CR LF,
// a header row, fields quoted as RFC 4180 says, so that a Korean spreadsheet
// opens it as it is. Rows are appended with one write each and flushed to
// the disk at once; a killed program leaves whole rows only.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "scheduler/local_time.h"

namespace airvane {

// The events, as written in the record's "event" column.
namespace onair {
inline constexpr std::string_view kStart = "start";              // handed to the player by the tick
inline constexpr std::string_view kPlay = "play";                // handed over by the play command
inline constexpr std::string_view kRejoin = "rejoin";            // put back on air after a restart
inline constexpr std::string_view kEnd = "end";                  // faded and stopped, or left playing
inline constexpr std::string_view kNotEnded = "not-ended";       // the stop was not made; detail: why
inline constexpr std::string_view kNotStarted = "not-started";   // detail: why
inline constexpr std::string_view kPlayerLost = "player-lost";
inline constexpr std::string_view kPlayerFound = "player-found";
inline constexpr std::string_view kSilent = "silent";            // not playing 5 s while on air
inline constexpr std::string_view kSilenceEnd = "silence-end";   // length: the whole gap
inline constexpr std::string_view kLoad = "load";
inline constexpr std::string_view kNotLoaded = "not-loaded";
inline constexpr std::string_view kClockSet = "clock-set";
inline constexpr std::string_view kClockNotSet = "clock-not-set";
inline constexpr std::string_view kOperatorStop = "operator-stop";
inline constexpr std::string_view kAlertFailed = "alert-failed";
inline constexpr std::string_view kVolumeNotRestored = "volume-not-restored";  // tried again at the next stop
inline constexpr std::string_view kVolumeRestored = "volume-restored";  // a volume owed since an earlier run
inline constexpr std::string_view kTrack = "track";              // a track went on air; detail: its cleaned title
inline constexpr std::string_view kTrackEnd = "track-end";       // it ended (next track, stop, silence): played_ms
inline constexpr std::string_view kAdopt = "adopt";              // found playing after a restart, left as it plays
inline constexpr std::string_view kFallback = "fallback";        // the fallback programme handed over; detail: the cause
inline constexpr std::string_view kPlayerNotStarted = "player-not-started";  // detail: why
}  // namespace onair

struct OnAirRow {
    LocalTime when;  // to the millisecond
    std::string event;
    std::string title;
    std::optional<int32_t> dueSec;   // the second of the day it was due; none for the operator's own
    std::optional<int64_t> lateMs;   // how late it came
    std::optional<int64_t> lengthMs; // a gap's length
    std::string detail;
    // A track's row: its 1-based place in the player's list, its file, its
    // length and (track-end, rejoin) how long it played or where it was joined.
    std::optional<int32_t> listPos;
    std::string file;
    std::optional<int64_t> trackMs;
    std::optional<int64_t> playedMs;
};

// The track columns came later, at the end: a record begun before them
// still reads, and its later rows simply have more fields.
inline constexpr std::string_view kOnAirHeader =
    "date,time,event,title,due,late_ms,length_ms,detail,list_pos,file,track_ms,played_ms\r\n";

// One field as RFC 4180 quotes it (a comma, a quote: quoted, quotes
// doubled); line breaks become blanks, so that a row stays one line.
std::string csvField(std::string_view field);
// Fields joined by commas, each as csvField quotes it, ended by CR LF.
std::string csvLine(std::initializer_list<std::string> fields);
// A text that a spreadsheet would take for a formula (it begins with = + -
// @, a tab or a CR) gets a leading ', and so does one that begins with a ',
// so that spreadsheetText takes exactly one off again. For the fields that
// hold outside text (titles, details), not for numbers.
std::string textForSpreadsheet(std::string_view text);
std::string spreadsheetText(std::string_view field);
// "HH:MM:SS.mmm" of a time.
std::string clockTextWithMilliseconds(const LocalTime& time);
// The row as the file holds it, CR LF included; line breaks inside a field
// become blanks, so that a row stays one line.
std::string onAirCsvRow(const OnAirRow& row);
// YYYYMMDD-ONAIR.CSV: the day's record in its folder.
std::string onAirRecordName(int year, int month, int day);
// LOG\YYYYMMDD-ONAIR.CSV under the program's folder; none when too long.
std::optional<std::string> onAirRecordPath(const std::string& programFolder, int year, int month, int day);
// How late a thing that happened at when came after the second due of its
// day, in milliseconds (a second due just before midnight and done just
// after counts across it).
int64_t lateBy(const LocalTime& when, int32_t dueSec);
// Appends the row (and the header first when the file is new or empty)
// with one write, flushed to the disk. False when it could not be written.
bool appendOnAirRow(const std::string& path, const OnAirRow& row);

// Rows the record would not take, kept in their order and written as soon
// as it takes them again: a spreadsheet that has the file open refuses
// every write to it. Nothing is lost while the program runs, nothing is
// written twice; a row waits while an earlier one for its file waits.
class HeldOnAirRows {
public:
    using Append = std::function<bool(const std::string& path, const OnAirRow& row)>;
    explicit HeldOnAirRows(Append append = appendOnAirRow) : append_(std::move(append)) {}

    // What waits, then row.
    void write(const std::string& path, const OnAirRow& row);
    // What waits, as far as its files take it.
    void retry();
    bool holding() const { return !held_.empty(); }
    // The file of the first row that waits; empty when none waits.
    std::string heldPath() const { return held_.empty() ? std::string() : held_.front().first; }

private:
    Append append_;
    std::deque<std::pair<std::string, OnAirRow>> held_;
};

struct OnAirRecord {
    bool readable = false;  // false: the file exists but could not be read
    bool found = false;     // the file exists
    std::vector<OnAirRow> rows;
};
// Every whole row; a last line without its CR LF (a write cut off) and the
// header are left out.
OnAirRecord readOnAirRecord(const std::string& path);
// The rows of CSV text (the reader's parser, for tests and scdtool).
std::vector<OnAirRow> parseOnAirCsv(std::string_view text);

}  // namespace airvane
