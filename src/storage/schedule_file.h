// The job file: the whole schedule tree in one file, in INI form (section
// "Schedule" of a file whose extension is "INI") or in line form (any other
// extension, one entry per line).
#pragma once

#include <string>
#include <vector>

#include "model/schedule_tree.h"
#include "storage/messages.h"

namespace airvane {

class ConfigFile;

inline constexpr const char* kScheduleMagic = "Airvane Data V1.0";
inline constexpr const char* kScheduleSection = "Schedule";
inline constexpr const char* kUnknownScheduleMessage = "이 프로그램이 모르는 스케쥴 파일입니다";

// Entries are kept whole up to this length; the stored formats have no
// limit of their own, and a longer line is no schedule data.
inline constexpr std::size_t kEntryMax = 32767;

// What a reader met that the scheduler takes differently from what the
// file says; scdtool check prints them.
struct ScheduleProblem {
    std::string where;  // "line 12" or "key 5"
    std::string what;
};

enum class LoadOutcome { Loaded, UnknownMagic, Unreadable };

bool isIniForm(const std::string& path);

// "JobFile" of the ConfigFile, or the ConfigFile itself when it is missing.
std::string jobFilePath(const ConfigFile& config);

// Inserts a new Root as the last top-level item and fills it from the file
// at path. Messages go to owner (none: silent). Problems, when asked for,
// are collected for scdtool. The Root is inserted whatever the outcome.
LoadOutcome loadScheduleFile(ScheduleTree& tree, const std::string& path, MessageSink* owner,
                             std::vector<ScheduleProblem>* problems = nullptr);
// The same for the job file that the ConfigFile names.
LoadOutcome loadSchedule(ScheduleTree& tree, const ConfigFile& config, MessageSink* owner);

// Frees every record, deletes the Root and loads path in its place.
LoadOutcome replaceTree(ScheduleTree& tree, const std::string& path, MessageSink* owner);

// The entries of the tree under the Root, as a save writes them: the magic,
// the entries, the empty terminator.
std::vector<std::string> scheduleEntries(const ScheduleTree& tree);

// Writes the tree to path in the form its extension asks for, atomically.
// False when the file could not be written (or, in line form, an entry
// holds a Ctrl-Z, which that form cannot carry); it is then as it was.
bool writeScheduleFile(const ScheduleTree& tree, const std::string& path);
// Writes the tree to the job file and clears scheduleDirty when that worked.
bool saveSchedule(const ScheduleTree& tree, const ConfigFile& config, bool& scheduleDirty);

}  // namespace airvane
