// A large station schedule for the benchmarks: Schedules of Files.
#pragma once

#include <string>

#include "model/node_label.h"
#include "model/schedule_tree.h"

namespace airvane::bench {

inline void buildStation(ScheduleTree& tree, int schedules, int filesEach) {
    ScheduleNode* rootRecord = tree.records().create();
    NodeItem root = tree.insertNode(kNoNode, InsertPlace::Last, kRootText, rootRecord);
    for (int s = 0; s < schedules; ++s) {
        ScheduleNode node = newScheduleRecord();
        node.text = "Programme " + std::to_string(s) + ".m3u";
        node.startSec = (s * 397) % 86400;
        node.endSec = (node.startSec + 3600) % 86400;
        node.options = s % 8;
        ScheduleNode* record = tree.records().create(node);
        NodeItem schedule = tree.insertNode(root, InsertPlace::Last, "", record);
        relabel(tree, schedule, *record);
        for (int f = 0; f < filesEach; ++f) {
            ScheduleNode file;
            file.kind = kFile;
            file.text = "D:\\Music\\Programme " + std::to_string(s) + "\\Track " + std::to_string(f) + ".mp3";
            tree.insertNode(schedule, InsertPlace::Last, file.text, tree.records().create(file));
        }
    }
}

}  // namespace airvane::bench
