// The now-playing monitor: once a tick it reads the player's title, shows
// it, and on every new title writes the daily log line, finds and marks the
// File that plays, and pushes the stream title. The player's window, its
// file-info box and the status line are reached through MonitorHost; the
// SHOUTcast window through StreamTitleWindow.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/schedule_tree.h"
#include "scheduler/local_time.h"
#include "storage/settings.h"

namespace airvane {

class LastTitle;

// "12. Artist - Song - Winamp" -> "Artist - Song": cut at the last "-", a
// leading number and the "." after it dropped, blanks trimmed.
std::string cleanTitle(std::string_view title);

// programFolder\LOG\YYYYMMDD.LOG; nullopt when it would not fit a Windows
// path (a deep program folder): then nothing is logged.
std::optional<std::string> dailyLogPath(const std::string& programFolder, int year, int month, int day);

// "YYYY/MM/DD HH:MM:SS title" and CR LF.
std::string dailyLogLine(const LocalTime& time, std::string_view cleanedTitle);

// Appends the line and flushes it to the disk before returning, so that a
// crash loses at most the line being written. False when it could not.
bool appendToLog(const std::string& path, const std::string& line);

// A Schedule of the tree and, once a search needed them, its Files: read
// once after each change of the tree. On the real control every item read
// is a message, and Wine's control looks for the item among all of them:
// reading 51,000 Files takes a second there.
struct KnownSchedule {
    NodeItem item;
    const ScheduleNode* record;
    bool filesRead = false;
    std::vector<std::pair<NodeItem, const ScheduleNode*>> files;
};
std::vector<KnownSchedule> readSchedules(const ScheduleTree& tree);

// The File whose path is the playing one, compared as Windows compares
// file names (samePathText):
// first among the Schedules that play, then among all (their Files read
// only then). A collapsed Schedule gives itself instead of its File, so that
// selecting it does not open it. kNoNode when none matches.
NodeItem findPlayingItem(const ScheduleTree& tree, std::vector<KnownSchedule>& schedules, std::string_view path);

// "[Schedule] title" for the item (a File or its Schedule); nullopt when
// the item is none or has no record.
std::optional<std::string> streamTitleFor(const ScheduleTree& tree, NodeItem item, std::string_view cleanedTitle);

// The SHOUTcast window's three operations.
class StreamTitleWindow {
public:
    virtual ~StreamTitleWindow() = default;
    // False when there is no such window: every call is then a no-op.
    virtual bool present() = 0;
    virtual bool autoTitleOn() = 0;
    // Checks or unchecks its own title handling and tells it so.
    virtual void setAutoTitle(bool on) = 0;
    virtual void setTitleText(const std::string& text) = 0;
    virtual void applyTitle() = 0;  // posted
};

// With a title: its own handling off (once), the text written and applied.
// Without: its own handling on again, the text left as it is.
void setStreamTitle(StreamTitleWindow& window, const std::optional<std::string>& title);

// What the monitor asks of the program around it. The player's windows
// belong to another program that may hang: the monitor never waits on
// them. It asks for the playing path and gets the answer on a later turn
// (playingPathAnswered), and hands the stream title on.
class MonitorHost {
public:
    virtual ~MonitorHost() = default;
    // The player's caption (reading it sends nothing to the player).
    virtual std::string playerTitle() = 0;
    virtual void showStatus(const std::string& text) = 0;
    // Asks for the path of the file that plays (through the player's
    // file-info box); the answer comes through playingPathAnswered with
    // this question's number: "" when the player is stopped or the box
    // gives none.
    virtual void askPlayingPath(uint64_t question) = 0;
    // False while a dialog or message box of the main window is open: what
    // the operator chose there must not move under them.
    virtual bool mayMoveCaret() = 0;
    virtual void selectItem(NodeItem item) = 0;
    // With a title: the SHOUTcast window shows it; without: the window's
    // own title handling again (setStreamTitle, done where the player may
    // be waited for).
    virtual void setStreamTitle(const std::optional<std::string>& title) = 0;
    // programFolder: where the LOG folder is.
    virtual const std::string& programFolder() const = 0;
    // What the monitor learnt, for the track watch: a new title (cleaned),
    // and the file that plays, answering the question of the latest title.
    virtual void titleSeen(const std::string&) {}
    virtual void playingPathLearnt(const std::string&) {}
};

// CurrentItem, the item marked as playing. It is forgotten whenever the
// tree changed (a load, an open, a deletion), so that no deleted item is
// ever reached through it.
struct MonitorState {
    NodeItem currentItem = kNoNode;
    uint64_t treeGeneration = 0;
    bool schedulesRead = false;
    std::vector<KnownSchedule> schedules;  // read again after every change of the tree
    // The question for the playing path still unanswered (0: none); only
    // its answer counts, an older one comes too late.
    uint64_t openQuestion = 0;
    uint64_t questionsAsked = 0;
    // The cleaned title that the stream gets once the File is known.
    std::optional<std::string> titleForStream;
};

// Unmarks CurrentItem and asks which File plays (after an expand or
// collapse); a question still open is answered instead, and marks it.
void findAndMarkPlayingItem(ScheduleTree& tree, MonitorState& state, MonitorHost& host);

// The answer to a question: the File that plays is found, marked and, when
// the caret may move, selected; the stream title follows when one waits.
void playingPathAnswered(ScheduleTree& tree, MonitorState& state, MonitorHost& host, uint64_t question,
                         const std::string& path);

// One tick of the monitor.
void monitorTick(ScheduleTree& tree, MonitorState& state, const Settings& settings, const LocalTime& time,
                 LastTitle& lastTitle, MonitorHost& host);

}  // namespace airvane
