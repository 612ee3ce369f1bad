#include "app/main_commands_win32.h"

#include <commdlg.h>

#include <vector>

#include "app/app_state.h"
#include "dialogs/schedule_editor_win32.h"
#include "model/node_label.h"
#include "storage/file_dialog_win32.h"
#include "storage/file_selection.h"
#include "storage/message_box_win32.h"
#include "storage/schedule_file.h"
#include "storage/schedule_file_win32.h"
#include "storage/text.h"

namespace airvane {

namespace {

int message(AppState& state, const std::string& text, unsigned style = kMsgOk) {
    return showMessage(state.mainWindow, text, style);
}

// Files chosen in the open dialog go first under the Schedule, or before
// the File that has the caret when it is one of this Schedule's.
void addFiles(AppState& state, NodeItem schedule) {
    TreeViewTree& tree = *state.tree;
    std::string answer;
    if (!openFileDialog(state.mainWindow, answer, 4000, nullptr, kAudioFilter, OFN_EXPLORER | OFN_ALLOWMULTISELECT))
        return;
    InsertPlace place = InsertPlace::First;
    NodeItem after = kNoNode;
    NodeItem caret = tree.caretNode();
    if (caret != kNoNode && tree.parentNode(caret) == schedule) {
        after = tree.previousNode(caret);
        if (after != kNoNode) place = InsertPlace::After;
    }
    for (const std::string& path : selectedPaths(answer)) {
        if (path.size() > kPathMax) {
            message(state, "'" + path + "' 파일이 열리지 않습니다");
            continue;
        }
        ScheduleNode file;
        file.kind = kFile;
        file.text = path;
        ScheduleNode* record = tree.records().create(std::move(file));
        NodeItem item = tree.insertNode(schedule, place, after, path, record);
        if (item == kNoNode) {
            tree.records().free(record);
            break;
        }
        tree.setNodeImages(item, kFile);
        tree.expandNode(schedule);
        state.scheduleDirty = true;
        place = InsertPlace::After;
        after = item;
    }
}

// Deletes every child of each selected sibling of the caret item.
void deleteFileLists(AppState& state, NodeItem caret) {
    TreeViewTree& tree = *state.tree;
    for (NodeItem item = tree.firstSiblingNode(caret); item != kNoNode; item = tree.nextNode(item)) {
        if (!(tree.nodeState(item) & kNodeSelected) && item != caret) continue;
        while (NodeItem child = tree.firstChildNode(item)) {
            tree.freeNodeRecords(child);
            tree.deleteNode(child);
        }
    }
    state.scheduleDirty = true;
}

// Deletes the caret item and its marked siblings; every mark is taken
// before the first deletion moves the control's own selection.
void deleteMarked(AppState& state, NodeItem caret) {
    TreeViewTree& tree = *state.tree;
    const NodeItem first = tree.firstSiblingNode(caret);
    for (NodeItem item = first; item != kNoNode; item = tree.nextNode(item)) {
        if (ScheduleNode* record = tree.nodeRecord(item)) {
            record->marked = item == caret || (tree.nodeState(item) & kNodeSelected);
        }
    }
    for (NodeItem item = first; item != kNoNode;) {
        NodeItem next = tree.nextNode(item);
        ScheduleNode* record = tree.nodeRecord(item);
        if (record && record->marked) {
            tree.freeNodeRecords(item);
            tree.deleteNode(item);
        }
        item = next;
    }
    state.scheduleDirty = true;
}

std::string countedQuestion(const char* one, const char* many, int n) {
    if (n < 2) return one;
    char text[160];
    std::snprintf(text, sizeof text, many, n);
    return text;
}

}  // namespace

void addCommand(AppState& state) {
    TreeViewTree& tree = *state.tree;
    NodeItem item = tree.caretNode();
    if (item == kNoNode) {
        message(state, "추가할 위치를 선택하세요");
        return;
    }
    ScheduleNode* record = tree.nodeRecord(item);
    if (!record) return;
    if (record->kind == kFile) {
        item = tree.parentNode(item);
        record = tree.nodeRecord(item);
        if (!record) return;
    }
    if (record->kind == kSchedule) {
        addFiles(state, item);
        return;
    }
    if (record->kind != kRoot) return;
    ScheduleNode fresh = newScheduleRecord();
    if (editSchedule(state.mainWindow, state.frame(), fresh) != IDOK) return;
    ScheduleNode* created = tree.records().create(std::move(fresh));
    NodeItem schedule = tree.insertNode(item, InsertPlace::Last, "", created);
    if (schedule == kNoNode) {
        tree.records().free(created);
        return;
    }
    tree.setNodeImages(schedule, kSchedule);
    tree.expandNode(item);
    relabel(tree, schedule, *created);
    state.scheduleDirty = true;
}

void editCommand(AppState& state) {
    TreeViewTree& tree = *state.tree;
    NodeItem item = tree.caretNode();
    if (item == kNoNode) {
        message(state, "수정할 스케줄을 선택하세요");
        return;
    }
    ScheduleNode* record = tree.nodeRecord(item);
    if (!record) return;
    if (record->kind == kRoot) {
        message(state, "여기는 수정할 수 없습니다");
    } else if (record->kind == kSchedule) {
        record->editing = true;
        if (editSchedule(state.mainWindow, state.frame(), *record) == IDOK) {
            relabel(tree, item, *record);
            state.scheduleDirty = true;
        }
    } else if (record->kind == kFile) {
        std::string path = record->text;
        if (openFileDialog(state.mainWindow, path, kPathMax + 1, nullptr, kAudioFilter, 0)) {
            record->text = path;
            relabel(tree, item, *record);
            state.scheduleDirty = true;
        }
    }
}

void deleteCommand(AppState& state) {
    TreeViewTree& tree = *state.tree;
    NodeItem caret = tree.caretNode();
    if (caret == kNoNode) {
        message(state, "삭제할 스케줄을 선택하세요");
        return;
    }
    ScheduleNode* record = tree.nodeRecord(caret);
    if (!record) return;
    if (record->kind == kRoot) {
        if (message(state, "모든 스케쥴이 삭제됩니다. 진행할까요?", kMsgOkCancelStop) == kAnswerOk)
            deleteFileLists(state, caret);
        return;
    }
    const int n = tree.selectionCount();
    if (record->kind == kFile) {
        const std::string question = countedQuestion("선택한 스케줄을 삭제할까요?", "선택한 %d개의 스케줄을 삭제할까요?", n);
        if (message(state, question, kMsgOkCancel) == kAnswerOk) deleteMarked(state, caret);
        return;
    }
    const std::string question = countedQuestion("선택한 스케쥴의 파일목록만 지울까요?",
                                                 "선택한 %d개의 스케쥴의 파일목록만 지울까요?", n);
    switch (message(state, question, kMsgYesNoCancel)) {
        case kAnswerYes:
            deleteFileLists(state, caret);
            break;
        case kAnswerNo:
            deleteMarked(state, caret);
            break;
        default:
            break;
    }
}

void saveCommand(AppState& state) {
    if (state.scheduleDirty && !saveSchedule(*state.tree, state.config, state.scheduleDirty)) {
        message(state, "'" + jobFilePath(state.config) + "' 파일이 열리지 않습니다");
    }
    if (state.loadingDirty && !saveLoadingList(state.loadingList, state.config, state.loadingDirty)) {
        message(state, "'" + state.config.path() + "' 파일이 열리지 않습니다");
    }
}

void openScheduleCommand(AppState& state) {
    if (!confirmSave(state.mainWindow, state.scheduleDirty, state.loadingDirty)) return;
    openSchedule(state.mainWindow, *state.tree, state.config);
}

void saveAsCommand(AppState& state) { saveScheduleAs(state.mainWindow, *state.tree, state.config, state.scheduleDirty); }

void exitCommand(AppState& state) {
    if (!confirmSave(state.mainWindow, state.scheduleDirty, state.loadingDirty)) return;
    state.tree->freeNodeRecords(kNoNode);
    freeLoadingList(state.loadingList);
    ImageList_Destroy(state.treeImages);
    state.treeImages = nullptr;
    state.modeless.destroyOpen();
    DestroyWindow(state.mainWindow);
}

}  // namespace airvane
