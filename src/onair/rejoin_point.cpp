#include "onair/rejoin_point.h"

#include <algorithm>

#include "storage/filesystem.h"
#include "storage/filesystem_platform.h"
#include "storage/text.h"

namespace airvane {

namespace {

constexpr int64_t kDayMs = 86'400'000;
// A track row this soon after a rejoin is the rejoined track coming on
// air: the rejoin knows where in it that was, the track row does not.
constexpr int64_t kRejoinEchoMs = 10'000;

// Days from 1970-01-01 of a Gregorian date.
int64_t dayNumber(int year, int month, int day) {
    const int64_t y = year - (month <= 2 ? 1 : 0);
    const int64_t era = y / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::string folded(const std::string& path) {
    std::string key = path;
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c == '/') c = '\\';
    }
    return key;
}

int indexOf(const ProgrammeList& programme, const OnAirRow& row) {
    const int count = static_cast<int>(programme.files.size());
    const bool placed = row.listPos && *row.listPos >= 1 && *row.listPos <= count;
    // The list position where its file agrees (a file may stand twice);
    // else the path decides: under shuffle the list position is no guide.
    if (placed && !row.file.empty() &&
        samePathText(programme.files[static_cast<std::size_t>(*row.listPos - 1)], row.file))
        return *row.listPos - 1;
    if (!row.file.empty()) {
        for (std::size_t i = 0; i < programme.files.size(); ++i) {
            if (samePathText(programme.files[i], row.file)) return static_cast<int>(i);
        }
    }
    return placed ? *row.listPos - 1 : -1;
}

struct Anchor {
    int index = 0;
    int64_t startMs = 0;  // when the track (as it would have played) began
    bool fromRejoin = false;
    int64_t rowMs = 0;
    std::vector<bool> aired;  // the tracks aired since the programme began
};

bool begins(const std::string& event) {
    return event == onair::kStart || event == onair::kPlay;
}

// Where the list is at nowMs, walked from the anchor with the lengths known.
RejoinPoint placeIn(const ProgrammeList& programme, const Anchor& anchor, const TrackLengths& lengths, int64_t nowMs) {
    RejoinPoint point;
    const int count = static_cast<int>(programme.files.size());
    int index = anchor.index;
    int64_t elapsed = std::max<int64_t>(0, nowMs - anchor.startMs);
    auto lengthOf = [&](int i) { return lengths.of(programme.files[static_cast<std::size_t>(i)]); };
    if (programme.shuffle) {
        // Only the track that played is known; after it, any: the first
        // not yet aired in this programme, from its beginning.
        const std::optional<int64_t> length = lengthOf(index);
        if (length && elapsed >= *length) {
            const auto unaired = std::find(anchor.aired.begin(), anchor.aired.end(), false);
            index = unaired == anchor.aired.end() ? (index + 1) % count
                                                    : static_cast<int>(unaired - anchor.aired.begin());
            elapsed = 0;
        } else if (!length) {
            elapsed = 0;
        }
        point.index = index;
        point.offsetMs = elapsed;
        return point;
    }
    if (programme.repeat && lengths.knowsAll(programme.files)) {
        // Whole rounds of the list change nothing: skipped at once.
        int64_t round = 0;
        for (int i = 0; i < count; ++i) round += *lengthOf(i);
        int64_t toRoundStart = 0;
        for (int i = index; i < count; ++i) toRoundStart += *lengthOf(i);
        if (elapsed >= toRoundStart + round) elapsed = toRoundStart + (elapsed - toRoundStart) % round;
    }
    for (int steps = 0; steps <= 2 * count; ++steps) {
        const std::optional<int64_t> length = lengthOf(index);
        if (!length) {
            // Not known how long it lasts: it starts from its beginning.
            point.index = index;
            return point;
        }
        if (elapsed < *length) {
            point.index = index;
            point.offsetMs = elapsed;
            return point;
        }
        elapsed -= *length;
        if (++index == count) {
            if (!programme.repeat) {
                point.index = count - 1;
                point.listEnded = true;
                return point;
            }
            index = 0;
        }
    }
    point.index = index;
    return point;
}

}  // namespace

int64_t timeLineMs(const LocalTime& t) {
    return dayNumber(t.year, t.month, t.day) * kDayMs +
           ((t.hour * 60 + t.minute) * 60 + t.second) * int64_t{1000} + t.millisecond;
}

void TrackLengths::learn(const std::vector<OnAirRow>& rows) {
    for (const OnAirRow& row : rows) {
        if (row.event == onair::kTrack && !row.file.empty() && row.trackMs && *row.trackMs > 0)
            lengths_[folded(row.file)] = *row.trackMs;
    }
}

