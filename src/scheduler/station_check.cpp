#include "scheduler/station_check.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

#include "model/memory_tree.h"
#include "onair/on_air_record.h"
#include "onair/rejoin_point.h"
#include "model/node_label.h"
#include "player/playlist_file.h"
#include "scheduler/plan.h"
#include "scheduler/local_time.h"
#include "scheduler/scheduler_tick.h"
#include "storage/config_file.h"
#include "storage/filesystem.h"
#include "storage/loading_list.h"
#include "storage/settings.h"
#include "storage/text.h"

namespace airvane {

namespace {

constexpr int32_t kDay = 86400;

// The days of the horizon on which a record with these fields is due.
class DueDays {
public:
    DueDays(const StationCheckRequest& request, int32_t weekdays, int32_t year, int32_t month, int32_t day)
        : bits_((request.days + 63) / 64) {
        LocalTime date = localTimeAt(request.year, request.month, request.day, 0);
        for (int i = 0; i < request.days; ++i, date = nextDay(date)) {
            if ((weekdays & (1 << date.dayOfWeek)) && matchesDate(year, month, day, date)) bits_[i / 64] |= 1ull << (i % 64);
        }
    }
    bool overlaps(const DueDays& other) const {
        for (std::size_t i = 0; i < bits_.size(); ++i)
            if (bits_[i] & other.bits_[i]) return true;
        return false;
    }

private:
    std::vector<uint64_t> bits_;
};

struct CheckedSchedule {
    int number;  // from 1, in tree order
    NodeItem item;
    const ScheduleNode* record;
    DueDays due;
};

std::string named(const CheckedSchedule& s) { return "schedule " + std::to_string(s.number) + " (" + s.record->text + ")"; }

bool startsInside(int32_t start, int32_t from, int32_t to) {
    return from < to ? (from < start && start < to) : (start > from || start < to);
}

class StationChecker {
public:
    StationChecker(const StationCheckRequest& request, std::vector<StationProblem>& out) : request_(request), out_(out) {
        // The playlists are written beside the program, which is beside its INI.
        const std::string ini = absolutePath(request.configPath);
        programFolder_ = ini.substr(0, ini.find_last_of("\\/"));
        learnLengths();
    }

    // The fallback's own list: a playlist whose files are there, or a
    // folder with audio files in it.
    void checkFallback(const Settings& settings) {
        if (settings.fallbackPlaylist.empty()) return;
        const std::string source = resolveDrive(settings.fallbackPlaylist, request_.drives);
        const int kind = pathKind(source);
        if (kind == 2) {
            const auto entries = listFolder(source);
            bool audio = false;
            for (const FolderEntry& entry : entries.value_or(std::vector<FolderEntry>{}))
                audio = audio || (!entry.isFolder && isFallbackAudioFile(entry.name));
            if (!audio) report(request_.configPath, "FallbackPlaylist", "the folder " + settings.fallbackPlaylist + " holds no audio file");
            return;
        }
        const std::optional<std::string> text = kind == 1 ? readWholeFile(source) : std::nullopt;
        if (!text) {
            report(request_.configPath, "FallbackPlaylist", settings.fallbackPlaylist + " cannot be read");
            return;
        }
        int line = 0, files = 0;
        std::size_t at = 0;
        while (at < text->size()) {
            std::size_t end = text->find('\n', at);
            if (end == std::string::npos) end = text->size();
            std::string path = text->substr(at, end - at);
            at = end + 1;
            ++line;
            while (!path.empty() && (path.back() == '\r' || path.back() == ' ')) path.pop_back();
            if (path.empty() || path[0] == '#') continue;
            ++files;
            if (pathKind(resolveDrive(path, request_.drives)) != 1)
                report(settings.fallbackPlaylist, "line " + std::to_string(line), "'" + path + "' does not exist");
        }
        if (files == 0) report(request_.configPath, "FallbackPlaylist", settings.fallbackPlaylist + " lists no file");
    }

    void checkJobFile(const std::string& jobFile, const std::string& namedBy, const Settings& settings) {
        MemoryTree tree;
        std::vector<ScheduleProblem> problems;
        const LoadOutcome outcome = loadScheduleFile(tree, resolveDrive(jobFile, request_.drives), nullptr, &problems);
        if (outcome != LoadOutcome::Loaded) {
            report(request_.configPath, namedBy,
                   "job file " + jobFile + (outcome == LoadOutcome::Unreadable ? " cannot be read" : " is no schedule file"));
            return;
        }
        checkTitles(tree, problems);
        for (const ScheduleProblem& problem : problems) report(jobFile, problem.where, problem.what);
        std::vector<CheckedSchedule> schedules = scheduleList(tree);
        for (const CheckedSchedule& s : schedules) checkSchedule(jobFile, tree, s, settings);
        checkPairs(jobFile, schedules, settings.softWaitSec);
        tree.freeNodeRecords(kNoNode);
    }

