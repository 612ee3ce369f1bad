// The preferences dialog (template 5): the six settings, in force at once.
#pragma once

#include <windows.h>

#include "dialogs/dialog_frame_win32.h"
#include "storage/settings.h"

namespace airvane {

INT_PTR editPreferences(HWND owner, const FrameContext& frame, Settings& settings);

}  // namespace airvane
