#include "model/memory_tree.h"

namespace airvane {

MemoryTree::Node* MemoryTree::find(NodeItem item) {
    auto it = nodes_.find(item);
    return it == nodes_.end() ? nullptr : &it->second;
}

const MemoryTree::Node* MemoryTree::find(NodeItem item) const {
    auto it = nodes_.find(item);
    return it == nodes_.end() ? nullptr : &it->second;
}

MemoryTree::Children& MemoryTree::childrenOf(NodeItem parent) {
    return parent == kNoNode ? topLevel_ : find(parent)->children;
}

NodeItem MemoryTree::insertSnapshot(NodeItem parent, InsertPlace place, NodeItem after, const NodeSnapshot& data) {
    if (parent != kNoNode && !find(parent)) return kNoNode;
    if (place == InsertPlace::After) {
        const Node* anchor = find(after);
        if (!anchor || anchor->parent != parent) return kNoNode;
    }
    markChanged();
    const NodeItem item = nextId_++;
    Node& node = nodes_[item];
    node.data = data;
    node.data.state &= kNodeExpanded;  // a copy keeps its expanded state, not its selection
    node.parent = parent;
    Children& siblings = childrenOf(parent);
    NodeItem previous = place == InsertPlace::First ? kNoNode : place == InsertPlace::Last ? siblings.last : after;
    NodeItem next = previous == kNoNode ? siblings.first : find(previous)->next;
    node.previous = previous;
    node.next = next;
    (previous == kNoNode ? siblings.first : find(previous)->next) = item;
    (next == kNoNode ? siblings.last : find(next)->previous) = item;
    return item;
}

NodeItem MemoryTree::insertNode(NodeItem parent, InsertPlace place, NodeItem after, std::string_view text,
                                ScheduleNode* record) {
    NodeSnapshot data;
    data.text = std::string(text);
    data.record = record;
    return insertSnapshot(parent, place, after, data);
}

ScheduleNode* MemoryTree::nodeRecord(NodeItem item) const {
    const Node* node = find(item);
    return node ? node->data.record : nullptr;
}

unsigned MemoryTree::nodeState(NodeItem item) const {
    const Node* node = find(item);
    if (!node) return 0;
    return node->data.state;
}

std::string MemoryTree::nodeText(NodeItem item) const {
    const Node* node = find(item);
    return node ? node->data.text : std::string();
}

void MemoryTree::setNodeText(NodeItem item, std::string_view text) {
    if (Node* node = find(item)) node->data.text = std::string(text);
}

void MemoryTree::setNodeImages(NodeItem item, int index) {
    if (Node* node = find(item)) node->data.image = node->data.selectedImage = index;
}

int MemoryTree::imageOf(NodeItem item) const {
    const Node* node = find(item);
    return node ? node->data.image : -1;
}

void MemoryTree::setNodeSelected(NodeItem item, bool on) {
    if (Node* node = find(item)) {
        if (on) node->data.state |= kNodeSelected;
        else node->data.state &= ~kNodeSelected;
    }
}

NodeItem MemoryTree::nextNode(NodeItem item) const {
    const Node* node = find(item);
    return node ? node->next : kNoNode;
}

NodeItem MemoryTree::previousNode(NodeItem item) const {
    const Node* node = find(item);
    return node ? node->previous : kNoNode;
}

NodeItem MemoryTree::parentNode(NodeItem item) const {
    const Node* node = find(item);
    return node ? node->parent : kNoNode;
}

NodeItem MemoryTree::firstChildNode(NodeItem item) const {
    const Node* node = find(item);
    return node ? node->children.first : kNoNode;
}

NodeItem MemoryTree::previousVisibleNode(NodeItem item) const {
    const Node* node = find(item);
    if (!node) return kNoNode;
    if (node->previous == kNoNode) return node->parent;
    // The last visible descendant of the previous sibling.
    NodeItem visible = node->previous;
    for (;;) {
        const Node* v = find(visible);
        if (!(v->data.state & kNodeExpanded) || v->children.last == kNoNode) return visible;
        visible = v->children.last;
    }
}

void MemoryTree::selectNode(NodeItem item) {
    if (item != kNoNode && !find(item)) return;
    if (Node* old = find(caret_)) old->data.state &= ~kNodeSelected;
    caret_ = item;
    if (Node* node = find(item)) {
        node->data.state |= kNodeSelected;
        // The control opens the parents of the item it selects.
        for (NodeItem up = node->parent; up != kNoNode; up = find(up)->parent) find(up)->data.state |= kNodeExpanded;
    }
}

void MemoryTree::expandNode(NodeItem item) {
    // An item without children is marked expanded too, so that its first
    // children show when they come.
    if (Node* node = find(item)) node->data.state |= kNodeExpanded;
}

void MemoryTree::unlink(NodeItem item) {
    Node& node = *find(item);
    Children& siblings = childrenOf(node.parent);
    (node.previous == kNoNode ? siblings.first : find(node.previous)->next) = node.next;
    (node.next == kNoNode ? siblings.last : find(node.next)->previous) = node.previous;
}

void MemoryTree::forget(NodeItem item) {
    for (NodeItem child = find(item)->children.first; child != kNoNode;) {
        NodeItem next = find(child)->next;
        forget(child);
        child = next;
    }
    if (dropHighlight_ == item) dropHighlight_ = kNoNode;
    nodes_.erase(item);
}

void MemoryTree::deleteNode(NodeItem item) {
    Node* node = find(item);
    if (!node) return;
    markChanged();
    // Deleting the caret (or an item above it) moves the caret as the
    // control does: to the next sibling, else the parent, else the
    // previous sibling.
    bool caretGoes = false;
    for (NodeItem up = caret_; up != kNoNode; up = parentNode(up)) caretGoes |= (up == item);
    NodeItem newCaret = kNoNode;
    if (caretGoes) newCaret = node->next != kNoNode ? node->next : node->parent != kNoNode ? node->parent : node->previous;
    unlink(item);
    forget(item);
    if (caretGoes) {
        caret_ = kNoNode;
        selectNode(newCaret);
    }
}

std::optional<NodeSnapshot> MemoryTree::readNode(NodeItem item) const {
    const Node* node = find(item);
    if (!node) return std::nullopt;
    NodeSnapshot snapshot = node->data;
    snapshot.state = nodeState(item);
    return snapshot;
}

}  // namespace airvane
