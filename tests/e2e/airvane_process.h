// Starts the real airvane.exe from a folder of its own, as a user would,
// and finds its main window.
#pragma once

#include <windows.h>

#include <string>

namespace airvane::e2e {

// The folder that holds the freshly built airvane.exe (the test's argument).
const std::string& buildFolder();

// A new, empty folder for one scenario, with airvane.exe copied into it
// and a harmless WINAMP.EXE beside it (companion.exe, see there).
std::string prepareRunFolder(const std::string& name);

class AirvaneProcess {
public:
    explicit AirvaneProcess(const std::string& folder);
    ~AirvaneProcess();
    AirvaneProcess(const AirvaneProcess&) = delete;
    AirvaneProcess& operator=(const AirvaneProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD processId() const { return id_; }
    // Waits for the process to end; its exit code, or -1 on a time-out.
    long waitForExit(DWORD milliseconds);
    // The main window (class "Airvane") of this process, waiting for it.
    HWND waitForWindow(DWORD milliseconds);
    // A visible dialog (class "#32770") of this process other than except,
    // waiting up to milliseconds; null when none came.
    HWND waitForDialog(HWND except = nullptr, DWORD milliseconds = 10000);
    // True when no dialog of this process is open for a whole second, within
    // a few seconds.
    bool noDialogStays();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Every visible top-level window of class "Airvane", in any process.
int countMainWindows();

}  // namespace airvane::e2e
