#include "storage/loading_list.h"

#include <cstdio>
#include <vector>

#include "storage/config_file.h"
#include "storage/number_scan.h"
#include "storage/text.h"

namespace airvane {

namespace {
constexpr std::size_t kValueBuffer = 340;
}

LoadingEntry& appendLoadingEntry(LoadingList& list) { return list.emplace_back(); }

bool removeLoadingEntry(LoadingList& list, const LoadingEntry* entry) {
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (&*it == entry) {
            list.erase(it);
            return true;
        }
    }
    return false;
}

void freeLoadingList(LoadingList& list) { list.clear(); }

void parseLoadingValue(std::string value, LoadingEntry& entry) {
    std::optional<std::string> jobFile = splitAt(value, '|');
    entry.weekdays = -1;
    scanText(value, "%d %d %d %d %d %d %d",
             {&entry.year, &entry.month, &entry.day, &entry.hour, &entry.minute, &entry.second, &entry.weekdays});
    entry.jobFile = jobFile.value_or(std::string());
    limitLength(entry.jobFile, kPathMax);
}

std::string formatLoadingValue(const LoadingEntry& e) {
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "%d %d %d %d %d %d %d", e.year, e.month, e.day, e.hour, e.minute,
                  e.second, e.weekdays);
    return std::string(numbers) + "|" + e.jobFile;
}

void loadLoadingList(LoadingList& list, const ConfigFile& config) {
    const IniDocument doc = config.read();  // one read for the whole section
    for (int n = 0;; ++n) {
        std::string value = profileString(doc, kLoadingSection, std::to_string(n), "", kValueBuffer);
        if (value.empty()) return;
        LoadingEntry& entry = appendLoadingEntry(list);
        parseLoadingValue(std::move(value), entry);
        if (entry.jobFile.empty()) removeLoadingEntry(list, &entry);
    }
}

bool saveLoadingList(const LoadingList& list, ConfigFile& config, bool& loadingDirty) {
    std::vector<IniEntry> entries;
    for (const LoadingEntry& entry : list) {
        if (entry.jobFile.empty()) continue;
        entries.push_back({std::to_string(entries.size()), formatLoadingValue(entry)});
    }
    entries.push_back({std::to_string(entries.size()), ""});
    if (!config.writeProfileSection(kLoadingSection, entries)) return false;
    loadingDirty = false;
    return true;
}

}  // namespace airvane
