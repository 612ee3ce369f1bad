// Reads the schedule tree of another process, as an outside tool would: the
// item texts and states of its tree-view control.
#pragma once

#include <windows.h>

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

}  // namespace airvane::e2e
