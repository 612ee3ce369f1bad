#include "storage/settings.h"

#include <algorithm>

#include "storage/config_file.h"

namespace airvane {

int32_t soundFadeoutTime(int32_t seconds) { return std::clamp(seconds, 0, kMaxFadeoutTime); }

Settings readSettings(const ConfigFile& config) {
    // One read of the file for all six keys.
    const IniDocument doc = config.read();
    Settings settings;
    for (const SettingKey& row : kSettingKeys) {
        int32_t value = profileInt(doc, kConfigSection, row.key, row.defaultValue);
        if (row.number) settings.*row.number = value;
        else settings.*row.flag = static_cast<uint8_t>(value & 0xFF);
    }
    settings.fadeoutTime = soundFadeoutTime(settings.fadeoutTime);
    settings.alertCommand = profileString(doc, kConfigSection, "AlertCommand", "", kAlertCommandMax);
    return settings;
}

}  // namespace airvane
