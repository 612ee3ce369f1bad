#include "monitor/track_watch.h"

#include <algorithm>
#include <utility>

namespace airvane {

namespace {

constexpr int kStopped = 0;
constexpr int kPlaying = 1;
// A programme that was on air this recently still plays out (its fade)
// when the next one is marked.
constexpr int64_t kStillFadingMs = 10'000;
constexpr int64_t kDayMs = 86'400'000;

// The local time milliseconds before a moment, across midnight if need be.
LocalTime earlierBy(const LocalTime& at, int64_t milliseconds) {
    int64_t ms = ((int64_t{at.hour} * 60 + at.minute) * 60 + at.second) * 1000 + at.millisecond - milliseconds;
    LocalTime day = at;
    while (ms < 0) {
        day = previousDay(day);
        ms += kDayMs;
    }
    LocalTime result = localTimeAt(day.year, day.month, day.day, static_cast<int32_t>(ms / 1000));
    result.millisecond = static_cast<int>(ms % 1000);
    return result;
}

}  // namespace

void TrackWatch::programmeOnAir(const WatchMoment& now, const std::optional<std::string>& programme) {
    if (programme == programme_) {
        if (programme_) lastProgrammeAt_ = now.ms;
        return;
    }
    if (track_) end(now, playedUntil(now.ms));
    // What plays right after another programme may still be that one's,
    // fading out: the new one's first track is the one the hand-over
    // started, seen stopped first or begun since the change.
    awaitingHandOver_ = programme && (programme_ || now.ms - lastProgrammeAt_ < kStillFadingMs);
    programmeChangedAt_ = now.ms;
    programme_ = programme;
    if (programme_) lastProgrammeAt_ = now.ms;
}

void TrackWatch::titleChanged(const WatchMoment& now, const std::string& cleanedTitle) {
    ++titles_;
    title_ = cleanedTitle;
    if (!titleSinceAnswer_) titleSinceAnswer_ = now.ms;
}

void TrackWatch::pathLearnt(const WatchMoment& now, const std::string& path) {
    if (path.empty()) return;  // stopped, or the box gave none
    path_ = path;
    pathTitle_ = titles_;
    settle(now);
}

void TrackWatch::silenceBegan(const WatchMoment& now, int64_t silentForMs) {
    if (!track_) return;
    end(now, playedUntil(std::max(track_->lastAt, now.ms - silentForMs)));
}

uint64_t TrackWatch::questionDue(const WatchMoment& now) {
    if (!programme_) return 0;
    const bool newTitle = titles_ > askedTitles_;
    if (!newTitle && now.ms - askedAt_ < askEveryMs_) return 0;
    askedTitles_ = titles_;
    askedAt_ = now.ms;
    // Asked at a new title, the answer goes with that title; asked on the
    // clock, a track it finds new has its title (and file) still to come.
    questionTitle_ = newTitle ? titles_ : titles_ + 1;
    return ++questions_;
}

void TrackWatch::answered(const WatchMoment& now, const TrackAnswer& answer) {
    if (answer.question <= lastAnswered_) return;  // an older answer, overtaken
    lastAnswered_ = answer.question;
    const std::optional<int64_t> titleCame = std::exchange(titleSinceAnswer_, std::nullopt);
    const std::optional<int64_t> previousAnswerAt = std::exchange(lastAnswerAt_, now.ms);
    const uint64_t titleFrom = answer.question == questions_ ? questionTitle_ : titles_ + 1;
    if (!programme_ || answer.state < 0) return;  // nothing on air, or no answer: nothing learnt
    if (answer.state == kStopped) {
        awaitingHandOver_ = false;
        // Stopped when its caption said so, if it came since the last answer.
        if (track_) end(now, playedUntil(std::max(track_->lastAt, titleCame.value_or(now.ms))));
        return;
    }
    if (answer.listPos < 0) return;  // the track is not known
    if (awaitingHandOver_) {
        const int64_t since = now.ms - programmeChangedAt_;
        const bool begunSince = answer.positionMs >= 0 && answer.positionMs <= since + 2'000;
        if (!begunSince && since < kHandOverWaitMs) return;  // the last one's tail
        awaitingHandOver_ = false;
    }
    const int64_t sinceLast = track_ ? now.ms - track_->lastAt : 0;
    // The same place in the list is the same track, unless it began again
    // since: its position went back, to where a start since would be.
    const bool again = track_ && track_->lastState == kPlaying && answer.positionMs >= 0 &&
                       answer.positionMs + 3'000 < playedUntil(now.ms) && answer.positionMs <= sinceLast + 1'000;
    if (track_ && track_->listPos == answer.listPos && !again) {
        Track& track = *track_;
        track.lastPosition = answer.positionMs >= 0 ? answer.positionMs : playedUntil(now.ms);
        track.lastAt = now.ms;
        track.lastState = answer.state;
        if (answer.lengthMs > 0) track.lengthMs = answer.lengthMs;
        settle(now);
        return;
    }
    if (track_) end(now, playedUntil(now.ms) - std::max<int64_t>(answer.positionMs, 0));
    // It went on air when its position was 0, though no earlier than the
    // last answer that showed something else.
    int64_t back = answer.state == kPlaying ? std::max<int64_t>(answer.positionMs, 0) : 0;
    if (previousAnswerAt) back = std::min(back, now.ms - *previousAnswerAt);
    open(now, answer, titleFrom);
    track_->openedLocal = earlierBy(now.local, back);
    settle(now);
}

std::vector<OnAirRow> TrackWatch::takeRows(const WatchMoment& now) {
    settle(now);
    return std::exchange(rows_, {});
}

std::optional<TrackNow> TrackWatch::current() const {
    if (!track_) return std::nullopt;
    const Track& t = *track_;
    return TrackNow{t.programme, t.file, t.listPos, t.lastPosition, t.lengthMs, t.lastState, t.lastAt};
}

void TrackWatch::open(const WatchMoment& now, const TrackAnswer& answer, uint64_t titleFrom) {
    Track track;
    track.programme = *programme_;
    track.listPos = answer.listPos;
    track.lengthMs = answer.lengthMs > 0 ? answer.lengthMs : -1;
    track.lastPosition = std::max<int64_t>(answer.positionMs, 0);
    track.lastAt = now.ms;
    track.lastState = answer.state;
    track.openedAt = now.ms;
    track.titleFrom = titleFrom;
    track_ = std::move(track);
}

int64_t TrackWatch::playedUntil(int64_t ms) const {
    if (!track_) return 0;
    const int64_t since = track_->lastState == kPlaying ? std::max<int64_t>(ms - track_->lastAt, 0) : 0;
    return track_->lastPosition + since;
}

// A row of the track: its programme, its place (1-based), file and title.
OnAirRow TrackWatch::rowOf(const Track& track, std::string_view event, const LocalTime& when) {
    OnAirRow row;
    row.when = when;
    row.event = std::string(event);
    row.title = track.programme;
    row.detail = track.title;
    row.listPos = track.listPos + 1;
    row.file = track.file;
    return row;
}

void TrackWatch::end(const WatchMoment& now, int64_t playedMs) {
    writeTrackRow();  // its file too late to wait for now
    Track& track = *track_;
    OnAirRow row = rowOf(track, onair::kTrackEnd, now.local);
    if (track.lengthMs > 0) playedMs = std::min(playedMs, track.lengthMs);
    row.playedMs = std::max<int64_t>(playedMs, 0);
    rows_.push_back(std::move(row));
    track_.reset();
}

void TrackWatch::settle(const WatchMoment& now) {
    if (!track_ || track_->rowWritten) return;
    // The file the box named for this track's title, or for a later one.
    if (!path_.empty() && pathTitle_ >= track_->titleFrom) {
        track_->file = path_;
        writeTrackRow();
    } else if (now.ms - track_->openedAt >= kTrackPathWaitMs) {
        writeTrackRow();
    }
}

void TrackWatch::writeTrackRow() {
    if (!track_ || track_->rowWritten) return;
    Track& track = *track_;
    track.rowWritten = true;
    track.title = title_;
    OnAirRow row = rowOf(track, onair::kTrack, track.openedLocal);
    if (track.lengthMs > 0) row.trackMs = track.lengthMs;
    rows_.push_back(std::move(row));
}

}  // namespace airvane
