// The arithmetic of the dialog frame: where a dialog comes back, and how a
// child follows a resize. The Windows side is dialog_frame_win32.
#pragma once

#include <string_view>

namespace airvane {

struct Placement {
    int x;
    int y;
    int width;
    int height;
};

struct ScreenSize {
    int width;
    int height;
    int captionHeight;
};

// Where a dialog goes, from its stored "x y w h" (any part may be missing)
// and its present size: a resizable dialog takes all four, a fixed one the
// position only. A position that is not on the screen (its corner within a
// caption height of the right or bottom edge, or beyond) is centred.
Placement restorePlacement(std::string_view stored, bool resizable, int presentWidth, int presentHeight,
                           ScreenSize screen);

// The four numbers of a stored value, missing ones as 0.
Placement storedPlacement(std::string_view stored);

struct Rect {
    int left;
    int top;
    int right;
    int bottom;
};

// A child entirely right of (below) the split point moves by the change;
// one that straddles it grows; one left of (above) it stays.
Rect shiftChild(Rect child, int splitX, int splitY, int dx, int dy);

}  // namespace airvane
