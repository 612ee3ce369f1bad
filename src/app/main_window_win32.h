// The main window: dialog template 1, modeless, class "Airvane".
#pragma once

#include <windows.h>

namespace airvane {

struct AppState;

inline constexpr const char* kMainWindowClass = "Airvane";

bool registerMainWindowClass(HINSTANCE instance);
// Null when the dialog could not be created.
HWND createMainWindow(AppState& state);

}  // namespace airvane
