#include "app/main_commands_win32.h"

#include <commdlg.h>

#include <vector>

#include "app/app_state.h"
#include "app/monitor_host_win32.h"
#include "dialogs/schedule_editor_win32.h"
#include "model/node_label.h"
#include "model/tree_editing.h"
#include "storage/file_dialog_win32.h"
#include "storage/file_selection.h"
#include "storage/filesystem.h"
#include "storage/message_box_win32.h"
#include "storage/schedule_file.h"
#include "storage/schedule_file_win32.h"
#include "storage/text.h"

namespace airvane {

namespace {

int message(AppState& state, const std::string& text, unsigned style = kMsgOk) {
    return showMessage(state.mainWindow, text, style);
}

void fileNotOpened(AppState& state, const std::string& path) { message(state, "'" + path + "' 파일이 열리지 않습니다"); }

// Timers run under a modal dialog, and a loading schedule may replace the
// whole tree meanwhile: what the dialog made is applied only to the tree it
// was opened on.
bool sameTreeAfterDialog(AppState& state, uint64_t generation) {
    if (state.tree->generation() == generation) return true;
    message(state, "스케쥴 파일을 새로 불러와서 입력한 내용은 적용되지 않았습니다");
    return false;
}

// Writes the tree into the file it came from.
void saveJobFile(AppState& state) {
    if (state.jobFileUnread &&
        message(state, "'" + state.jobFile + "' 파일은 읽지 못한 파일입니다. 저장하면 그 내용이 지워집니다. 덮어쓸까요?",
                kMsgOkCancel) != kAnswerOk) {
        return;
    }
    if (!writeScheduleFile(*state.tree, state.jobFile)) {
        fileNotOpened(state, state.jobFile);
        return;
    }
    state.scheduleDirty = false;
    state.jobFileUnread = false;
}

// Files chosen in the open dialog go first under the Schedule, or before
// the File that has the caret when it is one of this Schedule's.
void addFiles(AppState& state, NodeItem schedule) {
    // Where they go is taken before the dialog: the caret may move under it.
    const FilePlace place = placeForChosenFiles(*state.tree, schedule);
    const uint64_t generation = state.tree->generation();
    std::string answer;
    if (!openFileDialog(state.mainWindow, answer, 4000, nullptr, kAudioFilter, OFN_EXPLORER | OFN_ALLOWMULTISELECT) ||
        !sameTreeAfterDialog(state, generation))
        return;
    WindowMessages messages(state.mainWindow);
    if (insertFiles(*state.tree, place, selectedPaths(answer), messages) > 0) state.scheduleDirty = true;
}

// The caret item and its marked siblings, in tree order: what a delete
// acts on, taken before the question (the caret may move under it).
std::vector<NodeItem> chosenItems(const TreeViewTree& tree, NodeItem caret) {
    std::vector<NodeItem> chosen;
    for (NodeItem item = tree.firstSiblingNode(caret); item != kNoNode; item = tree.nextNode(item)) {
        if (item == caret || (tree.nodeState(item) & kNodeSelected)) chosen.push_back(item);
    }
    return chosen;
}

// The tree as it was when the question was asked; otherwise nothing is
// deleted, and the operator is told.
bool sameTreeAfterQuestion(AppState& state, uint64_t generation) {
    if (state.tree->generation() == generation) return true;
    message(state, "스케쥴이 바뀌어서 삭제하지 않았습니다");
    return false;
}

// Deletes every child of each chosen item.
void deleteFileLists(AppState& state, const std::vector<NodeItem>& chosen) {
    TreeViewTree& tree = *state.tree;
    for (NodeItem item : chosen) {
        while (NodeItem child = tree.firstChildNode(item)) {
            tree.freeNodeRecords(child);
            tree.deleteNode(child);
        }
    }
    state.scheduleDirty = true;
}

// Deletes the chosen items with their subtrees.
void deleteItems(AppState& state, const std::vector<NodeItem>& chosen) {
    TreeViewTree& tree = *state.tree;
    for (NodeItem item : chosen) {
        tree.freeNodeRecords(item);
        tree.deleteNode(item);
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

LoadOutcome showJobFile(AppState& state, const std::string& path, bool replacing) {
    WindowMessages messages(state.mainWindow);
    // Another schedule decides what plays: a soft start or end of the old
    // one no longer waits.
    dropSoftWaits(state.tickState);
    const LoadOutcome outcome =
        replacing ? replaceTree(*state.tree, path, &messages) : loadScheduleFile(*state.tree, path, &messages);
    state.jobFile = path;
    state.jobFileUnread = outcome != LoadOutcome::Loaded && pathKind(path) == 1;
    return outcome;
}

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
    const uint64_t generation = tree.generation();
    if (editSchedule(state.mainWindow, state.frame(), fresh) != IDOK || !sameTreeAfterDialog(state, generation)) return;
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
        return;
    }
    // The dialogs work on copies; the record may be freed while they are open.
    const uint64_t generation = tree.generation();
    if (record->kind == kSchedule) {
        ScheduleNode draft = *record;
        draft.editing = true;
        if (editSchedule(state.mainWindow, state.frame(), draft) == IDOK && sameTreeAfterDialog(state, generation)) {
            copyStoredFields(draft, *record);
            record->editing = true;
            relabel(tree, item, *record);
            state.scheduleDirty = true;
        }
    } else if (record->kind == kFile) {
        std::string path = record->text;
        if (openFileDialog(state.mainWindow, path, kPathMax + 1, nullptr, kAudioFilter, 0) &&
            sameTreeAfterDialog(state, generation)) {
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
    // Timers run under the question: what is deleted is what was chosen
    // when it was asked, and only in the tree it was asked about.
    const uint64_t generation = tree.generation();
    const std::vector<NodeItem> chosen = chosenItems(tree, caret);
    if (record->kind == kRoot) {
        if (message(state, "모든 스케쥴이 삭제됩니다. 진행할까요?", kMsgOkCancelStop) == kAnswerOk &&
            sameTreeAfterQuestion(state, generation))
            deleteFileLists(state, chosen);
        return;
    }
    const int n = static_cast<int>(chosen.size());
    if (record->kind == kFile) {
        const std::string question = countedQuestion("선택한 스케줄을 삭제할까요?", "선택한 %d개의 스케줄을 삭제할까요?", n);
        if (message(state, question, kMsgOkCancel) == kAnswerOk && sameTreeAfterQuestion(state, generation))
            deleteItems(state, chosen);
        return;
    }
    const std::string question = countedQuestion("선택한 스케쥴의 파일목록만 지울까요?",
                                                 "선택한 %d개의 스케쥴의 파일목록만 지울까요?", n);
    const int answer = message(state, question, kMsgYesNoCancel);
    if ((answer != kAnswerYes && answer != kAnswerNo) || !sameTreeAfterQuestion(state, generation)) return;
    if (answer == kAnswerYes) deleteFileLists(state, chosen);
    else deleteItems(state, chosen);
}

void saveCommand(AppState& state) {
    if (state.scheduleDirty) saveJobFile(state);
    if (state.loadingDirty && !saveLoadingList(state.loadingList, state.config, state.loadingDirty)) {
        fileNotOpened(state, state.config.path());
    }
}

void openScheduleCommand(AppState& state) {
    if (!confirmSave(state.mainWindow, state.scheduleDirty, state.loadingDirty)) return;
    std::string path;
    if (!chooseScheduleToOpen(state.mainWindow, state.config, path)) return;
    // Without "JobFile" the next start would show the old file: keep the
    // tree that the INI names.
    if (!state.config.writeProfileText("Config", "JobFile", path)) {
        fileNotOpened(state, state.config.path());
        return;
    }
    showJobFile(state, path, true);
}

void saveAsCommand(AppState& state) { saveScheduleAs(state.mainWindow, *state.tree, state.config, state.scheduleDirty); }

void exitCommand(AppState& state) {
    // A search goes on under the save prompt, its findings held: Cancel
    // must not lose the player's search begun at start.
    if (state.companions) state.companions->holdReports(true);
    const bool exiting = confirmSave(state.mainWindow, state.scheduleDirty, state.loadingDirty);
    if (state.companions) {
        if (!exiting) {
            state.companions->holdReports(false);
            return;
        }
        state.companions->stopSearches();
    }
    if (!exiting) return;
    handBackStreamTitle(state);
    state.tree->freeNodeRecords(kNoNode);
    freeLoadingList(state.loadingList);
    ImageList_Destroy(state.treeImages);
    state.treeImages = nullptr;
    state.modeless.destroyOpen();
    DestroyWindow(state.mainWindow);
}

}  // namespace airvane
