#include "model/node_label.h"

#include <gtest/gtest.h>

#include "model/memory_tree.h"

namespace airvane {
namespace {

ScheduleNode morning() {
    ScheduleNode node = newScheduleRecord();
    node.text = "Morning.m3u";
    node.startSec = toDaySeconds(6, 0, 0);
    node.endSec = toDaySeconds(9, 0, 0);
    return node;
}

TEST(NodeLabel, ScheduleLabels) {
    ScheduleNode node = morning();
    EXPECT_EQ(nodeLabel(node), "Morning (06:00:00 - 09:00:00)");
    node.playing = true;
    node.endSec = kNoEndTime;
    EXPECT_EQ(nodeLabel(node), "√Morning (06:00:00 - )");
    node = morning();
    node.year = 2026;
    node.day = 5;
    EXPECT_EQ(nodeLabel(node), "Morning (2026/매월/05 06:00:00 - 09:00:00)");
    node.day = 0;
    EXPECT_EQ(nodeLabel(node), "Morning (2026/매월/매일 06:00:00 - 09:00:00)");
    node = morning();
    node.month = 12;
    node.day = 24;
    EXPECT_EQ(nodeLabel(node), "Morning (매년/12/24 06:00:00 - 09:00:00)");
}

TEST(NodeLabel, DotsOfTheTitle) {
    ScheduleNode node = morning();
    node.text = "a.b.m3u";
    EXPECT_EQ(nodeLabel(node), "a.b (06:00:00 - 09:00:00)");
    node.text = "NoDot";
    EXPECT_EQ(nodeLabel(node), "NoDot (06:00:00 - 09:00:00)");
}

TEST(NodeLabel, FilesRootAndTheArrowBar) {
    ScheduleNode file;
    file.kind = kFile;
    file.text = "D:\\Music\\a.mp3";
    EXPECT_EQ(nodeLabel(file), "D:\\Music\\a.mp3");
    file.marquee = 3;
    EXPECT_EQ(nodeLabel(file), "D:\\Music\\a.mp3  ▶▶▶");
    file.marquee = 10;
    EXPECT_EQ(nodeLabel(file).size(), file.text.size() + 22);
    ScheduleNode schedule = morning();
    schedule.marquee = 1;
    EXPECT_EQ(nodeLabel(schedule), "Morning (06:00:00 - 09:00:00)  ▶");
    ScheduleNode root;
    EXPECT_EQ(nodeLabel(root), "");
}

TEST(NodeLabel, DaySecondsBothWays) {
    TimeOfDay t = splitDaySeconds(toDaySeconds(23, 59, 58));
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 59);
    EXPECT_EQ(t.second, 58);
    EXPECT_EQ(toDaySeconds(0, 0, -1), kNoEndTime);  // how a missing end time is stored
    t = splitDaySeconds(kNoEndTime);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.minute, 0);
    EXPECT_EQ(t.second, -1);
}

TEST(NodeLabel, RelabelSetsTheItemText) {
    MemoryTree tree;
    ScheduleNode* record = tree.records().create(morning());
    NodeItem item = tree.insertNode(kNoNode, InsertPlace::Last, "", record);
    relabel(tree, item, *record);
    EXPECT_EQ(tree.nodeText(item), "Morning (06:00:00 - 09:00:00)");
}

}  // namespace
}  // namespace airvane
