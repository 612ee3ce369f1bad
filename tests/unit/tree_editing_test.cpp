#include "model/tree_editing.h"

#include <gtest/gtest.h>

#include <functional>

#include "recording_messages.h"
#include "test_tree.h"

namespace airvane {
namespace {

using test::addNode;

// Root -> S1 (F1..F5), S2 (G1), S3 (empty).
struct SampleTree {
    SampleTree() {
        const NodeItem root = addNode(tree, kNoNode, kRoot, "Root");
        s1 = addNode(tree, root, kSchedule, "S1");
        for (int i = 0; i < 5; ++i) f[i] = addNode(tree, s1, kFile, "F" + std::to_string(i + 1));
        s2 = addNode(tree, root, kSchedule, "S2");
        g1 = addNode(tree, s2, kFile, "G1");
        s3 = addNode(tree, root, kSchedule, "S3");
    }
    // "S1(F1 F2) S2(G1)": the Schedules and their Files, by record text.
    std::string shape() const {
        std::string text;
        for (NodeItem s = tree.firstChildNode(tree.rootNode()); s; s = tree.nextNode(s)) {
            text += (text.empty() ? "" : " ") + tree.nodeRecord(s)->text + "(";
            for (NodeItem file = tree.firstChildNode(s); file; file = tree.nextNode(file))
                text += (file == tree.firstChildNode(s) ? "" : " ") + tree.nodeRecord(file)->text;
            text += ")";
        }
        return text;
    }
    std::string marked() const {
        std::string text;
        for (NodeItem file = tree.firstChildNode(s1); file; file = tree.nextNode(file))
            if (file != tree.caretNode() && (tree.nodeState(file) & kNodeSelected)) text += tree.nodeRecord(file)->text;
        return text;
    }

    MemoryTree tree;
    NodeItem s1, s2, s3, g1, f[5];
};

class TreeEditing : public ::testing::Test, public SampleTree {};

TEST_F(TreeEditing, MarksStayAmongTheCaretsSiblingsAndARunEndsBeforeTheCaret) {
    tree.selectNode(f[2]);
    EXPECT_TRUE(isCaretSibling(tree, f[0]) && isCaretSibling(tree, f[2]) && isCaretSibling(tree, f[4]));
    EXPECT_FALSE(isCaretSibling(tree, g1) || isCaretSibling(tree, s1));
    selectRun(tree, f[0]);
    EXPECT_EQ(marked(), "F1F2");
    EXPECT_EQ(tree.selectionCount(), 3);
    clearExtraSelection(tree);
    selectRun(tree, f[4]);
    EXPECT_EQ(marked(), "F4F5");
    clearExtraSelection(tree);
    selectRun(tree, f[2]);  // on the caret itself
    EXPECT_EQ(marked(), "");
    EXPECT_EQ(tree.selectionCount(), 1);
}

TEST_F(TreeEditing, AMoveFollowsTheLevelsOfItsSourceAndTarget) {
    struct Row {
        const char* what;
        NodeItem SampleTree::*source;
        int sourceFile;  // index into f when source is null
        NodeItem SampleTree::*target;
        MoveOutcome outcome;
        const char* shape;
    };
    const std::string unchanged = "S1(F1 F2 F3 F4 F5) S2(G1) S3()";
    const Row rows[] = {
        {"Schedule on a Schedule", &SampleTree::s2, 0, &SampleTree::s1, MoveOutcome::Moved, "S2(G1) S1(F1 F2 F3 F4 F5) S3()"},
        {"Schedule on its next sibling", &SampleTree::s1, 0, &SampleTree::s2, MoveOutcome::Moved, unchanged.c_str()},
        {"File on a File of another Schedule", nullptr, 0, &SampleTree::g1, MoveOutcome::Moved, "S1(F2 F3 F4 F5) S2(F1 G1) S3()"},
        {"File on a Schedule", nullptr, 0, &SampleTree::s3, MoveOutcome::Moved, "S1(F2 F3 F4 F5) S2(G1) S3(F1)"},
        {"Schedule on a File", &SampleTree::s2, 0, &SampleTree::g1, MoveOutcome::Refused, unchanged.c_str()},
        {"File on itself", nullptr, 0, nullptr, MoveOutcome::Unchanged, unchanged.c_str()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        SampleTree fresh;
        const NodeItem source = row.source ? fresh.*row.source : fresh.f[row.sourceFile];
        const NodeItem target = row.target ? fresh.*row.target : source;
        const MoveResult result = moveNode(fresh.tree, source, target);
        EXPECT_EQ(result.outcome, row.outcome);
        EXPECT_EQ(fresh.shape(), row.shape);
        if (row.outcome == MoveOutcome::Moved) {
            EXPECT_EQ(fresh.tree.caretNode(), result.moved);
        }
    }
    // On the Root: a Schedule goes last, a File only beeps.
    EXPECT_EQ(moveNode(tree, s1, tree.rootNode()).outcome, MoveOutcome::Moved);
    EXPECT_EQ(moveNode(tree, g1, tree.rootNode()).outcome, MoveOutcome::Refused);
    EXPECT_EQ(shape(), "S2(G1) S3() S1(F1 F2 F3 F4 F5)");
}

TEST_F(TreeEditing, DroppedAndChosenFilesLandInOrderAndAPathTooLongIsRefusedByName) {
    // The message comes when the tree work is done: timers run under it,
    // and a load then would leave the place to insert at gone.
    struct ShapeAtMessage final : test::RecordingMessages {
        std::function<std::string()> shapeNow;
        std::string seen;
        int showMessage(std::string_view text, unsigned style) override {
            seen = shapeNow();
            return RecordingMessages::showMessage(text, style);
        }
    } messages;
    messages.shapeNow = [this] { return shape(); };
    const std::string tooLong = "C:\\" + std::string(257, 'x');
    EXPECT_EQ(insertFiles(tree, placeForDroppedFiles(tree, f[1], *tree.nodeRecord(f[1])), {"a", tooLong, "b", "c"},
                          messages),
              3);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"'" + tooLong + "' 파일이 열리지 않습니다"});
    EXPECT_EQ(messages.seen, "S1(F1 a b c F2 F3 F4 F5) S2(G1) S3()");
    insertFiles(tree, placeForDroppedFiles(tree, s2, *tree.nodeRecord(s2)), {"d"}, messages);
    tree.selectNode(s3);
    insertFiles(tree, placeForChosenFiles(tree, s3), {"e", "f"}, messages);
    tree.selectNode(s1);
    insertFiles(tree, placeForChosenFiles(tree, s1), {"g"}, messages);
    tree.selectNode(g1);
    insertFiles(tree, placeForChosenFiles(tree, s2), {"h"}, messages);
    EXPECT_EQ(shape(), "S1(g F1 a b c F2 F3 F4 F5) S2(h G1 d) S3(e f)");
}

}  // namespace
}  // namespace airvane
