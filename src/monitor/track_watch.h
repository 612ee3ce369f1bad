// What track of a programme plays, kept on the UI thread from what the
// player was asked (on the conversation's thread) and what the monitor
// saw: the title changing, the file the file-info box names, the
// programme marked on air, a silence. It decides when a track went on air
// and when it ended, and gives the on-air record's rows for it:
//   track      when it went on air: the programme (title), its 1-based
//              list position, its file, its cleaned title (detail) and
//              its length (track_ms) when the player tells it;
//   track-end  when the next track begins, the player stops, a silence
//              begins or the programme ends or changes: how long it
//              played (played_ms), from the positions the player told and
//              the steady clock between them.
// A player that does not answer the track questions (a list position or
// a state of -1) leaves the track unknown: no track rows, and current()
// says nothing, rather than rows that might be wrong.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "onair/on_air_record.h"
#include "scheduler/local_time.h"

namespace airvane {

// The player's answers to one track question; -1 where it gave none.
struct TrackAnswer {
    uint64_t question = 0;
    int state = -1;           // IPC_ISPLAYING: 0 stopped, 1 playing, 3 paused
    int listPos = -1;         // IPC_GETLISTPOS, 0-based
    int64_t positionMs = -1;  // IPC_GETOUTPUTTIME 0
    int64_t lengthMs = -1;    // IPC_GETOUTPUTTIME 2 (or 1, in seconds)
};

// When something was learnt: a steady millisecond count (which no change
// of the clock moves) and the local time of that moment, for the rows.
struct WatchMoment {
    int64_t ms = 0;
    LocalTime local;
};

// The track on air as last learnt. positionMs was the position at
// learntAt (the steady count): a reader adds the time since while state
// is 1 (playing).
struct TrackNow {
    std::string programme;
    std::string file;  // empty until the file-info box named it
    int listPos = -1;  // 0-based, as the player counts
    int64_t positionMs = -1;
    int64_t lengthMs = -1;
    int state = -1;
    int64_t learntAt = 0;
};

inline constexpr int64_t kTrackAskEveryMs = 5'000;   // while a programme is on air
inline constexpr int64_t kTrackPathWaitMs = 5'000;   // a track row waits this long for its file
inline constexpr int64_t kHandOverWaitMs = 20'000;   // after a change of programme, see below

class TrackWatch {
public:
    // Each tick: the programme marked on air (the Schedule's text), none
    // when nothing should play.
    void programmeOnAir(const WatchMoment& now, const std::optional<std::string>& programme);
    // The monitor saw a new title (cleaned).
    void titleChanged(const WatchMoment& now, const std::string& cleanedTitle);
    // The monitor learnt the playing file, for its latest title.
    void pathLearnt(const WatchMoment& now, const std::string& path);
    // A silence began, silentForMs ago.
    void silenceBegan(const WatchMoment& now, int64_t silentForMs);
    // The number of a question to ask the player now; 0 when none is due.
    // Due at every new title and every kTrackAskEveryMs while a programme
    // is on air. The caller asks only while the player's window is there.
    uint64_t questionDue(const WatchMoment& now);
    // How often a question is due on the clock (kTrackAskEveryMs unless
    // changed): a fallback programme needs to see a stopped position sooner.
    void askEvery(int64_t ms) { askEveryMs_ = ms; }
    void answered(const WatchMoment& now, const TrackAnswer& answer);
    // The rows decided since the last call, oldest first; a track row
    // whose file did not come within kTrackPathWaitMs goes without it.
    std::vector<OnAirRow> takeRows(const WatchMoment& now);
    std::optional<TrackNow> current() const;

private:
    struct Track {
        std::string programme, file, title;
        int listPos = 0;
        int64_t lengthMs = -1;
        int64_t lastPosition = 0;  // at lastAt
        int64_t lastAt = 0;
        int lastState = 1;
        int64_t openedAt = 0;
        LocalTime openedLocal;
        bool rowWritten = false;
        uint64_t titleFrom = 0;  // the title (by number) its file and name come with
    };

    void open(const WatchMoment& now, const TrackAnswer& answer, uint64_t titleFrom);
    void end(const WatchMoment& now, int64_t playedMs);
    int64_t playedUntil(int64_t ms) const;
    void settle(const WatchMoment& now);
    void writeTrackRow();
    static OnAirRow rowOf(const Track& track, std::string_view event, const LocalTime& when);

    std::optional<Track> track_;
    std::optional<std::string> programme_;
    int64_t lastProgrammeAt_ = INT64_MIN / 2;
    bool awaitingHandOver_ = false;
    int64_t programmeChangedAt_ = 0;

    uint64_t titles_ = 0;  // titles seen, numbered
    std::string title_;
    std::optional<int64_t> titleSinceAnswer_;  // when the first new title since the last answer came
    std::string path_;
    uint64_t pathTitle_ = 0;  // the title the path was learnt for

    uint64_t questions_ = 0;
    uint64_t askedTitles_ = 0;  // titles seen when the last question was asked
    uint64_t questionTitle_ = 0;  // the title the latest question's answer belongs to
    int64_t askedAt_ = INT64_MIN / 2;
    int64_t askEveryMs_ = kTrackAskEveryMs;
    uint64_t lastAnswered_ = 0;
    std::optional<int64_t> lastAnswerAt_;
    std::vector<OnAirRow> rows_;
};

}  // namespace airvane
