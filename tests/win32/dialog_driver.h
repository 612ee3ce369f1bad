// Drives a modal dialog of this process from a helper thread, as a user
// would: waits for it, reads it, acts on it.
#pragma once

#include <windows.h>

#include <functional>
#include <thread>

namespace airvane::test {

// The first visible dialog (class "#32770") of this process, waiting up to
// ten seconds; null when none came.
HWND waitForDialog();

// The first visible dialog owned by owner, waiting up to ten seconds.
HWND waitForDialogOwnedBy(HWND owner);

// Runs act on the next dialog from another thread; join before checking.
inline std::thread onNextDialog(std::function<void(HWND)> act) {
    return std::thread([act] {
        if (HWND dialog = waitForDialog()) act(dialog);
    });
}

}  // namespace airvane::test
