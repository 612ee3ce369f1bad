// The tree with the mouse: Ctrl+click and Shift+click mark siblings of the
// caret item (the tree's subclass), an item dragged to another place is
// moved there, and files dropped from the shell become Files where they
// land.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "model/schedule_tree.h"

namespace airvane {

struct AppState;

// An item drag in progress: from TVN_BEGINDRAGA to the button's release.
struct ItemDrag {
    bool dragging = false;
    NodeItem source = kNoNode;
    NodeItem target = kNoNode;  // the item last under the mouse
    HIMAGELIST image = nullptr;
    // The tree's generation at the start: a load during the drag replaces
    // the items, and then nothing is moved.
    uint64_t generation = 0;
};

// Installs the tree's subclass that handles Ctrl+click and Shift+click.
void subclassTreeForMarks(HWND tree);

void beginItemDrag(AppState& state, const NMTREEVIEWA& notification);
// WM_MOUSEMOVE of the main window while dragging (point in its client area).
void dragOver(AppState& state, POINT point);
// Timer 3: the target, held under the mouse for 2 s, opens.
void expandDragTarget(AppState& state);
// WM_LBUTTONUP ends the drag with the move; WM_CAPTURECHANGED (the capture
// taken by another window) ends it with nothing moved.
void endItemDrag(AppState& state, bool drop);

// WM_DROPFILES: the files, at the cursor's place in the tree. The drop is
// always released.
void dropFiles(AppState& state, HDROP drop);

inline constexpr UINT_PTR kDragExpandTimer = 3;

}  // namespace airvane
