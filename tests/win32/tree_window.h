// A tree-view control with the ScheduleTree's styles in a window of its
// own, gone with the tree.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "model/tree_view_win32.h"

namespace airvane::test {

class TreeViewInWindow final : public TreeViewTree {
public:
    TreeViewInWindow() : TreeViewTree(create()) {}
    ~TreeViewInWindow() override { DestroyWindow(GetParent(window())); }
    HWND frame() const { return GetParent(window()); }

private:
    static HWND create() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        HWND frame = CreateWindowA("STATIC", "Airvane 2.02", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        return CreateWindowA(WC_TREEVIEWA, "",
                             WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                 TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                             0, 0, 380, 380, frame, reinterpret_cast<HMENU>(100), GetModuleHandleA(nullptr),
                             nullptr);
    }
};

}  // namespace airvane::test
