// The schedule tree: the operations every part of the program uses on the
// tree of Schedules and Files. Two sides implement the primitives: the
// Win32 tree-view control and an in-memory tree with the same rules; the
// operations built on them (freeNodeRecords, copySubtree, selectionCount,
// ...) are written once, here.
//
// Records: every item carries a pointer to its ScheduleNode. The tree's
// RecordStore owns them all; freeNodeRecords gives a subtree's records
// back, deleteNode removes items and never frees records. Whatever is still
// in the store when the tree goes away is freed with it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "model/schedule_node.h"

namespace airvane {

// An item of the tree; 0 is none.
using NodeItem = std::uintptr_t;
inline constexpr NodeItem kNoNode = 0;

// Where insertNode puts the new item among its siblings, besides "after an item".
enum class InsertPlace { First, Last, After };

// Item state bits, as the tree-view control has them.
inline constexpr unsigned kNodeSelected = 0x0002;
inline constexpr unsigned kNodeExpanded = 0x0020;

class RecordStore {
public:
    ScheduleNode* create(ScheduleNode initial = {});
    // False when the record is not (or no longer) in the store.
    bool free(ScheduleNode* record);
    bool owns(const ScheduleNode* record) const { return records_.count(record) != 0; }
    std::size_t size() const { return records_.size(); }

private:
    std::unordered_map<const ScheduleNode*, std::unique_ptr<ScheduleNode>> records_;
};

// Everything copySubtree reads from an item and puts into its copy.
struct NodeSnapshot {
    std::string text;
    int image = 0;
    int selectedImage = 0;
    ScheduleNode* record = nullptr;
    unsigned state = 0;
};

class ScheduleTree {
public:
    virtual ~ScheduleTree() = default;

    RecordStore& records() { return records_; }

    // --- primitives, one per control message ---------------------------
    // New item under parent (kNoNode: top level), first, last or after an
    // item; no image until setNodeImages. kNoNode on failure.
    virtual NodeItem insertNode(NodeItem parent, InsertPlace place, NodeItem after, std::string_view text,
                                ScheduleNode* record) = 0;
    NodeItem insertNode(NodeItem parent, InsertPlace place, std::string_view text, ScheduleNode* record) {
        return insertNode(parent, place, kNoNode, text, record);
    }
    virtual ScheduleNode* nodeRecord(NodeItem item) const = 0;  // null when unreadable
    virtual unsigned nodeState(NodeItem item) const = 0;        // 0 when unreadable
    virtual std::string nodeText(NodeItem item) const = 0;
    virtual void setNodeText(NodeItem item, std::string_view text) = 0;
    virtual void setNodeImages(NodeItem item, int index) = 0;
    virtual void setNodeSelected(NodeItem item, bool on) = 0;
    virtual NodeItem caretNode() const = 0;
    virtual NodeItem nextNode(NodeItem item) const = 0;
    virtual NodeItem previousNode(NodeItem item) const = 0;
    virtual NodeItem rootNode() const = 0;
    virtual NodeItem parentNode(NodeItem item) const = 0;
    virtual NodeItem firstChildNode(NodeItem item) const = 0;
    virtual NodeItem previousVisibleNode(NodeItem item) const = 0;
    virtual void selectNode(NodeItem item) = 0;
    virtual void setDropHighlight(NodeItem item) = 0;
    virtual void ensureNodeVisible(NodeItem item) = 0;
    // Also an item without children: it shows its first children expanded.
    virtual void expandNode(NodeItem item) = 0;
    virtual void deleteNode(NodeItem item) = 0;  // with its subtree; records untouched
    virtual std::optional<NodeSnapshot> readNode(NodeItem item) const = 0;
    virtual NodeItem insertSnapshot(NodeItem parent, InsertPlace place, NodeItem after,
                                    const NodeSnapshot& snapshot) = 0;

    // --- built on the primitives ---------------------------------------
    // The first of the item's siblings (the item itself when it is first).
    NodeItem firstSiblingNode(NodeItem item) const;
    // 0 without a caret item; else the caret item and its marked siblings.
    int selectionCount() const;
    // Parent steps to the Root: 0 Root, 1 Schedule, 2 File; -1 when the
    // chain ends without meeting the Root.
    int nodeLevel(NodeItem item) const;
    // Copies source with its subtree under newParent (kNoNode: the parent
    // of before), immediately before `before` (kNoNode: last). The copy
    // shares the records; the caller deletes the source without freeing
    // them. On failure the partial copy is removed again, so that no two
    // items share a record, and kNoNode is returned.
    NodeItem copySubtree(NodeItem source, NodeItem newParent, NodeItem before);
    // Gives back the records of item (kNoNode: the Root) and its subtree;
    // the items stay until deleted.
    void freeNodeRecords(NodeItem item);
    // The number of items in the tree (for checks and benchmarks).
    int countNodes(NodeItem item = kNoNode) const;

    // Grows with every insert, delete and freeing of records: a reader that
    // keeps what it read (the tick) knows when to read again.
    uint64_t generation() const { return generation_; }

protected:
    void markChanged() { ++generation_; }

private:
    NodeItem copyInto(NodeItem source, NodeItem parent, InsertPlace place, NodeItem after);

    RecordStore records_;
    uint64_t generation_ = 0;
};

}  // namespace airvane
