// standin.exe started for a test, with a journal of its own; ended with the
// test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace airvane::test {

class StandinProcess {
public:
    // extraOptions are added to "--journal FILE", and "--no-shoutcast"
    // unless the SHOUTcast window is wanted.
    explicit StandinProcess(const std::string& extraOptions = "", bool shoutcast = false);
    ~StandinProcess();
    StandinProcess(const StandinProcess&) = delete;
    StandinProcess& operator=(const StandinProcess&) = delete;

    HWND window() const { return window_; }
    // Ends the player at once, as a crash would; the journal stays.
    void kill();
    const std::string& journalPath() const { return journal_; }
    // The journal's entries without their time stamps; waits up to five
    // seconds (a loaded machine is slow) for at least count of them.
    std::vector<std::string> entries(std::size_t count) const;

private:
    HANDLE process_ = nullptr;
    HWND window_ = nullptr;
    std::string journal_;
};

}  // namespace airvane::test
