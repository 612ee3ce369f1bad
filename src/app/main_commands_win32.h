// The commands of the main window that work on the schedule tree and the
// program's files: add, edit, delete, save, open, save-as, exit.
#pragma once

#include <windows.h>

#include <string>

#include "storage/schedule_file.h"

namespace airvane {

struct AppState;

// Shows the schedule file path in the tree, in place of what was there when
// replacing (at start there is nothing to replace), and remembers it as the
// file that saves go to, and whether it exists but could not be read.
LoadOutcome showJobFile(AppState& state, const std::string& path, bool replacing);

void addCommand(AppState& state);
void editCommand(AppState& state);
void deleteCommand(AppState& state);
void saveCommand(AppState& state);
void openScheduleCommand(AppState& state);
void saveAsCommand(AppState& state);
void exitCommand(AppState& state);

}  // namespace airvane
