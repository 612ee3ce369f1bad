// The ConfigFile: the INI file beside the program that holds the settings,
// the dialog positions, the loading schedules and, by default, the schedule
// tree. It is never held open: every access reads the file, and every write
// reads, changes and atomically replaces it, so that a change made meanwhile
// by another program (Notepad) is seen and kept.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "storage/ini_document.h"

namespace airvane {

// Marks an absent value of writeProfileInts.
inline constexpr int32_t kAbsent = 0x7FFFFFFF;

class ConfigFile {
public:
    explicit ConfigFile(std::string path) : path_(std::move(path)) {}
    const std::string& path() const { return path_; }

    // At most 79 characters of the value, else the default ("" when none).
    std::string readProfileText(std::string_view section, std::string_view key,
                                std::string_view defaultText = "") const;
    // At most bufferSize - 1 characters; "" when the key is missing or empty.
    std::string readProfileTextSized(std::string_view section, std::string_view key,
                                     std::size_t bufferSize) const;
    int32_t readProfileInt(std::string_view section, std::string_view key, int32_t defaultValue) const;

    // Writes return false when the file could not be replaced; the file is
    // then as it was.
    bool writeProfileText(std::string_view section, std::string_view key, std::string_view text);
    // One to four integers, "%d %d %d %d"; trailing kAbsent values are left out.
    bool writeProfileInts(std::string_view section, std::string_view key, int32_t a, int32_t b = kAbsent,
                          int32_t c = kAbsent, int32_t d = kAbsent);
    // Many keys of one section in one read-modify-write.
    bool writeProfileSection(std::string_view section, std::span<const IniEntry> entries);

    // The file as it is now (empty when missing or unreadable).
    IniDocument read() const;

private:
    std::string path_;
};

std::string formatProfileInts(int32_t a, int32_t b, int32_t c, int32_t d);

}  // namespace airvane
