// Any bytes as an INI file: lookups, the loading-list reader, and a write
// that must keep what it does not change and read back what it wrote.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "storage/ini_document.h"
#include "storage/loading_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    airvane::IniDocument doc(bytes);
    for (const char* section : {"Config", "LoadingSchedule", "", "Schedule"}) {
        for (const char* key : {"0", "1", "FadeoutTime", "-1", "JobFile"}) {
            for (std::size_t room : {1u, 2u, 30u, 340u}) {
                if (airvane::profileString(doc, section, key, "default", room).size() >= room) __builtin_trap();
            }
            airvane::profileInt(doc, section, key, 7);
        }
    }
    for (int n = 0; n < 4; ++n) {
        airvane::LoadingEntry entry;
        airvane::parseLoadingValue(airvane::profileString(doc, "LoadingSchedule", std::to_string(n), "", 340), entry);
    }
    std::vector<airvane::IniEntry> entries{{"FadeoutTime", "5"}, {"NewKey", "new value"}};
    doc.assign("Config", entries);
    if (airvane::profileString(doc, "Config", "NewKey", "", 80) != "new value") __builtin_trap();
    if (airvane::profileInt(doc, "Config", "FadeoutTime", 0) != 5) __builtin_trap();
    return 0;
}
