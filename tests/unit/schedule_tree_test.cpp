#include "model/schedule_tree.h"

#include <gtest/gtest.h>

#include "../contract/player_contract.h"
#include "../contract/tree_contract.h"
#include "player/recording_player.h"
#include "model/memory_tree.h"

namespace airvane::test {
AIRVANE_TREE_CONTRACT(Memory, [] { return std::make_unique<MemoryTree>(); });

class RecorderUnderTest final : public PlayerUnderTest {
public:
    RecorderUnderTest() { recorder.length = 20'000; }  // standin.exe's tracks
    Player& player() override { return recorder; }
    std::vector<std::string> received(std::size_t) override { return recorder.messages(); }
    RecordingPlayer recorder;
};
AIRVANE_PLAYER_CONTRACT(Recorder, [] { return std::make_unique<RecorderUnderTest>(); });
}  // namespace airvane::test

namespace airvane {
namespace {

// A tree whose inserts start failing after a number of them, to see what a
// copy that fails part-way leaves behind.
class FailingTree final : public ScheduleTree {
public:
    explicit FailingTree(int insertsLeft) : insertsLeft_(insertsLeft) {}
    MemoryTree inner;
    using ScheduleTree::insertNode;

    NodeItem insertNode(NodeItem p, InsertPlace place, NodeItem after, std::string_view text,
                        ScheduleNode* record) override {
        return inner.insertNode(p, place, after, text, record);
    }
    NodeItem insertSnapshot(NodeItem p, InsertPlace place, NodeItem after, const NodeSnapshot& s) override {
        return insertsLeft_-- > 0 ? inner.insertSnapshot(p, place, after, s) : kNoNode;
    }
    ScheduleNode* nodeRecord(NodeItem i) const override { return inner.nodeRecord(i); }
    unsigned nodeState(NodeItem i) const override { return inner.nodeState(i); }
    std::string nodeText(NodeItem i) const override { return inner.nodeText(i); }
    void setNodeText(NodeItem i, std::string_view t) override { inner.setNodeText(i, t); }
    void setNodeImages(NodeItem i, int x) override { inner.setNodeImages(i, x); }
    void setNodeSelected(NodeItem i, bool on) override { inner.setNodeSelected(i, on); }
    NodeItem caretNode() const override { return inner.caretNode(); }
    NodeItem nextNode(NodeItem i) const override { return inner.nextNode(i); }
    NodeItem previousNode(NodeItem i) const override { return inner.previousNode(i); }
    NodeItem rootNode() const override { return inner.rootNode(); }
    NodeItem parentNode(NodeItem i) const override { return inner.parentNode(i); }
    NodeItem firstChildNode(NodeItem i) const override { return inner.firstChildNode(i); }
    NodeItem previousVisibleNode(NodeItem i) const override { return inner.previousVisibleNode(i); }
    void selectNode(NodeItem i) override { inner.selectNode(i); }
    void setDropHighlight(NodeItem i) override { inner.setDropHighlight(i); }
    void ensureNodeVisible(NodeItem i) override { inner.ensureNodeVisible(i); }
    void expandNode(NodeItem i) override { inner.expandNode(i); }
    void deleteNode(NodeItem i) override { inner.deleteNode(i); }
    std::optional<NodeSnapshot> readNode(NodeItem i) const override { return inner.readNode(i); }

private:
    int insertsLeft_;
};

TEST(CopySubtree, APartialCopyIsRemovedSoThatNoTwoItemsShareARecord) {
    FailingTree tree(2);  // the copy of the Schedule and its first File succeed, the second fails
    NodeItem root = tree.insertNode(kNoNode, InsertPlace::Last, "root", tree.records().create());
    NodeItem schedule = tree.insertNode(root, InsertPlace::Last, "S", tree.records().create());
    for (const char* file : {"F0", "F1", "F2"}) tree.insertNode(schedule, InsertPlace::Last, file, tree.records().create());
    const int items = tree.countNodes();

    EXPECT_EQ(tree.copySubtree(schedule, root, kNoNode), kNoNode);
    EXPECT_EQ(tree.countNodes(), items) << "the partial copy is gone";
    EXPECT_EQ(tree.nodeText(tree.firstChildNode(root)), "S");
    EXPECT_EQ(tree.nextNode(tree.firstChildNode(root)), kNoNode);
    EXPECT_EQ(tree.records().size(), 5u) << "the source keeps its records";
}

TEST(RecordStore, FreesOnceAndOwnsWhatItMade) {
    RecordStore store;
    ScheduleNode* a = store.create(newScheduleRecord());
    EXPECT_EQ(a->weekdays, kEveryDay);
    EXPECT_EQ(a->endSec, kNoEndTime);
    EXPECT_EQ(a->startSec, 0);
    EXPECT_FALSE(a->playing);
    EXPECT_TRUE(store.owns(a));
    EXPECT_TRUE(store.free(a));
    EXPECT_FALSE(store.free(a)) << "a second free finds nothing";
    ScheduleNode stranger;
    EXPECT_FALSE(store.free(&stranger));
}

}  // namespace
}  // namespace airvane
