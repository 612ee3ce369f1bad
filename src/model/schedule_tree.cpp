#include "model/schedule_tree.h"

#include <vector>

namespace airvane {

ScheduleNode* RecordStore::create(ScheduleNode initial) {
    auto record = std::make_unique<ScheduleNode>(std::move(initial));
    ScheduleNode* raw = record.get();
    records_.emplace(raw, std::move(record));
    return raw;
}

bool RecordStore::free(ScheduleNode* record) { return records_.erase(record) != 0; }

NodeItem ScheduleTree::firstSiblingNode(NodeItem item) const {
    if (item == kNoNode) return kNoNode;
    for (NodeItem previous = previousNode(item); previous != kNoNode; previous = previousNode(item)) {
        item = previous;
    }
    return item;
}

int ScheduleTree::selectionCount() const {
    NodeItem caret = caretNode();
    if (caret == kNoNode) return 0;
    int count = 1;
    for (NodeItem item = previousNode(caret); item != kNoNode; item = previousNode(item)) {
        if (nodeState(item) & kNodeSelected) ++count;
    }
    for (NodeItem item = nextNode(caret); item != kNoNode; item = nextNode(item)) {
        if (nodeState(item) & kNodeSelected) ++count;
    }
    return count;
}

int ScheduleTree::nodeLevel(NodeItem item) const {
    const NodeItem root = rootNode();
    int level = 0;
    while (item != kNoNode) {
        if (item == root) return level;
        item = parentNode(item);
        ++level;
    }
    return -1;
}

NodeItem ScheduleTree::copyInto(NodeItem source, NodeItem parent, InsertPlace place, NodeItem after) {
    std::optional<NodeSnapshot> snapshot = readNode(source);
    if (!snapshot) return kNoNode;
    NodeItem copy = insertSnapshot(parent, place, after, *snapshot);
    if (copy == kNoNode) return kNoNode;
    for (NodeItem child = firstChildNode(source); child != kNoNode; child = nextNode(child)) {
        if (copyInto(child, copy, InsertPlace::Last, kNoNode) == kNoNode) {
            deleteNode(copy);  // takes the partial copy with it; the records stay with the source
            return kNoNode;
        }
    }
    return copy;
}

NodeItem ScheduleTree::copySubtree(NodeItem source, NodeItem newParent, NodeItem before) {
    NodeItem parent = newParent != kNoNode ? newParent : parentNode(before);
    if (before == kNoNode) return copyInto(source, parent, InsertPlace::Last, kNoNode);
    NodeItem previous = previousNode(before);
    if (previous == kNoNode) return copyInto(source, parent, InsertPlace::First, kNoNode);
    return copyInto(source, parent, InsertPlace::After, previous);
}

void ScheduleTree::freeNodeRecords(NodeItem item) {
    markChanged();
    if (item == kNoNode) item = rootNode();
    if (item == kNoNode) return;
    // Iteratively: a tree read from a file may be deep in odd cases.
    std::vector<NodeItem> pending{item};
    while (!pending.empty()) {
        NodeItem next = pending.back();
        pending.pop_back();
        if (ScheduleNode* record = nodeRecord(next)) records_.free(record);
        for (NodeItem child = firstChildNode(next); child != kNoNode; child = nextNode(child)) {
            pending.push_back(child);
        }
    }
}

int ScheduleTree::countNodes(NodeItem item) const {
    if (item == kNoNode) item = rootNode();
    int count = 0;
    for (; item != kNoNode; item = nextNode(item)) {
        ++count;
        if (NodeItem child = firstChildNode(item)) count += countNodes(child);
    }
    return count;
}

}  // namespace airvane
