#include "storage/settings.h"

#include <algorithm>

#include "storage/config_file.h"
#include "storage/text.h"

namespace airvane {

int32_t soundFadeoutTime(int32_t seconds) { return std::clamp(seconds, 0, kMaxFadeoutTime); }

int32_t soundSoftWaitSec(int32_t seconds) { return std::clamp(seconds, 0, kMaxSoftWaitSec); }
int32_t soundFallbackAfterSec(int32_t seconds) { return std::clamp(seconds, 1, 3600); }

int32_t soundStatusPort(int32_t port) { return port >= 1 && port <= 65535 ? port : 0; }

std::string soundEncoding(std::string_view text) {
    return equalsIgnoringCase(text, kCp949Encoding) ? std::string(kCp949Encoding) : std::string(kUtf8Encoding);
}

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
    settings.statusPort = soundStatusPort(settings.statusPort);
    settings.softWaitSec = soundSoftWaitSec(settings.softWaitSec);
    settings.nowPlayingFile = profileString(doc, kConfigSection, "NowPlayingFile", "", kPathMax + 1);
    settings.nowPlayingFormat =
        profileString(doc, kConfigSection, "NowPlayingFormat", kDefaultNowPlayingFormat, kNowPlayingFormatMax);
    settings.nowPlayingEncoding =
        soundEncoding(profileString(doc, kConfigSection, "NowPlayingEncoding", kUtf8Encoding, kAddressMax));
    settings.statusAddress =
        profileString(doc, kConfigSection, "StatusAddress", kDefaultStatusAddress, kAddressMax);
    settings.fallbackAfterSec = soundFallbackAfterSec(settings.fallbackAfterSec);
    settings.fallbackPlaylist = profileString(doc, kConfigSection, "FallbackPlaylist", "", kPathMax + 1);
    if (settings.statusAddress.empty()) settings.statusAddress = std::string(kDefaultStatusAddress);
    return settings;
}

}  // namespace airvane
