#include "app/tree_mouse_win32.h"

#include <shellapi.h>
#include <windowsx.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "dialogs/dialog_frame_win32.h"
#include "model/tree_editing.h"
#include "storage/message_box_win32.h"

namespace airvane {

namespace {

LRESULT CALLBACK treeMarksProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        TreeViewTree tree(control);
        if (wParam & (MK_CONTROL | MK_SHIFT)) {
            // Swallowed, hit or not: the caret stays where it is.
            const NodeItem hit = tree.hitTestNode(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            if (hit != kNoNode && isCaretSibling(tree, hit)) {
                if (wParam & MK_CONTROL) {
                    tree.setNodeSelected(hit, true);
                } else {
                    clearExtraSelection(tree);
                    selectRun(tree, hit);
                }
            }
            return 0;
        }
        clearExtraSelection(tree);
    }
    return forwardToOriginal(control, message, wParam, lParam);
}

// The point in the tree's client area, from the main window's.
POINT inTree(AppState& state, POINT point) {
    MapWindowPoints(state.mainWindow, state.tree->window(), &point, 1);
    return point;
}

}  // namespace

void subclassTreeForMarks(HWND tree) { subclassControl(tree, treeMarksProc); }

void beginItemDrag(AppState& state, const NMTREEVIEWA& notification) {
    ItemDrag& drag = state.itemDrag;
    drag.source = toItem(notification.itemNew.hItem);
    drag.target = kNoNode;
    drag.generation = state.tree->generation();
    if (state.settings.disDragDrop || drag.source == state.tree->rootNode()) return;
    drag.image = state.tree->createDragImage(drag.source);
    if (!drag.image) return;
    ImageList_BeginDrag(drag.image, 0, 5, 5);
    POINT point = notification.ptDrag;
    ClientToScreen(state.tree->window(), &point);
    ImageList_DragEnter(nullptr, point.x, point.y);
    SetCapture(state.mainWindow);
    drag.dragging = true;
}

void dragOver(AppState& state, POINT point) {
    ItemDrag& drag = state.itemDrag;
    POINT screen = point;
    ClientToScreen(state.mainWindow, &screen);
    ImageList_DragMove(screen.x, screen.y);
    const POINT local = inTree(state, point);
    const NodeItem item = state.tree->hitTestNode(local.x, local.y);
    if (item == kNoNode) return;
    ImageList_DragShowNolock(FALSE);
    // The item above first, so that the tree scrolls while the mouse rests
    // near its top.
    if (const NodeItem above = state.tree->previousVisibleNode(item)) state.tree->ensureNodeVisible(above);
    state.tree->ensureNodeVisible(item);
    state.tree->setDropHighlight(item);
    ImageList_DragShowNolock(TRUE);
    drag.target = item;
    SetTimer(state.mainWindow, kDragExpandTimer, 2000, nullptr);
}

void expandDragTarget(AppState& state) {
    KillTimer(state.mainWindow, kDragExpandTimer);
    if (!state.itemDrag.dragging || state.itemDrag.target == kNoNode ||
        state.itemDrag.generation != state.tree->generation())
        return;
    ImageList_DragShowNolock(FALSE);
    state.tree->expandNode(state.itemDrag.target);
    ImageList_DragShowNolock(TRUE);
}

void endItemDrag(AppState& state, bool drop) {
    ItemDrag& drag = state.itemDrag;
    if (!drag.dragging) return;
    drag.dragging = false;  // before the release, whose WM_CAPTURECHANGED comes back here
    KillTimer(state.mainWindow, kDragExpandTimer);
    ReleaseCapture();
    ImageList_DragLeave(nullptr);
    ImageList_EndDrag();
    ImageList_Destroy(drag.image);
    drag.image = nullptr;
    state.tree->setDropHighlight(kNoNode);
    if (!drop) return;
    if (drag.generation != state.tree->generation()) {
        showMessage(state.mainWindow, "스케쥴 파일을 새로 불러와서 옮기지 않았습니다", kMsgOk);
        return;
    }
    const MoveResult result = moveNode(*state.tree, drag.source, drag.target);
    if (result.outcome == MoveOutcome::Refused) MessageBeep(0);
    if (result.outcome == MoveOutcome::Moved) state.scheduleDirty = true;
}

void dropFiles(AppState& state, HDROP drop) {
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(state.tree->window(), &cursor);
    const NodeItem item = state.tree->hitTestNode(cursor.x, cursor.y);
    const ScheduleNode* record = item ? state.tree->nodeRecord(item) : nullptr;
    if (item == kNoNode) {
        showMessage(state.mainWindow, "놓을 위치를 선택하세요", kMsgOk);
    } else if (record && record->kind == kRoot) {
        showMessage(state.mainWindow, "여기에는 놓을 수 없습니다", kMsgOk);
    } else if (record) {
        std::vector<std::string> paths;
        const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            // Asked for its length first: a path too long for a record is
            // refused by name, never cut.
            std::string path(DragQueryFileA(drop, i, nullptr, 0), '\0');
            DragQueryFileA(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
            paths.push_back(std::move(path));
        }
        WindowMessages messages(state.mainWindow);
        if (insertFiles(*state.tree, placeForDroppedFiles(*state.tree, item, *record), paths, messages) > 0) {
            state.scheduleDirty = true;
        }
    }
    DragFinish(drop);
}

}  // namespace airvane
