// The alert command: the station's own script, started with the event and
// its time as arguments and every detail in its environment, at most once a
// minute for the same cause.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace airvane {

inline constexpr int64_t kAlertRepeatMs = 60'000;

class AlertGate {
public:
    // True when cause may alert at nowMs (and counts it as alerted).
    bool mayAlert(const std::string& cause, int64_t nowMs);

private:
    std::map<std::string, int64_t> last_;
};

// command followed by each argument quoted as the C runtime and
// CommandLineToArgvW read it back: one argument each, whatever it holds.
// cmd reads a command line by rules of its own (no \" escape, %NAME%
// expanded): only the program's own words (the event, the time) may go
// there, never a title.
std::string alertCommandLine(const std::string& command, const std::vector<std::string>& arguments);

// The alert's details as its environment gives them to the command.
inline constexpr const char* kAlertEvent = "AIRVANE_EVENT";
inline constexpr const char* kAlertTime = "AIRVANE_TIME";
inline constexpr const char* kAlertTitle = "AIRVANE_TITLE";
inline constexpr const char* kAlertDetail = "AIRVANE_DETAIL";

// An environment block for CreateProcess: parent's ("NAME=value\0 ...
// \0\0", as GetEnvironmentStrings gives it; null for none) with each of
// variables set in place of any of that name, whatever its case (Windows
// reads the first of two), sorted by name without regard to case as
// Windows keeps it, ended by two NULs.
std::string environmentWith(const char* parent,
                            const std::vector<std::pair<std::string, std::string>>& variables);

}  // namespace airvane
