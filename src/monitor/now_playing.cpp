#include "monitor/now_playing.h"

#include <cstdio>

#include "model/node_label.h"
#include "monitor/last_title.h"
#include "storage/file_io.h"
#include "storage/filesystem.h"
#include "storage/filesystem_platform.h"
#include "storage/number_scan.h"
#include "storage/text.h"

namespace airvane {

namespace {

std::string_view trimmedBlanks(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

template <typename Visit>
void forEachSchedule(const ScheduleTree& tree, Visit visit) {
    const NodeItem root = tree.rootNode();
    for (NodeItem item = root ? tree.firstChildNode(root) : kNoNode; item != kNoNode; item = tree.nextNode(item)) {
        if (const ScheduleNode* record = tree.nodeRecord(item)) {
            if (!visit(item, *record)) return;
        }
    }
}

// The tree changed: CurrentItem may be gone, so it is forgotten without
// being touched, and any arrows left on an item that stayed are taken off.
void forgetIfTreeChanged(ScheduleTree& tree, MonitorState& state) {
    if (state.treeGeneration == tree.generation()) return;
    state.treeGeneration = tree.generation();
    state.schedulesRead = false;
    state.schedules.clear();
    if (state.currentItem == kNoNode) return;
    state.currentItem = kNoNode;
    auto unmark = [&tree](NodeItem item) {
        ScheduleNode* record = tree.nodeRecord(item);
        if (!record || record->marquee == 0) return;
        record->marquee = 0;
        relabel(tree, item, *record);
    };
    forEachSchedule(tree, [&](NodeItem schedule, const ScheduleNode&) {
        unmark(schedule);
        for (NodeItem file = tree.firstChildNode(schedule); file != kNoNode; file = tree.nextNode(file)) unmark(file);
        return true;
    });
}

// Unmarks CurrentItem and asks which File plays.
void askWhatPlays(ScheduleTree& tree, MonitorState& state, MonitorHost& host) {
    if (state.currentItem != kNoNode) {
        if (ScheduleNode* record = tree.nodeRecord(state.currentItem)) {
            record->marquee = 0;
            relabel(tree, state.currentItem, *record);
        }
        state.currentItem = kNoNode;  // nothing is marked until the answer says what plays
    }
    state.openQuestion = ++state.questionsAsked;
    host.askPlayingPath(state.openQuestion);
}

}  // namespace

std::string cleanTitle(std::string_view title) {
    if (const std::size_t dash = title.rfind('-'); dash != std::string_view::npos) title = title.substr(0, dash);
    int consumed = 0;
    parseNumber(title, &consumed);
    const auto after = static_cast<std::size_t>(consumed);
    if (after < title.size() && title[after] == '.') title.remove_prefix(after + 1);
    return std::string(trimmedBlanks(title));
}

std::optional<std::string> dailyLogPath(const std::string& programFolder, int year, int month, int day) {
    std::string path = programFolder;
    ensureBackslash(path);
    char name[48];
    std::snprintf(name, sizeof name, "LOG\\%d%02d%02d.LOG", year, month, day);
    path += name;
    if (path.size() > kPathMax) return std::nullopt;
    return path;
}

std::string dailyLogLine(const LocalTime& time, std::string_view cleanedTitle) {
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%d/%02d/%02d %02d:%02d:%02d ", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return stamp + std::string(cleanedTitle) + "\r\n";
}

bool appendToLog(const std::string& path, const std::string& line) {
    // Appended, never rewritten: the day's file is the station's record.
    File file(openNativeFile(path, "ab"));
    if (!file) return false;
    if (std::fwrite(line.data(), 1, line.size(), file.get()) != line.size() || std::fflush(file.get()) != 0) return false;
    // The line is in the file once the system has it; a drive that refuses
    // to flush (some network shares do) must not get it again.
    flushToDisk(file.get());
    return true;
}

std::vector<KnownSchedule> readSchedules(const ScheduleTree& tree) {
    std::vector<KnownSchedule> schedules;
    forEachSchedule(tree, [&](NodeItem item, const ScheduleNode& record) {
        schedules.push_back({item, &record, false, {}});
        return true;
    });
    return schedules;
}

NodeItem findPlayingItem(const ScheduleTree& tree, std::vector<KnownSchedule>& schedules, std::string_view path) {
    // The records themselves are read: playing flags and edited paths are current.
    for (bool playingOnly : {true, false}) {
        for (KnownSchedule& schedule : schedules) {
            if (playingOnly && !schedule.record->playing) continue;
            if (!schedule.filesRead) {
                for (NodeItem file = tree.firstChildNode(schedule.item); file != kNoNode; file = tree.nextNode(file)) {
                    if (const ScheduleNode* record = tree.nodeRecord(file)) schedule.files.emplace_back(file, record);
                }
                schedule.filesRead = true;
            }
            for (const auto& [file, record] : schedule.files) {
                if (samePathText(record->text, std::string(path))) {
                    return (tree.nodeState(schedule.item) & kNodeExpanded) ? file : schedule.item;
                }
            }
        }
    }
    return kNoNode;
}

std::optional<std::string> streamTitleFor(const ScheduleTree& tree, NodeItem item, std::string_view cleanedTitle) {
    if (item == kNoNode) return std::nullopt;
    const ScheduleNode* record = tree.nodeRecord(item);
    if (record && record->kind == kFile) {
        if (const NodeItem parent = tree.parentNode(item)) record = tree.nodeRecord(parent);
    }
    if (!record) return std::nullopt;
    std::string schedule = record->text;
    if (const std::size_t dot = schedule.rfind('.'); dot != std::string::npos) schedule.resize(dot);
    return "[" + schedule + "] " + std::string(cleanedTitle);
}

void setStreamTitle(StreamTitleWindow& window, const std::optional<std::string>& title) {
    if (!window.present()) return;
    if (title) {
        if (window.autoTitleOn()) window.setAutoTitle(false);
        window.setTitleText(*title);
        window.applyTitle();
    } else if (!window.autoTitleOn()) {
        window.setAutoTitle(true);
    }
}

void findAndMarkPlayingItem(ScheduleTree& tree, MonitorState& state, MonitorHost& host) {
    forgetIfTreeChanged(tree, state);
    if (state.openQuestion == 0) askWhatPlays(tree, state, host);
}

void playingPathAnswered(ScheduleTree& tree, MonitorState& state, MonitorHost& host, uint64_t question,
                         const std::string& path) {
    if (question == 0 || question != state.openQuestion) return;
    state.openQuestion = 0;
    host.playingPathLearnt(path);
    forgetIfTreeChanged(tree, state);
    if (!path.empty() && !state.schedulesRead) {
        state.schedules = readSchedules(tree);
        state.schedulesRead = true;
    }
    state.currentItem = path.empty() ? kNoNode : findPlayingItem(tree, state.schedules, path);
    if (state.currentItem != kNoNode && host.mayMoveCaret()) host.selectItem(state.currentItem);
    if (state.titleForStream) {
        host.setStreamTitle(streamTitleFor(tree, state.currentItem, *state.titleForStream));
        state.titleForStream.reset();
    }
}

void monitorTick(ScheduleTree& tree, MonitorState& state, const Settings& settings, const LocalTime& time,
                 LastTitle& lastTitle, MonitorHost& host) {
    forgetIfTreeChanged(tree, state);
    const std::string title = host.playerTitle();
    host.showStatus(title);
    if (title != lastTitle.get()) {
        lastTitle.set(title);
        const std::string cleaned = cleanTitle(title);
        host.titleSeen(cleaned);
        if (settings.makeLogFile) {
            if (const auto path = dailyLogPath(host.programFolder(), time.year, time.month, time.day)) {
                appendToLog(*path, dailyLogLine(time, cleaned));
            }
        }
        state.titleForStream.reset();
        if (settings.setShoutcastTitle) state.titleForStream = cleaned;
        forgetIfTreeChanged(tree, state);
        askWhatPlays(tree, state, host);
    }
    if (settings.dispNowPlayFile && state.currentItem != kNoNode) {
        if (ScheduleNode* record = tree.nodeRecord(state.currentItem)) {
            record->marquee = static_cast<int8_t>(record->marquee >= 10 ? 1 : record->marquee + 1);
            relabel(tree, state.currentItem, *record);
        }
    }
}

}  // namespace airvane
