// Every message the program shows goes through showMessage: the owner's
// caption, task-modal, an exclamation icon unless another is asked for.
#pragma once

#include <windows.h>

#include <string_view>

#include "storage/messages.h"

namespace airvane {

int showMessage(HWND owner, std::string_view text, unsigned style);

// A MessageSink that shows its messages over a window.
class WindowMessages final : public MessageSink {
public:
    explicit WindowMessages(HWND owner) : owner_(owner) {}
    int showMessage(std::string_view text, unsigned style) override;

private:
    HWND owner_;
};

}  // namespace airvane
