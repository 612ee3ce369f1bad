// The loading-schedule manager (template 3) and its editor (template 4).
#pragma once

#include <windows.h>

#include "dialogs/dialog_frame_win32.h"
#include "storage/loading_list.h"

namespace airvane {

// The manager: lists the LoadingList and adds, edits and deletes entries;
// sets loadingDirty on every change.
INT_PTR manageLoadingSchedules(HWND owner, const FrameContext& frame, LoadingList& list, bool& loadingDirty);

// The editor on entry, or on a new entry appended to list when entry is
// null. IDOK after a confirmed edit or addition.
INT_PTR editLoadingSchedule(HWND owner, const FrameContext& frame, LoadingList& list, LoadingEntry* entry);

}  // namespace airvane
