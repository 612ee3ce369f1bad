// Modeless dialogs that must see keyboard navigation: the message loop
// offers every message to them before the main window.
#pragma once

#include <windows.h>

#include <array>

namespace airvane {

class ModelessList {
public:
    void clear() { slots_.fill(nullptr); }
    // True when one of the dialogs took the message.
    bool offer(MSG& message);
    void destroyOpen();
    void destroyAll();

private:
    std::array<HWND, 10> slots_{};
};

}  // namespace airvane
