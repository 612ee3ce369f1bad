// The schedule tree on the real tree-view control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "model/schedule_tree.h"

namespace airvane {

class TreeViewTree : public ScheduleTree {
public:
    explicit TreeViewTree(HWND treeControl) : tree_(treeControl) {}
    HWND window() const { return tree_; }

    NodeItem insertNode(NodeItem parent, InsertPlace place, NodeItem after, std::string_view text,
                        ScheduleNode* record) override;
    using ScheduleTree::insertNode;
    ScheduleNode* nodeRecord(NodeItem item) const override;
    unsigned nodeState(NodeItem item) const override;
    std::string nodeText(NodeItem item) const override;
    void setNodeText(NodeItem item, std::string_view text) override;
    void setNodeImages(NodeItem item, int index) override;
    void setNodeSelected(NodeItem item, bool on) override;
    NodeItem caretNode() const override { return next(kNoNode, TVGN_CARET); }
    NodeItem nextNode(NodeItem item) const override { return next(item, TVGN_NEXT); }
    NodeItem previousNode(NodeItem item) const override { return next(item, TVGN_PREVIOUS); }
    NodeItem rootNode() const override { return next(kNoNode, TVGN_ROOT); }
    NodeItem parentNode(NodeItem item) const override { return next(item, TVGN_PARENT); }
    NodeItem firstChildNode(NodeItem item) const override { return next(item, TVGN_CHILD); }
    NodeItem previousVisibleNode(NodeItem item) const override { return next(item, TVGN_PREVIOUSVISIBLE); }
    void selectNode(NodeItem item) override;
    void setDropHighlight(NodeItem item) override;
    void ensureNodeVisible(NodeItem item) override;
    void expandNode(NodeItem item) override;
    void deleteNode(NodeItem item) override;
    std::optional<NodeSnapshot> readNode(NodeItem item) const override;
    NodeItem insertSnapshot(NodeItem parent, InsertPlace place, NodeItem after,
                            const NodeSnapshot& snapshot) override;

    void setTreeImages(HIMAGELIST images);
    HIMAGELIST treeImages() const;
    HIMAGELIST createDragImage(NodeItem item);
    NodeItem hitTestNode(int x, int y, UINT* flags = nullptr) const;

private:
    NodeItem next(NodeItem item, UINT relation) const;
    NodeItem insert(NodeItem parent, InsertPlace place, NodeItem after, TVITEMA item);

    HWND tree_;
};

// Item handles of the control and the portable items are the same values.
inline HTREEITEM toHandle(NodeItem item) { return reinterpret_cast<HTREEITEM>(item); }
inline NodeItem toItem(HTREEITEM handle) { return reinterpret_cast<NodeItem>(handle); }

}  // namespace airvane
