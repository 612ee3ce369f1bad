// The tree's image list: Root, Schedule and File, index = node kind.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace airvane {

// Bitmaps 1 to 3 of the module; a bitmap that does not load is skipped.
HIMAGELIST createTreeImages(HINSTANCE module);

}  // namespace airvane
