// The settings of section "Config", read once at start-up and written
// through by the preferences dialog.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace airvane {

class ConfigFile;

inline constexpr std::string_view kConfigSection = "Config";

inline constexpr std::string_view kDefaultNowPlayingFormat = "%programme% - %title%";
inline constexpr std::string_view kUtf8Encoding = "UTF-8";
inline constexpr std::string_view kCp949Encoding = "CP949";
inline constexpr std::string_view kDefaultStatusAddress = "127.0.0.1";

struct Settings {
    int32_t adjRealTimeSec = 0;
    int32_t fadeoutTime = 4;  // until the file is read; the file's default is 3
    uint8_t disDragDrop = 0;
    uint8_t dispNowPlayFile = 1;
    uint8_t makeLogFile = 1;
    uint8_t setShoutcastTitle = 1;
    // After a start of Airvane or of the player, the programme the plan has
    // on air is put back on it, and a player that died is started again.
    uint8_t keepOnAir = 0;
    // How long a soft start or end may wait for the song on air to end.
    int32_t softWaitSec = 30;
    // The station's own command, started when a programme is not on air
    // as it should be; empty: none.
    std::string alertCommand;
    // The now-playing file for RDS encoders and websites: none while the
    // path is empty.
    std::string nowPlayingFile;
    std::string nowPlayingFormat = std::string(kDefaultNowPlayingFormat);
    std::string nowPlayingEncoding = std::string(kUtf8Encoding);
    // The status server: off at 0; on 127.0.0.1 unless the station names
    // another address on purpose.
    int32_t statusPort = 0;
    std::string statusAddress = std::string(kDefaultStatusAddress);
    // The fallback programme: a playlist file or a folder of audio files,
    // none while empty. Handed over after FallbackAfterSec of silence while
    // a programme should be on air; with fillGaps also between programmes.
    std::string fallbackPlaylist;
    int32_t fallbackAfterSec = 10;
    uint8_t fillGaps = 0;
};

// A command line fits a Windows path and its arguments.
inline constexpr std::size_t kAlertCommandMax = 1024;

// A template is a line of text, not a document.
inline constexpr std::size_t kNowPlayingFormatMax = 512;
inline constexpr std::size_t kAddressMax = 64;

// One row per setting: its key, the default when the key is missing, and
// where it lives in Settings. Switches keep only the low byte.
struct SettingKey {
    std::string_view key;
    int32_t defaultValue;
    int32_t Settings::*number;
    uint8_t Settings::*flag;
};

inline constexpr SettingKey kSettingKeys[] = {
    {"AdjRealTimeSec", 0, &Settings::adjRealTimeSec, nullptr},
    {"FadeoutTime", 3, &Settings::fadeoutTime, nullptr},
    {"DisDragDrop", 0, nullptr, &Settings::disDragDrop},
    {"DispNowPlayFile", 1, nullptr, &Settings::dispNowPlayFile},
    {"MakeLogFile", 1, nullptr, &Settings::makeLogFile},
    {"SetShoutcastTitle", 1, nullptr, &Settings::setShoutcastTitle},
    {"KeepOnAir", 0, nullptr, &Settings::keepOnAir},
    {"StatusPort", 0, &Settings::statusPort, nullptr},
    {"SoftWaitSec", 30, &Settings::softWaitSec, nullptr},
    {"FallbackAfterSec", 10, &Settings::fallbackAfterSec, nullptr},
    {"FillGaps", 0, nullptr, &Settings::fillGaps},
};

// FallbackAfterSec as the watch takes it: at least a second, an hour at most.
int32_t soundFallbackAfterSec(int32_t seconds);

// The status server's port, or 0 (off) for a value no port can have.
int32_t soundStatusPort(int32_t port);
// "CP949" in any case is CP949; anything else is the default, UTF-8.
std::string soundEncoding(std::string_view text);

// FadeoutTime as every user of it takes it: a negative value is 0, and an
// hour at most, so that it stays a sane lead time and FadeoutTime * 1000
// cannot overflow.
inline constexpr int32_t kMaxFadeoutTime = 3600;
int32_t soundFadeoutTime(int32_t seconds);
// SoftWaitSec kept to 0..600: ten minutes is the most a day's plan should
// drift at one change.
inline constexpr int32_t kMaxSoftWaitSec = 600;
int32_t soundSoftWaitSec(int32_t seconds);

// Reads the settings in the order of the table (FadeoutTime made sound).
Settings readSettings(const ConfigFile& config);

}  // namespace airvane
