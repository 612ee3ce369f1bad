// Editing the tree with the mouse, on either side of the tree: marks
// beside the caret item (so that several siblings can be deleted at once),
// the move of a dragged item, and the Files put in from chosen or dropped
// paths.
#pragma once

#include <string>
#include <vector>

#include "model/schedule_tree.h"

namespace airvane {

class MessageSink;

// Takes the marks off every sibling of the caret item (not its own).
void clearExtraSelection(ScheduleTree& tree);
// Marks the siblings from clicked up to, not including, the caret item,
// whichever side of it clicked is on; nothing when clicked is the caret.
void selectRun(ScheduleTree& tree, NodeItem clicked);
// The item is the caret item or one of its siblings.
bool isCaretSibling(const ScheduleTree& tree, NodeItem item);

enum class MoveOutcome {
    Unchanged,  // dropped on nothing or on itself
    Refused,    // a drop the levels do not allow: the operator hears a beep
    Failed,     // the copy failed; the source stays where it was
    Moved,
};
struct MoveResult {
    MoveOutcome outcome;
    NodeItem moved = kNoNode;  // the item at its new place
};
// Moves source with its subtree: before target when both are of one level,
// as target's last child when source is one level below it.
MoveResult moveNode(ScheduleTree& tree, NodeItem source, NodeItem target);

// Where new Files go: under schedule, before `before` (kNoNode: last).
struct FilePlace {
    NodeItem schedule = kNoNode;
    NodeItem before = kNoNode;
};
// Files chosen for a Schedule: first in it, or before the caret item when
// that is one of its Files.
FilePlace placeForChosenFiles(const ScheduleTree& tree, NodeItem schedule);
// Files dropped on a Schedule go after its last File; dropped on a File,
// before that File.
FilePlace placeForDroppedFiles(const ScheduleTree& tree, NodeItem item, const ScheduleNode& record);

// A File for each path, in order, at place. A path longer than a record
// holds is refused with a message that names it, shown once the others
// are in. Stops when an item cannot be made. The number of Files put in.
int insertFiles(ScheduleTree& tree, const FilePlace& place, const std::vector<std::string>& paths,
                MessageSink& messages);

}  // namespace airvane
