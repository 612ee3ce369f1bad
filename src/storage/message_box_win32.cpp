#include "storage/message_box_win32.h"

#include <string>

namespace airvane {

int showMessage(HWND owner, std::string_view text, unsigned style) {
    char caption[80] = "";
    const char* title = nullptr;  // no owner: the system's default caption
    if (owner) {
        GetWindowTextA(owner, caption, sizeof caption);
        title = caption;
    }
    const std::string body(text);
    return MessageBoxA(owner, body.c_str(), title, messageBoxStyle(style));
}

int WindowMessages::showMessage(std::string_view text, unsigned style) {
    return airvane::showMessage(owner_, text, style);
}

}  // namespace airvane
