// The schedule-file operations that talk to the operator: save under a new
// name, open another file, and the save-changes prompt.
#pragma once

#include <windows.h>

#include "model/schedule_tree.h"

namespace airvane {

class ConfigFile;

inline constexpr const char* kSaveChangesPrompt = "변경된 내용을 저장하시겠습니까?";

// Lets the operator choose a file and writes the tree there; "JobFile"
// stays as it was. True when the tree was written (scheduleDirty cleared).
bool saveScheduleAs(HWND owner, const ScheduleTree& tree, const ConfigFile& config, bool& scheduleDirty);

// Lets the operator choose a schedule file, makes it the job file and loads
// it in place of the whole tree. True when a file was chosen.
bool openSchedule(HWND owner, ScheduleTree& tree, ConfigFile& config);

// With unsaved changes, asks whether to save them: Yes saves at once
// (command 109 sent to the main window), No goes on, Cancel stops. False
// when the caller must stop.
bool confirmSave(HWND mainWindow, bool scheduleDirty, bool loadingDirty);

}  // namespace airvane
