// Building small schedule trees in tests: an item of a kind with its text.
#pragma once

#include <string>

#include "model/memory_tree.h"

namespace airvane::test {

inline NodeItem addNode(MemoryTree& tree, NodeItem parent, int kind, const std::string& text) {
    ScheduleNode node;
    node.kind = kind;
    node.text = text;
    return tree.insertNode(parent, InsertPlace::Last, text, tree.records().create(node));
}

}  // namespace airvane::test
