#include "onair/alert.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace airvane {

namespace {

// The name of "NAME=value"; a name may begin with '=' ("=C:=C:\\Radio").
std::string_view nameOf(std::string_view entry) { return entry.substr(0, entry.find('=', 1)); }

// Windows compares names as upper case, so '_' sorts after the letters.
char folded(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return folded(x) == folded(y); });
}

bool nameBefore(const std::string& a, const std::string& b) {
    const std::string_view x = nameOf(a), y = nameOf(b);
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), [](char p, char q) {
        return static_cast<unsigned char>(folded(p)) < static_cast<unsigned char>(folded(q));
    });
}

}  // namespace

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

std::string environmentWith(const char* parent,
                            const std::vector<std::pair<std::string, std::string>>& variables) {
    std::vector<std::string> entries;
    for (const char* entry = parent; entry && *entry; entry += std::strlen(entry) + 1) {
        const bool replaced = std::any_of(variables.begin(), variables.end(), [&](const auto& variable) {
            return sameName(nameOf(entry), variable.first);
        });
        if (!replaced) entries.emplace_back(entry);
    }
    for (const auto& [name, value] : variables) {
        // A NUL would end the value early and shift every entry after it.
        entries.push_back(name + "=" + value.substr(0, value.find('\0')));
    }
    std::stable_sort(entries.begin(), entries.end(), nameBefore);
    std::string block;
    for (const std::string& entry : entries) block.append(entry).push_back('\0');
    if (entries.empty()) block.push_back('\0');
    block.push_back('\0');
    return block;
}

}  // namespace airvane
