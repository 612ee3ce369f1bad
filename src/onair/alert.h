// The alert command: the station's own script, started with the event and
// its details appended as one quoted argument each, at most once a minute
// for the same cause.
#pragma once

#include <cstdint>
#include <map>
#include <string>
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
std::string alertCommandLine(const std::string& command, const std::vector<std::string>& arguments);

}  // namespace airvane
