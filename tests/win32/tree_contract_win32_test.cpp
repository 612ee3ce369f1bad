// The tree contract against the real tree-view control, and once more
// against the in-memory tree built for Windows.
#include "../contract/tree_contract.h"
#include "model/memory_tree.h"
#include "tree_window.h"

namespace airvane::test {

AIRVANE_TREE_CONTRACT(TreeView, [] { return std::make_unique<TreeViewInWindow>(); });
AIRVANE_TREE_CONTRACT(MemoryOnWindows, [] { return std::make_unique<MemoryTree>(); });

}  // namespace airvane::test
