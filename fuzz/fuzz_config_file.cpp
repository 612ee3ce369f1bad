// Any bytes as the program's INI file, read the way the program reads it
// at start: the six settings and the loading schedules. The settings are
// always sane; saving the loading list keeps the settings and reads back
// as it was saved.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "storage/config_file.h"
#include "storage/loading_list.h"
#include "storage/settings.h"

namespace {

bool sameSettings(const airvane::Settings& a, const airvane::Settings& b) {
    return a.adjRealTimeSec == b.adjRealTimeSec && a.fadeoutTime == b.fadeoutTime &&
           a.disDragDrop == b.disDragDrop && a.dispNowPlayFile == b.dispNowPlayFile &&
           a.makeLogFile == b.makeLogFile && a.setShoutcastTitle == b.setShoutcastTitle;
}

bool sameEntries(const airvane::LoadingList& a, const airvane::LoadingList& b) {
    if (a.size() != b.size()) return false;
    for (auto x = a.begin(), y = b.begin(); x != a.end(); ++x, ++y) {
        if (airvane::formatLoadingValue(*x) != airvane::formatLoadingValue(*y)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // In memory-backed /dev/shm: every save flushes its file to the disk.
    static const std::string path = "/dev/shm/fuzz-config-" + std::to_string(getpid()) + ".INI";
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);
    airvane::ConfigFile config(path);
    const airvane::Settings settings = airvane::readSettings(config);
    if (settings.fadeoutTime < 0 || settings.fadeoutTime > airvane::kMaxFadeoutTime) __builtin_trap();

    airvane::LoadingList first;
    airvane::loadLoadingList(first, config);
    for (const airvane::LoadingEntry& entry : first) {
        if (entry.jobFile.empty() || entry.jobFile.size() > 259) __builtin_trap();
    }
    bool dirty = true;
    if (!airvane::saveLoadingList(first, config, dirty) || dirty) __builtin_trap();
    airvane::LoadingList saved;
    airvane::loadLoadingList(saved, config);
    bool again = true;
    airvane::saveLoadingList(saved, config, again);
    airvane::LoadingList savedAgain;
    airvane::loadLoadingList(savedAgain, config);
    if (saved.size() != first.size() || !sameEntries(saved, savedAgain)) __builtin_trap();
    if (!sameSettings(airvane::readSettings(config), settings)) __builtin_trap();
    return 0;
}
