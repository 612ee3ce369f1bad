#include "model/tree_editing.h"

#include "storage/messages.h"
#include "storage/text.h"

namespace airvane {

namespace {

bool isMarked(const ScheduleTree& tree, NodeItem item) { return tree.nodeState(item) & kNodeSelected; }

// Marks from `from` towards the caret item, stepping with step, when the
// walk from the caret item with the other step meets clicked.
bool markRunFrom(ScheduleTree& tree, NodeItem caret, NodeItem clicked, NodeItem (ScheduleTree::*away)(NodeItem) const,
                 NodeItem (ScheduleTree::*back)(NodeItem) const) {
    for (NodeItem item = (tree.*away)(caret); item != kNoNode; item = (tree.*away)(item)) {
        if (item != clicked) continue;
        for (NodeItem mark = clicked; mark != kNoNode && mark != caret; mark = (tree.*back)(mark)) {
            tree.setNodeSelected(mark, true);
        }
        return true;
    }
    return false;
}

}  // namespace

void clearExtraSelection(ScheduleTree& tree) {
    const NodeItem caret = tree.caretNode();
    if (caret == kNoNode) return;
    for (NodeItem item = tree.previousNode(caret); item != kNoNode; item = tree.previousNode(item)) {
        if (isMarked(tree, item)) tree.setNodeSelected(item, false);
    }
    for (NodeItem item = tree.nextNode(caret); item != kNoNode; item = tree.nextNode(item)) {
        if (isMarked(tree, item)) tree.setNodeSelected(item, false);
    }
}

void selectRun(ScheduleTree& tree, NodeItem clicked) {
    const NodeItem caret = tree.caretNode();
    if (caret == kNoNode || clicked == caret) return;
    if (!markRunFrom(tree, caret, clicked, &ScheduleTree::previousNode, &ScheduleTree::nextNode)) {
        markRunFrom(tree, caret, clicked, &ScheduleTree::nextNode, &ScheduleTree::previousNode);
    }
}

bool isCaretSibling(const ScheduleTree& tree, NodeItem item) {
    const NodeItem caret = tree.caretNode();
    if (caret == kNoNode || item == kNoNode) return false;
    for (NodeItem sibling = caret; sibling != kNoNode; sibling = tree.previousNode(sibling)) {
        if (sibling == item) return true;
    }
    for (NodeItem sibling = tree.nextNode(caret); sibling != kNoNode; sibling = tree.nextNode(sibling)) {
        if (sibling == item) return true;
    }
    return false;
}

MoveResult moveNode(ScheduleTree& tree, NodeItem source, NodeItem target) {
    if (target == kNoNode || target == source) return {MoveOutcome::Unchanged};
    const int sourceLevel = tree.nodeLevel(source), targetLevel = tree.nodeLevel(target);
    NodeItem copy = kNoNode;
    if (sourceLevel == targetLevel) {
        copy = tree.copySubtree(source, kNoNode, target);
    } else if (sourceLevel == targetLevel + 1) {
        copy = tree.copySubtree(source, target, kNoNode);
    } else {
        return {MoveOutcome::Refused};
    }
    if (copy == kNoNode) return {MoveOutcome::Failed};
    tree.deleteNode(source);
    tree.selectNode(copy);
    return {MoveOutcome::Moved, copy};
}

FilePlace placeForChosenFiles(const ScheduleTree& tree, NodeItem schedule) {
    const NodeItem caret = tree.caretNode();
    if (caret != kNoNode && tree.parentNode(caret) == schedule) return {schedule, caret};
    return {schedule, tree.firstChildNode(schedule)};
}

FilePlace placeForDroppedFiles(const ScheduleTree& tree, NodeItem item, const ScheduleNode& record) {
    if (record.kind == kSchedule) return {item, kNoNode};
    return {tree.parentNode(item), item};
}

int insertFiles(ScheduleTree& tree, const FilePlace& place, const std::vector<std::string>& paths,
                MessageSink& messages) {
    NodeItem after = place.before == kNoNode ? kNoNode : tree.previousNode(place.before);
    InsertPlace where = place.before == kNoNode ? InsertPlace::Last : after ? InsertPlace::After : InsertPlace::First;
    int inserted = 0;
    std::vector<const std::string*> refused;
    for (const std::string& path : paths) {
        if (path.size() > kPathMax) {
            refused.push_back(&path);
            continue;
        }
        ScheduleNode file;
        file.kind = kFile;
        file.text = path;
        ScheduleNode* record = tree.records().create(std::move(file));
        const NodeItem item = tree.insertNode(place.schedule, where, after, path, record);
        if (item == kNoNode) {
            tree.records().free(record);
            break;
        }
        tree.setNodeImages(item, kFile);
        tree.expandNode(place.schedule);
        ++inserted;
        where = InsertPlace::After;
        after = item;
    }
    // Said after the tree work: timers run under a message box, and a load
    // meanwhile would leave the place to insert at gone.
    for (const std::string* path : refused) messages.showMessage("'" + *path + "' 파일이 열리지 않습니다", kMsgOk);
    return inserted;
}

}  // namespace airvane
