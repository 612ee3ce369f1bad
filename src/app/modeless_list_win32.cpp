#include "app/modeless_list_win32.h"

namespace airvane {

bool ModelessList::offer(MSG& message) {
    for (HWND slot : slots_) {
        if (slot && IsDialogMessageA(slot, &message)) return true;
    }
    return false;
}

void ModelessList::destroyOpen() {
    for (HWND& slot : slots_) {
        if (slot) DestroyWindow(slot);
        slot = nullptr;
    }
}

void ModelessList::destroyAll() {
    for (HWND& slot : slots_) {
        DestroyWindow(slot);
        slot = nullptr;
    }
}

}  // namespace airvane
