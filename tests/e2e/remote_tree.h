// Reads the schedule tree of another process, as an outside tool would: the
// item texts and states of its tree-view control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace airvane::e2e {

struct RemoteItem {
    int level;
    std::string text;
    unsigned state;
    int image;
};

// Every item of the tree control in depth-first order, with its level.
std::vector<RemoteItem> readRemoteTree(HWND tree);

// Where an item's label is on the screen; empty when it is not shown.
RECT remoteItemRect(HWND tree, HTREEITEM item);

// Drops files on window as the shell does (WM_DROPFILES), with the drop
// handle made in the window's process; the drop point is the cursor's.
bool postFileDrop(HWND window, const std::vector<std::string>& paths);

}  // namespace airvane::e2e
