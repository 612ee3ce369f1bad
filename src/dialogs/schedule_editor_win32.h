// The schedule editor (template 2): a new or an existing Schedule's days,
// times, options and title.
#pragma once

#include <windows.h>

#include "dialogs/dialog_frame_win32.h"
#include "model/schedule_node.h"

namespace airvane {

// IDOK when the record was written, IDCANCEL when it is untouched.
INT_PTR editSchedule(HWND owner, const FrameContext& frame, ScheduleNode& record);

}  // namespace airvane
