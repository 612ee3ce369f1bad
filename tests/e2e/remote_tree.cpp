#include "remote_tree.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>

namespace airvane::e2e {

namespace {

// A TVITEM and its text buffer inside the other process.
class RemoteBuffer {
public:
    // Released with the buffer unless kept: a drop handle is the receiver's to free.
    bool keep = false;
    explicit RemoteBuffer(HWND window) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) memory_ = VirtualAllocEx(process_, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (memory_ && !keep) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool ok() const { return memory_ != nullptr; }
    char* at(std::size_t offset) const { return static_cast<char*>(memory_) + offset; }
    bool write(std::size_t offset, const void* data, std::size_t size) {
        return WriteProcessMemory(process_, at(offset), data, size, nullptr);
    }
    bool read(std::size_t offset, void* data, std::size_t size) {
        return ReadProcessMemory(process_, at(offset), data, size, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
};

HTREEITEM nextItem(HWND tree, HTREEITEM item, UINT relation) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

void walk(HWND tree, RemoteBuffer& buffer, HTREEITEM item, int level, std::vector<RemoteItem>& out) {
    constexpr std::size_t kTextOffset = 512;
    for (; item; item = nextItem(tree, item, TVGN_NEXT)) {
        TVITEMA query{};
        query.mask = TVIF_TEXT | TVIF_STATE | TVIF_IMAGE | TVIF_HANDLE;
        query.hItem = item;
        query.stateMask = 0xFF;
        query.pszText = buffer.at(kTextOffset);
        query.cchTextMax = 1024;
        char text[1024] = "";
        TVITEMA answer{};
        if (buffer.write(0, &query, sizeof query) &&
            SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer.at(0))) &&
            buffer.read(0, &answer, sizeof answer) && buffer.read(kTextOffset, text, sizeof text - 1)) {
            out.push_back({level, text, answer.state, answer.iImage});
        }
        walk(tree, buffer, nextItem(tree, item, TVGN_CHILD), level + 1, out);
    }
}

}  // namespace

std::vector<RemoteItem> readRemoteTree(HWND tree) {
    std::vector<RemoteItem> items;
    RemoteBuffer buffer(tree);
    if (buffer.ok()) walk(tree, buffer, nextItem(tree, nullptr, TVGN_ROOT), 0, items);
    return items;
}

RECT remoteItemRect(HWND tree, HTREEITEM item) {
    RemoteBuffer buffer(tree);
    RECT rect{};
    std::memcpy(&rect, &item, sizeof item);  // the item goes in, its rectangle comes back
    if (!buffer.ok() || !buffer.write(0, &rect, sizeof rect) ||
        !SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer.at(0))) ||
        !buffer.read(0, &rect, sizeof rect)) {
        return {};
    }
    MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool postFileDrop(HWND window, const std::vector<std::string>& paths) {
    std::string bytes(sizeof(DROPFILES), '\0');
    auto* header = reinterpret_cast<DROPFILES*>(bytes.data());
    header->pFiles = sizeof(DROPFILES);
    for (const std::string& path : paths) bytes += path + '\0';
    bytes += '\0';
    RemoteBuffer buffer(window);
    if (!buffer.ok() || bytes.size() > 4096 || !buffer.write(0, bytes.data(), bytes.size())) return false;
    buffer.keep = true;
    return PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(buffer.at(0)), 0);
}

}  // namespace airvane::e2e