    void checkLoadingEntries(const LoadingList& loading) {
        std::vector<std::pair<const LoadingEntry*, DueDays>> entries;
        for (const LoadingEntry& e : loading) entries.emplace_back(&e, DueDays(request_, e.weekdays, e.year, e.month, e.day));
        for (std::size_t j = 0; j < entries.size(); ++j) {
            for (std::size_t i = 0; i < j; ++i) {
                const LoadingEntry& a = *entries[i].first;
                const LoadingEntry& b = *entries[j].first;
                if (toDaySeconds(a.hour, a.minute, a.second) == toDaySeconds(b.hour, b.minute, b.second) &&
                    entries[i].second.overlaps(entries[j].second)) {
                    report(request_.configPath, "loading entry " + std::to_string(j),
                           "due at the same second as loading entry " + std::to_string(i) + " on a day when both are due: only entry " +
                               std::to_string(i) + " loads");
                    break;
                }
            }
        }
    }

private:
    std::vector<CheckedSchedule> scheduleList(const ScheduleTree& tree) {
        std::vector<CheckedSchedule> list;
        const NodeItem root = tree.rootNode();
        int number = 0;
        for (NodeItem item = root ? tree.firstChildNode(root) : kNoNode; item != kNoNode; item = tree.nextNode(item)) {
            ++number;
            if (const ScheduleNode* r = tree.nodeRecord(item)) {
                list.push_back({number, item, r, DueDays(request_, r->weekdays, r->year, r->month, r->day)});
            }
        }
        return list;
    }

    void checkSchedule(const std::string& jobFile, const ScheduleTree& tree, const CheckedSchedule& s,
                       const Settings& settings) {
        const std::string where = named(s);
        if (namesPlaylistFile(s.record->text) && playlistPath(programFolder_, s.record->text).path.empty()) {
            report(jobFile, where, "its playlist path would not fit 259 characters; it never goes on air");
        }
        const int32_t lead = (s.record->options & kNoFadeOut) ? 0 : settings.fadeoutTime;
        if (s.record->endSec != kNoEndTime) {
            int32_t e = s.record->endSec - lead;
            if (e < 0) e += kDay;
            if (e == s.record->startSec) {
                report(jobFile, where, "its end time less the " + std::to_string(lead) +
                                           " s lead time is its start time: it is never ended by its end time");
            }
        }
        int fileNumber = 0;
        std::vector<std::string> files;
        for (NodeItem file = tree.firstChildNode(s.item); file != kNoNode; file = tree.nextNode(file)) {
            ++fileNumber;
            const ScheduleNode* audio = tree.nodeRecord(file);
            if (audio && audio->kind == kFile) files.push_back(audio->text);
            if (audio && audio->kind == kFile && pathKind(resolveDrive(audio->text, request_.drives)) != 1) {
                report(jobFile, where + " file " + std::to_string(fileNumber), "'" + audio->text + "' does not exist");
            }
        }
        if (files.empty()) report(jobFile, where, "its playlist is empty: the air is silent for its whole time");
        else checkLength(jobFile, where, *s.record, files);
    }

    // Without repeat a list shorter than the programme's times leaves the
    // rest silent. Lengths are those the on-air record's track rows learnt;
    // a file never played is unknown, and said.
    void checkLength(const std::string& jobFile, const std::string& where, const ScheduleNode& record,
                     const std::vector<std::string>& files) {
        if (record.endSec == kNoEndTime || (record.options & kRepeat)) return;
        const int64_t timesMs = int64_t{(record.endSec - record.startSec + kDay) % kDay} * 1000;
        int64_t knownMs = 0;
        int unknown = 0;
        for (const std::string& file : files) {
            if (const std::optional<int64_t> length = lengths_.of(file)) knownMs += *length;
            else ++unknown;
        }
        if (knownMs >= timesMs) return;
        const std::string known = "its files last " + std::to_string(knownMs / 1000) + " s, its times " +
                                  std::to_string(timesMs / 1000) + " s";
        if (unknown == 0) {
            report(jobFile, where, known + ": the air falls silent " + std::to_string((timesMs - knownMs) / 1000) +
                                       " s before its end");
        } else if (unknown < static_cast<int>(files.size())) {
            report(jobFile, where, known + " as far as known; " + std::to_string(unknown) +
                                       " of them never played here, their length unknown");
        }
        // None played here yet: nothing is known, and a station new to
        // Airvane is not told so for every programme.
    }

    // Every record in LOG, the newest first: a newer length is not overwritten.
    void learnLengths() {
        std::string folder = programFolder_;
        ensureBackslash(folder);
        folder += "LOG\\";
        const auto entries = listFolder(folder);
        if (!entries) return;
        std::vector<std::string> names;
        for (const FolderEntry& entry : *entries) {
            if (!entry.isFolder && entry.name.size() == 18 && entry.name.compare(8, 10, "-ONAIR.CSV") == 0)
                names.push_back(entry.name);
        }
        std::sort(names.rbegin(), names.rend());
        for (const std::string& name : names) {
            TrackLengths day;
            std::vector<OnAirRow> rows = readOnAirRecord(folder + name).rows;
            day.learn(rows);
            for (const OnAirRow& row : rows) {
                if (!row.file.empty() && !lengths_.of(row.file) && day.of(row.file)) lengths_.set(row.file, *day.of(row.file));
            }
        }
    }

