#include "onair/alert.h"

namespace airvane {

bool AlertGate::mayAlert(const std::string& cause, int64_t nowMs) {
    auto [last, fresh] = last_.try_emplace(cause, nowMs);
    if (fresh) return true;
    if (nowMs - last->second < kAlertRepeatMs) return false;
    last->second = nowMs;
    return true;
}

std::string alertCommandLine(const std::string& command, const std::vector<std::string>& arguments) {
    std::string line = command;
    for (const std::string& argument : arguments) {
        // Backslashes count only before a quote: doubled there, and before
        // the closing quote; a quote of the text is escaped.
        line += " \"";
        std::size_t backslashes = 0;
        for (char c : argument) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
            backslashes = 0;
            line += c;
        }
        line.append(backslashes * 2, '\\');
        line += '"';
    }
    return line;
}

}  // namespace airvane
