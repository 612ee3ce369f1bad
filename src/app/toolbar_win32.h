// The main window's toolbar: its rows as a table, its set-up, and the
// enabling of its buttons.
#pragma once

#include <windows.h>

namespace airvane {

void setUpToolbar(HWND toolbar, HINSTANCE module);
void enableToolbarButton(HWND mainWindow, int command, bool on);
// TTN_NEEDTEXTA: the tooltip of a button is string (command + 400).
void fillTooltip(LPARAM notification, HINSTANCE module);

}  // namespace airvane
