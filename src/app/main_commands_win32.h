// The commands of the main window that work on the schedule tree and the
// program's files: add, edit, delete, save, open, save-as, exit.
#pragma once

#include <windows.h>

namespace airvane {

struct AppState;

void addCommand(AppState& state);
void editCommand(AppState& state);
void deleteCommand(AppState& state);
void saveCommand(AppState& state);
void openScheduleCommand(AppState& state);
void saveAsCommand(AppState& state);
void exitCommand(AppState& state);

}  // namespace airvane
