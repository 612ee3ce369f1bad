// The companion programs (the player, the song finder, the tag editor, the
// sound-card tool, the time-server clock) and the log viewer, started from
// the main window. A program whose remembered path has gone is searched for
// on every fixed drive by a worker thread, so that the tick keeps time
// meanwhile; what the search finds is applied on the UI thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace airvane {

class ConfigFile;

// Posted to the main window when a search has something to report; the
// window then calls CompanionLauncher::applyReports.
inline constexpr UINT kSearchReport = WM_APP + 2;

// Starts commandLine without waiting for it, in the environment block
// given (ANSI, ended by two NULs), or in ours when it is empty; 0, or
// Windows' error.
unsigned long startProcess(std::string commandLine, int show, const std::string& environment = {});
// Why Windows refused to start a program, in the words the operator needs.
std::string refusalReason(unsigned long error);

class CompanionLauncher {
public:
    CompanionLauncher(HWND mainWindow, HWND statusLine, ConfigFile& config)
        : mainWindow_(mainWindow), statusLine_(statusLine), config_(config) {}
    // Stops every search and waits for it: nothing is applied afterwards.
    ~CompanionLauncher();
    CompanionLauncher(const CompanionLauncher&) = delete;
    CompanionLauncher& operator=(const CompanionLauncher&) = delete;

    // Starts the program from the path remembered under its file name, or
    // begins a search for it (one per program at a time).
    void launch(const std::string& fileName);
    // Shows each searched drive in the status line; remembers and starts a
    // program that was found, or says that it is nowhere.
    void applyReports();
    // A search shows its progress in the status line.
    bool searching() const { return !searches_.empty(); }
    // Ends every search at once, unapplied (when the exit goes on).
    void stopSearches();
    // While the exit's save prompt is open, what the searches find waits:
    // it would start a program or show a box over the prompt. Let go, it
    // is applied (the exit was cancelled).
    void holdReports(bool hold);

private:
    struct Report {
        std::string fileName;
        char drive = 0;  // a drive being searched, or 0 when the search ended
        std::optional<std::string> found;
    };
    void start(const std::string& path);
    void search(const std::string& fileName);
    void report(Report report);
    void finish(const Report& report);

    HWND mainWindow_;
    HWND statusLine_;
    ConfigFile& config_;
    std::string savedStatus_;  // the status line before the first search
    std::map<std::string, std::thread> searches_;
    std::atomic<bool> stop_{false};
    std::mutex reportsLock_;
    std::vector<Report> reports_;
    bool held_ = false;
};

// Opens today's log in Notepad.
void showTodaysLog(const std::string& programFolder);

}  // namespace airvane