std::optional<int64_t> TrackLengths::of(const std::string& file) const {
    const auto found = lengths_.find(folded(file));
    if (found == lengths_.end()) return std::nullopt;
    return found->second;
}

void TrackLengths::set(const std::string& file, int64_t lengthMs) { lengths_[folded(file)] = lengthMs; }

bool TrackLengths::knowsAll(const std::vector<std::string>& files) const {
    return std::all_of(files.begin(), files.end(), [this](const std::string& file) { return of(file).has_value(); });
}

RejoinKnowledge readRejoinKnowledge(const std::string& programFolder, const LocalTime& now,
                                    const std::vector<std::string>& files) {
    RejoinKnowledge known;
    std::vector<std::string> read;
    for (const LocalTime& day : {previousDay(now), now}) {
        const std::optional<std::string> path = onAirRecordPath(programFolder, day.year, day.month, day.day);
        if (!path) continue;
        OnAirRecord record = readOnAirRecord(*path);
        known.lengths.learn(record.rows);
        known.rows.insert(known.rows.end(), record.rows.begin(), record.rows.end());
        read.push_back(onAirRecordName(day.year, day.month, day.day));
    }
    if (known.lengths.knowsAll(files)) return known;
    std::string folder = programFolder;
    ensureBackslash(folder);
    folder += "LOG\\";
    const auto entries = listFolder(folder);
    if (!entries) return known;
    std::vector<std::string> older;
    for (const FolderEntry& entry : *entries) {
        const std::string& name = entry.name;
        if (entry.isFolder || name.size() != 18 || name.compare(8, 10, "-ONAIR.CSV") != 0) continue;
        if (std::find(read.begin(), read.end(), name) == read.end()) older.push_back(name);
    }
    std::sort(older.rbegin(), older.rend());  // YYYYMMDD: the newest first
    for (const std::string& name : older) {
        if (known.lengths.knowsAll(files)) break;
        // Older lengths do not overwrite newer ones.
        TrackLengths fromThere;
        fromThere.learn(readOnAirRecord(folder + name).rows);
        for (const std::string& file : files) {
            if (!known.lengths.of(file) && fromThere.of(file)) known.lengths.set(file, *fromThere.of(file));
        }
    }
    return known;
}

RejoinPoint whereNow(const ProgrammeList& programme, const std::vector<OnAirRow>& rows, const TrackLengths& lengths,
                     const LocalTime& airingStart, const LocalTime& now) {
    const int count = static_cast<int>(programme.files.size());
    if (count == 0) return {};
    const int64_t airingMs = timeLineMs(airingStart);
    std::optional<Anchor> anchor;
    for (const OnAirRow& row : rows) {
        if (row.title != programme.title) continue;
        const int64_t at = timeLineMs(row.when);
        // A track row is stamped with its track's own start, which may come
        // a moment before the row of the hand-over that began it.
        const int64_t slack = row.event == onair::kTrack ? 2000 : 0;
        if (at + slack < airingMs || (anchor && row.event == onair::kTrack && at + slack < anchor->rowMs)) continue;
        if (begins(row.event)) {
            anchor = Anchor{0, at, false, at, std::vector<bool>(static_cast<std::size_t>(count), false)};
        } else if (row.event == onair::kRejoin) {
            const int index = row.listPos ? indexOf(programme, row) : 0;
            if (index < 0) continue;
            std::vector<bool> aired = anchor ? anchor->aired : std::vector<bool>(static_cast<std::size_t>(count), false);
            anchor = Anchor{index, at - row.playedMs.value_or(0), true, at, std::move(aired)};
        } else if (row.event == onair::kTrack) {
            const int index = indexOf(programme, row);
            if (index < 0) continue;
            if (!anchor) anchor = Anchor{index, at, false, at, std::vector<bool>(static_cast<std::size_t>(count), false)};
            anchor->aired[static_cast<std::size_t>(index)] = true;
            if (anchor->fromRejoin && anchor->index == index && at - anchor->rowMs < kRejoinEchoMs) continue;
            anchor->index = index;
            anchor->startMs = at;
            anchor->fromRejoin = false;
        }
    }
    // Nothing recorded of this airing (the PC was off at its start): walked
    // from its second, as far as the lengths are known.
    const bool recorded = anchor.has_value();
    if (!anchor) anchor = Anchor{0, airingMs, false, airingMs, std::vector<bool>(static_cast<std::size_t>(count), false)};
    RejoinPoint point = placeIn(programme, *anchor, lengths, timeLineMs(now));
    // From the list's beginning with nothing recorded is what a plain start does.
    point.known = recorded || point.index != 0 || point.offsetMs != 0 || point.listEnded;
    return point;
}

}  // namespace airvane
