// The loading schedules: at each entry's time the scheduler replaces the
// tree by the schedule file the entry names. Stored in section
// "LoadingSchedule" of the ConfigFile under keys "0", "1", ...
#pragma once

#include <cstdint>
#include <list>
#include <string>

namespace airvane {

class ConfigFile;

struct LoadingEntry {
    int32_t year = 0;    // 0 = every year
    int32_t month = 0;   // 0 = every month
    int32_t day = 0;     // 0 = every day
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    int32_t weekdays = 0;  // bit (1 << day of week), Sunday = bit 0; -1 = every day
    bool fired = false;    // set while the entry's time window is matched; never stored
    std::string jobFile;   // at most 259 characters; an entry without one is never kept
};

// In file and creation order. std::list keeps every entry where it is, so a
// pointer to an entry stays valid until that entry is removed.
using LoadingList = std::list<LoadingEntry>;

inline constexpr const char* kLoadingSection = "LoadingSchedule";

LoadingEntry& appendLoadingEntry(LoadingList& list);
// False when the entry is not in the list (nothing is removed).
bool removeLoadingEntry(LoadingList& list, const LoadingEntry* entry);
void freeLoadingList(LoadingList& list);

// Appends the entries of the ConfigFile; reading stops at the first missing
// or empty key.
void loadLoadingList(LoadingList& list, const ConfigFile& config);
// Writes the entries that have a jobFile as keys 0..n-1 and an empty key n
// that ends the list for the reader, in one write. Clears loadingDirty only
// when the file was written.
bool saveLoadingList(const LoadingList& list, ConfigFile& config, bool& loadingDirty);

// The stored value of one entry, and the entry read back from one.
std::string formatLoadingValue(const LoadingEntry& entry);
void parseLoadingValue(std::string value, LoadingEntry& entry);

}  // namespace airvane
