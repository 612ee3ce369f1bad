#include "model/tree_view_win32.h"

#include <vector>

namespace airvane {

namespace {
// The state bits callers read (all but the focus bit and the overlay).
constexpr UINT kStateMask = 0xFF7E;
}  // namespace

NodeItem TreeViewTree::next(NodeItem item, UINT relation) const {
    return toItem(reinterpret_cast<HTREEITEM>(
        SendMessageA(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(toHandle(item)))));
}

NodeItem TreeViewTree::insert(NodeItem parent, InsertPlace place, NodeItem after, TVITEMA item) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent == kNoNode ? TVI_ROOT : toHandle(parent);
    insert.hInsertAfter = place == InsertPlace::First  ? TVI_FIRST
                          : place == InsertPlace::Last ? TVI_LAST
                                                       : toHandle(after);
    insert.item = item;
    markChanged();
    return toItem(reinterpret_cast<HTREEITEM>(
        SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert))));
}

NodeItem TreeViewTree::insertNode(NodeItem parent, InsertPlace place, NodeItem after, std::string_view text,
                                  ScheduleNode* record) {
    std::string label(text);
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_PARAM;
    item.pszText = label.data();
    item.lParam = reinterpret_cast<LPARAM>(record);
    return insert(parent, place, after, item);
}

NodeItem TreeViewTree::insertSnapshot(NodeItem parent, InsertPlace place, NodeItem after,
                                      const NodeSnapshot& snapshot) {
    std::string label = snapshot.text;
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    item.pszText = label.data();
    item.iImage = snapshot.image;
    item.iSelectedImage = snapshot.selectedImage;
    item.lParam = reinterpret_cast<LPARAM>(snapshot.record);
    // The expanded state travels with a moved item; the selection does not.
    item.state = snapshot.state & kNodeExpanded;
    item.stateMask = TVIS_EXPANDED;
    return insert(parent, place, after, item);
}

std::optional<NodeSnapshot> TreeViewTree::readNode(NodeItem node) const {
    std::vector<char> text(260, '\0');
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_STATE | TVIF_HANDLE;
    item.hItem = toHandle(node);
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    item.stateMask = kStateMask;
    if (node == kNoNode || !SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return std::nullopt;
    NodeSnapshot snapshot;
    snapshot.text = item.pszText;
    snapshot.image = item.iImage;
    snapshot.selectedImage = item.iSelectedImage;
    snapshot.record = reinterpret_cast<ScheduleNode*>(item.lParam);
    snapshot.state = item.state & kStateMask;
    return snapshot;
}

ScheduleNode* TreeViewTree::nodeRecord(NodeItem node) const {
    TVITEMA item{};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = toHandle(node);
    if (node == kNoNode || !SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<ScheduleNode*>(item.lParam);
}

unsigned TreeViewTree::nodeState(NodeItem node) const {
    TVITEMA item{};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = toHandle(node);
    item.stateMask = kStateMask;
    if (node == kNoNode || !SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.state & kStateMask;
}

std::string TreeViewTree::nodeText(NodeItem node) const {
    std::optional<NodeSnapshot> snapshot = readNode(node);
    return snapshot ? snapshot->text : std::string();
}

void TreeViewTree::setNodeText(NodeItem node, std::string_view text) {
    std::string label(text);
    TVITEMA item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = toHandle(node);
    item.pszText = label.data();
    SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TreeViewTree::setNodeImages(NodeItem node, int index) {
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    item.hItem = toHandle(node);
    item.iImage = item.iSelectedImage = index;
    SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TreeViewTree::setNodeSelected(NodeItem node, bool on) {
    TVITEMA item{};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = toHandle(node);
    item.stateMask = TVIS_SELECTED;
    item.state = on ? TVIS_SELECTED : 0;
    SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TreeViewTree::selectNode(NodeItem node) {
    SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(toHandle(node)));
}

void TreeViewTree::setDropHighlight(NodeItem node) {
    SendMessageA(tree_, TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(toHandle(node)));
}

void TreeViewTree::ensureNodeVisible(NodeItem node) {
    SendMessageA(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(toHandle(node)));
}

void TreeViewTree::expandNode(NodeItem node) {
    SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(toHandle(node)));
    // The control expands no item without children; mark it expanded all
    // the same, so that an empty Root shows its first Schedule when it comes.
    if (firstChildNode(node) == kNoNode) {
        TVITEMA item{};
        item.mask = TVIF_STATE | TVIF_HANDLE;
        item.hItem = toHandle(node);
        item.stateMask = TVIS_EXPANDED;
        item.state = TVIS_EXPANDED;
        SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void TreeViewTree::deleteNode(NodeItem node) {
    markChanged();
    SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(toHandle(node)));
}

void TreeViewTree::setTreeImages(HIMAGELIST images) {
    SendMessageA(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
}

HIMAGELIST TreeViewTree::treeImages() const {
    return reinterpret_cast<HIMAGELIST>(SendMessageA(tree_, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
}

HIMAGELIST TreeViewTree::createDragImage(NodeItem node) {
    return reinterpret_cast<HIMAGELIST>(
        SendMessageA(tree_, TVM_CREATEDRAGIMAGE, 0, reinterpret_cast<LPARAM>(toHandle(node))));
}

NodeItem TreeViewTree::hitTestNode(int x, int y, UINT* flags) const {
    TVHITTESTINFO hit{};
    hit.pt = {x, y};
    NodeItem item = toItem(reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))));
    if (flags) *flags = hit.flags;
    return item;
}

}  // namespace airvane
