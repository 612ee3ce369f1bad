#include "dialog_driver.h"

#include "window_search.h"

namespace airvane::test {

HWND waitForDialogOwnedBy(HWND owner) {
    return waitForTopLevel(
        [owner](HWND w) {
            return windowProcess(w) == GetCurrentProcessId() && isShownDialog(w) && GetWindow(w, GW_OWNER) == owner;
        },
        10000);
}

HWND waitForDialog() {
    return waitForTopLevel([](HWND w) { return windowProcess(w) == GetCurrentProcessId() && isShownDialog(w); },
                           10000);
}

}  // namespace airvane::test
