// The schedule-file operations that talk to the operator: save under a new
// name, open another file, and the save-changes prompt.
#pragma once

#include <windows.h>

#include <string>

#include "model/schedule_tree.h"

namespace airvane {

class ConfigFile;

inline constexpr const char* kSaveChangesPrompt = "변경된 내용을 저장하시겠습니까?";

// Lets the operator choose a file and writes the tree there; "JobFile"
// stays as it was. True when the tree was written (scheduleDirty cleared).
bool saveScheduleAs(HWND owner, const ScheduleTree& tree, const ConfigFile& config, bool& scheduleDirty);

// Lets the operator choose a schedule file to open, starting from the job
// file; false when none was chosen.
bool chooseScheduleToOpen(HWND owner, const ConfigFile& config, std::string& path);

// With unsaved changes, asks whether to save them: Yes saves at once
// (command 109 sent to the main window), No goes on, Cancel stops. False
// when the caller must stop: Cancel, or a save that left a flag set (the
// flags are read again after the save).
bool confirmSave(HWND mainWindow, const bool& scheduleDirty, const bool& loadingDirty);

}  // namespace airvane
