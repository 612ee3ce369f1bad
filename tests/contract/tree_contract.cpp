#include "tree_contract.h"

#include <string>
#include <vector>

namespace airvane::test {

NodeItem TreeContract::add(NodeItem parent, const std::string& text, int kind) {
    ScheduleNode node;
    node.kind = kind;
    node.text = text;
    ScheduleNode* record = tree->records().create(node);
    NodeItem item = tree->insertNode(parent, InsertPlace::Last, text, record);
    tree->setNodeImages(item, kind);
    return item;
}

NodeItem TreeContract::buildTree(int schedules, int filesEach) {
    NodeItem root = add(kNoNode, kRootText, kRoot);
    for (int s = 0; s < schedules; ++s) {
        NodeItem schedule = add(root, "S" + std::to_string(s), kSchedule);
        for (int f = 0; f < filesEach; ++f) add(schedule, "S" + std::to_string(s) + "F" + std::to_string(f), kFile);
    }
    return root;
}

NodeItem TreeContract::child(NodeItem parent, int index) const {
    NodeItem item = tree->firstChildNode(parent);
    while (index-- > 0 && item != kNoNode) item = tree->nextNode(item);
    return item;
}

namespace {
std::vector<std::string> childTexts(const ScheduleTree& tree, NodeItem parent) {
    std::vector<std::string> texts;
    for (NodeItem item = tree.firstChildNode(parent); item != kNoNode; item = tree.nextNode(item)) {
        texts.push_back(tree.nodeText(item));
    }
    return texts;
}
using Texts = std::vector<std::string>;
}  // namespace

TEST_P(TreeContract, InsertFirstLastAndAfter) {
    NodeItem root = buildTree(0, 0);
    EXPECT_EQ(tree->rootNode(), root);
    NodeItem b = tree->insertNode(root, InsertPlace::Last, "b", tree->records().create());
    tree->insertNode(root, InsertPlace::First, "a", tree->records().create());
    tree->insertNode(root, InsertPlace::Last, "d", tree->records().create());
    tree->insertNode(root, InsertPlace::After, b, "c", tree->records().create());
    EXPECT_EQ(childTexts(*tree, root), (Texts{"a", "b", "c", "d"}));
    EXPECT_EQ(tree->nodeText(root), kRootText);
    EXPECT_EQ(tree->parentNode(b), root);
    EXPECT_EQ(tree->parentNode(root), kNoNode);
    EXPECT_EQ(tree->nextNode(tree->previousNode(b)), b);
    EXPECT_EQ(tree->previousNode(tree->firstChildNode(root)), kNoNode);
    EXPECT_EQ(tree->firstSiblingNode(b), tree->firstChildNode(root));
    EXPECT_EQ(tree->firstSiblingNode(root), root);
    EXPECT_EQ(tree->firstSiblingNode(kNoNode), kNoNode);
}

TEST_P(TreeContract, RecordsTextsAndUnreadableItems) {
    NodeItem root = buildTree(1, 1);
    NodeItem schedule = child(root, 0);
    ASSERT_TRUE(tree->nodeRecord(schedule));
    EXPECT_EQ(tree->nodeRecord(schedule)->text, "S0");
    tree->setNodeText(schedule, "새 제목 (06:00:00 - )");
    EXPECT_EQ(tree->nodeText(schedule), "새 제목 (06:00:00 - )");
    EXPECT_EQ(tree->nodeRecord(kNoNode), nullptr);
    EXPECT_EQ(tree->nodeState(kNoNode), 0u);
    EXPECT_EQ(tree->nodeLevel(root), 0);
    EXPECT_EQ(tree->nodeLevel(schedule), 1);
    EXPECT_EQ(tree->nodeLevel(child(schedule, 0)), 2);
    EXPECT_EQ(tree->nodeLevel(kNoNode), -1);
    // A second top-level item never meets the Root.
    NodeItem stray = tree->insertNode(kNoNode, InsertPlace::Last, "stray", nullptr);
    EXPECT_EQ(tree->nodeLevel(stray), -1);
    EXPECT_EQ(tree->nodeRecord(stray), nullptr);
}

TEST_P(TreeContract, CaretSelectionAndExpandedState) {
    NodeItem root = buildTree(1, 5);
    NodeItem schedule = child(root, 0);
    EXPECT_EQ(tree->caretNode(), kNoNode);
    EXPECT_EQ(tree->selectionCount(), 0);

    tree->expandNode(root);
    EXPECT_TRUE(tree->nodeState(root) & kNodeExpanded);
    EXPECT_FALSE(tree->nodeState(schedule) & kNodeExpanded);
    NodeItem empty = add(root, "empty", kSchedule);
    tree->expandNode(empty);
    EXPECT_TRUE(tree->nodeState(empty) & kNodeExpanded) << "an item without children is marked expanded";
    tree->deleteNode(empty);

    NodeItem third = child(schedule, 2);
    tree->selectNode(third);
    EXPECT_EQ(tree->caretNode(), third);
    EXPECT_TRUE(tree->nodeState(third) & kNodeSelected);
    EXPECT_TRUE(tree->nodeState(schedule) & kNodeExpanded) << "selecting opens the parents";
    EXPECT_EQ(tree->selectionCount(), 1);

    tree->setNodeSelected(child(schedule, 0), true);
    tree->setNodeSelected(child(schedule, 4), true);
    EXPECT_EQ(tree->selectionCount(), 3);
    tree->setNodeSelected(child(schedule, 4), false);
    EXPECT_EQ(tree->selectionCount(), 2);
    // Marks outside the caret's siblings do not count.
    tree->setNodeSelected(root, true);
    EXPECT_EQ(tree->selectionCount(), 2);

    tree->selectNode(child(schedule, 1));
    EXPECT_FALSE(tree->nodeState(third) & kNodeSelected) << "the old caret loses its selection";
    EXPECT_TRUE(tree->nodeState(child(schedule, 0)) & kNodeSelected) << "marks stay";
}

TEST_P(TreeContract, DeleteTakesTheSubtreeAndLeavesRecords) {
    NodeItem root = buildTree(3, 2);
    NodeItem middle = child(root, 1);
    ScheduleNode* record = tree->nodeRecord(middle);
    ScheduleNode* fileRecord = tree->nodeRecord(child(middle, 0));
    const std::size_t records = tree->records().size();
    tree->deleteNode(middle);
    EXPECT_EQ(childTexts(*tree, root), (Texts{"S0", "S2"}));
    EXPECT_EQ(tree->countNodes(), 1 + 2 * 3);
    EXPECT_EQ(tree->records().size(), records);
    EXPECT_TRUE(tree->records().owns(record));
    EXPECT_TRUE(tree->records().owns(fileRecord));
}

TEST_P(TreeContract, DeletingTheCaretMovesItToTheNextSiblingElseTheParent) {
    NodeItem root = buildTree(2, 2);
    NodeItem schedule = child(root, 0);
    tree->selectNode(child(schedule, 0));
    tree->deleteNode(child(schedule, 0));
    EXPECT_EQ(tree->nodeText(tree->caretNode()), "S0F1");
    tree->deleteNode(child(schedule, 0));
    EXPECT_EQ(tree->caretNode(), schedule);
}

TEST_P(TreeContract, FreeNodeRecordsGivesBackASubtreeOrTheWholeTree) {
    NodeItem root = buildTree(2, 3);
    EXPECT_EQ(tree->records().size(), 9u);
    NodeItem first = child(root, 0);
    tree->freeNodeRecords(first);
    EXPECT_EQ(tree->records().size(), 5u);
    EXPECT_EQ(tree->countNodes(), 9) << "the items stay until deleted";
    tree->deleteNode(first);
    tree->freeNodeRecords(kNoNode);
    EXPECT_EQ(tree->records().size(), 0u);
}

TEST_P(TreeContract, CopySubtreePlacesBeforeAndSharesRecordsInOrder) {
    NodeItem root = buildTree(3, 3);
    NodeItem source = child(root, 2);
    tree->expandNode(source);
    ScheduleNode* record = tree->nodeRecord(source);
    const std::size_t records = tree->records().size();

    NodeItem copy = tree->copySubtree(source, kNoNode, child(root, 0));
    ASSERT_NE(copy, kNoNode);
    EXPECT_EQ(tree->firstChildNode(root), copy) << "before the first child: first";
    EXPECT_EQ(tree->nodeRecord(copy), record);
    EXPECT_EQ(childTexts(*tree, copy), (Texts{"S2F0", "S2F1", "S2F2"}));
    EXPECT_EQ(tree->nodeRecord(child(copy, 1)), tree->nodeRecord(child(source, 1)));
    EXPECT_TRUE(tree->nodeState(copy) & kNodeExpanded) << "the expanded state comes along";
    EXPECT_EQ(tree->records().size(), records) << "records are shared, not copied";
    tree->deleteNode(source);  // a move: the source goes without freeing
    EXPECT_EQ(childTexts(*tree, root), (Texts{"S2", "S0", "S1"}));

    // Before a later sibling: immediately before it; before none: last.
    NodeItem file = child(child(root, 1), 2);
    NodeItem moved = tree->copySubtree(file, kNoNode, child(child(root, 1), 1));
    tree->deleteNode(file);
    EXPECT_EQ(childTexts(*tree, child(root, 1)), (Texts{"S0F0", "S0F2", "S0F1"}));
    EXPECT_EQ(tree->parentNode(moved), child(root, 1));
    NodeItem last = tree->copySubtree(child(child(root, 1), 0), child(root, 2), kNoNode);
    EXPECT_EQ(tree->nextNode(last), kNoNode);
    EXPECT_EQ(tree->parentNode(last), child(root, 2));
}

TEST_P(TreeContract, CopyingAnItemThatIsNotThereFails) {
    NodeItem root = buildTree(1, 2);
    NodeItem schedule = child(root, 0);
    const int before = tree->countNodes();
    EXPECT_EQ(tree->copySubtree(kNoNode, root, kNoNode), kNoNode);
    EXPECT_EQ(tree->countNodes(), before);
    EXPECT_EQ(tree->nodeRecord(schedule)->text, "S0");
}

TEST_P(TreeContract, PreviousVisibleFollowsTheExpandedState) {
    NodeItem root = buildTree(2, 2);
    tree->expandNode(root);
    NodeItem first = child(root, 0);
    NodeItem second = child(root, 1);
    EXPECT_EQ(tree->previousVisibleNode(second), first);
    tree->expandNode(first);
    EXPECT_EQ(tree->previousVisibleNode(second), child(first, 1));
    EXPECT_EQ(tree->previousVisibleNode(first), root);
}

}  // namespace airvane::test
