// The schedule tree in memory, with the rules of the tree-view control:
// for unit tests, fuzzing, benchmarks and scdtool.
#pragma once

#include <list>
#include <unordered_map>

#include "model/schedule_tree.h"

namespace airvane {

class MemoryTree final : public ScheduleTree {
public:
    NodeItem insertNode(NodeItem parent, InsertPlace place, NodeItem after, std::string_view text,
                        ScheduleNode* record) override;
    using ScheduleTree::insertNode;
    ScheduleNode* nodeRecord(NodeItem item) const override;
    unsigned nodeState(NodeItem item) const override;
    std::string nodeText(NodeItem item) const override;
    void setNodeText(NodeItem item, std::string_view text) override;
    void setNodeImages(NodeItem item, int index) override;
    void setNodeSelected(NodeItem item, bool on) override;
    NodeItem caretNode() const override { return caret_; }
    NodeItem nextNode(NodeItem item) const override;
    NodeItem previousNode(NodeItem item) const override;
    NodeItem rootNode() const override { return topLevel_.first; }
    NodeItem parentNode(NodeItem item) const override;
    NodeItem firstChildNode(NodeItem item) const override;
    NodeItem previousVisibleNode(NodeItem item) const override;
    void selectNode(NodeItem item) override;
    void setDropHighlight(NodeItem item) override { dropHighlight_ = item; }
    void ensureNodeVisible(NodeItem) override {}
    void expandNode(NodeItem item) override;
    void deleteNode(NodeItem item) override;
    std::optional<NodeSnapshot> readNode(NodeItem item) const override;
    NodeItem insertSnapshot(NodeItem parent, InsertPlace place, NodeItem after,
                            const NodeSnapshot& snapshot) override;

    int imageOf(NodeItem item) const;
    NodeItem dropHighlight() const { return dropHighlight_; }

private:
    struct Children {
        NodeItem first = kNoNode;
        NodeItem last = kNoNode;
    };
    struct Node {
        NodeSnapshot data;
        NodeItem parent = kNoNode;
        NodeItem previous = kNoNode;
        NodeItem next = kNoNode;
        Children children;
    };

    Node* find(NodeItem item);
    const Node* find(NodeItem item) const;
    Children& childrenOf(NodeItem parent);
    void unlink(NodeItem item);
    void forget(NodeItem item);

    std::unordered_map<NodeItem, Node> nodes_;
    Children topLevel_;
    NodeItem nextId_ = 1;
    NodeItem caret_ = kNoNode;
    NodeItem dropHighlight_ = kNoNode;
};

}  // namespace airvane
