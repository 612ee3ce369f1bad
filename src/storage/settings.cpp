#include "storage/settings.h"

#include "storage/config_file.h"

namespace airvane {

Settings readSettings(const ConfigFile& config) {
    // One read of the file for all six keys.
    const IniDocument doc = config.read();
    Settings settings;
    for (const SettingKey& row : kSettingKeys) {
        int32_t value = profileInt(doc, kConfigSection, row.key, row.defaultValue);
        if (row.number) settings.*row.number = value;
        else settings.*row.flag = static_cast<uint8_t>(value & 0xFF);
    }
    return settings;
}

}  // namespace airvane