    void checkPairs(const std::string& jobFile, const std::vector<CheckedSchedule>& schedules, int32_t softWait) {
        for (std::size_t j = 0; j < schedules.size(); ++j) {
            const CheckedSchedule& b = schedules[j];
            for (std::size_t i = 0; i < schedules.size(); ++i) {
                const CheckedSchedule& a = schedules[i];
                if (i == j || !a.due.overlaps(b.due)) continue;
                const int32_t gap = b.record->startSec - a.record->startSec;
                if (i < j && gap >= -2 && gap <= 2) {
                    report(jobFile, named(b), "starts in the same 3-second window as " + named(a) +
                                                  " on a day when both are due: one replaces the other at once");
                } else if (a.record->endSec != kNoEndTime && gap != 0 &&
                           startsInside(b.record->startSec, a.record->startSec, a.record->endSec)) {
                    report(jobFile, named(b), "starts at " + clockText(b.record->startSec) + ", inside the play interval of " +
                                                  named(a) + " on a day when both are due: that one is cut there");
                }
                if (i != j && a.due.overlaps(b.due)) checkSoftWait(jobFile, a, b, softWait);
            }
        }
    }

    // A hard start of b inside the wait of a's soft start wins over it (a
    // then never goes on air), and inside the run-on of a's soft end it
    // cuts the song with a fade.
    void checkSoftWait(const std::string& jobFile, const CheckedSchedule& a, const CheckedSchedule& b, int32_t softWait) {
        const ScheduleNode& soft = *a.record;
        if (!softAt(soft.options, softWait) || softAt(b.record->options, softWait)) return;
        const std::string window = softWindowText(softWait);
        const int32_t afterStart = ((b.record->startSec - soft.startSec) % kDay + kDay) % kDay;
        if (afterStart > 2 && afterStart <= softWait) {
            report(jobFile, named(a), "its soft start at " + clockText(soft.startSec) + window + " can wait into the start of " +
                                          named(b) + " at " + clockText(b.record->startSec) +
                                          " on a day when both are due: then it does not go on air");
        }
        if (soft.endSec == kNoEndTime || (soft.options & kNoFadeOut)) return;
        const int32_t afterEnd = ((b.record->startSec - soft.endSec) % kDay + kDay) % kDay;
        if (afterEnd > 0 && afterEnd <= softWait) {
            report(jobFile, named(a), "its soft end at " + clockText(soft.endSec) + window + " can run into the start of " +
                                          named(b) + " at " + clockText(b.record->startSec) +
                                          " on a day when both are due: that start fades the song out");
        }
    }

    void report(const std::string& file, const std::string& where, const std::string& what) {
        out_.push_back({file, where, what});
    }

    const StationCheckRequest& request_;
    std::vector<StationProblem>& out_;
    std::string programFolder_;
    TrackLengths lengths_;
};

}  // namespace

void checkTitles(const ScheduleTree& tree, std::vector<ScheduleProblem>& problems) {
    const NodeItem root = tree.rootNode();
    int n = 0;
    for (NodeItem item = root ? tree.firstChildNode(root) : kNoNode; item != kNoNode; item = tree.nextNode(item)) {
        const ScheduleNode* schedule = tree.nodeRecord(item);
        ++n;
        if (schedule && !namesPlaylistFile(schedule->text)) {
            problems.push_back({"schedule " + std::to_string(n),
                                "title '" + schedule->text + "' cannot name a playlist file; it never goes on air"});
        }
    }
}

std::string resolveDrive(const std::string& path, const std::map<char, std::string>& drives) {
    if (path.size() < 2 || path[1] != ':') return path;
    const auto drive = drives.find(static_cast<char>(std::toupper(static_cast<unsigned char>(path[0]))));
    return drive == drives.end() ? path : drive->second + path.substr(2);
}

std::vector<StationProblem> checkStation(const StationCheckRequest& request) {
    std::vector<StationProblem> problems;
    ConfigFile config(request.configPath);
    const Settings settings = readSettings(config);
    LoadingList loading;
    loadLoadingList(loading, config);
    StationChecker checker(request, problems);
    std::vector<std::string> seen;
    auto checkOnce = [&](const std::string& jobFile, const std::string& namedBy) {
        for (const std::string& s : seen)
            if (s == jobFile) return;
        seen.push_back(jobFile);
        checker.checkJobFile(jobFile, namedBy, settings);
    };
    checkOnce(jobFilePath(config), "JobFile");
    int n = 0;
    for (const LoadingEntry& entry : loading) checkOnce(entry.jobFile, "loading entry " + std::to_string(n++));
    checker.checkLoadingEntries(loading);
    checker.checkFallback(settings);
    return problems;
}

}  // namespace airvane
