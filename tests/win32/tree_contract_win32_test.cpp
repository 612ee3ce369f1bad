// The tree contract against the real tree-view control, and once more
// against the in-memory tree built for Windows.
#include <windows.h>
#include <commctrl.h>

#include "../contract/tree_contract.h"
#include "model/memory_tree.h"
#include "model/tree_view_win32.h"

namespace airvane::test {
namespace {

// A tree-view control with the ScheduleTree's styles in a window of its
// own, gone with the tree.
class TreeViewInWindow final : public TreeViewTree {
public:
    TreeViewInWindow() : TreeViewTree(create()) {}
    ~TreeViewInWindow() override { DestroyWindow(GetParent(window())); }

private:
    static HWND create() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        HWND frame = CreateWindowA("STATIC", "tree", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        return CreateWindowA(WC_TREEVIEWA, "",
                             WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                 TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                             0, 0, 380, 380, frame, reinterpret_cast<HMENU>(100), GetModuleHandleA(nullptr),
                             nullptr);
    }
};

}  // namespace

AIRVANE_TREE_CONTRACT(TreeView, [] { return std::make_unique<TreeViewInWindow>(); });
AIRVANE_TREE_CONTRACT(MemoryOnWindows, [] { return std::make_unique<MemoryTree>(); });

}  // namespace airvane::test
