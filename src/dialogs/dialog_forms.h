// What the dialogs' fields hold, as the operator typed it, and the checks
// and conversions of their confirm buttons: the portable half of the
// schedule editor, the loading-schedule editor and the preferences.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/schedule_node.h"
#include "storage/loading_list.h"
#include "storage/settings.h"

namespace airvane {

class ConfigFile;

// A number field read as GetDlgItemInt reads it: 0 unless the whole text
// (blanks around it allowed) is a number that fits.
uint32_t fieldUnsigned(std::string_view text);
int32_t fieldSigned(std::string_view text);

// The "매" marker of the date fields: "0" shows as "매", and "매" (any case)
// reads as 0.
inline constexpr const char* kEveryMarker = "매";
bool showsEveryMarker(std::string_view text);

struct ScheduleForm {
    std::array<bool, 7> weekdays{};  // Sunday .. Saturday
    std::string year, month, day;
    std::string startHour, startMinute, startSecond;
    std::string endHour, endMinute, endSecond;
    bool noEndTime = false;
    bool shuffle = false, repeat = false, noFadeOut = false, softStart = false;
    std::string title;
};

enum class FormError { None, SameStartAndEnd, NoTitle, TitleTooLong, TitleNotAFileName, NoJobFile };

// The message for an error, "" for none.
const char* formErrorMessage(FormError error);

ScheduleForm scheduleFormFrom(const ScheduleNode& record);
// Checks the form and, when it passes, writes it into record (and only then).
// Option bits the form has no box for stay as the record had them.
FormError applyScheduleForm(const ScheduleForm& form, ScheduleNode& record);
// The title as stored: blanks trimmed, ".m3u" appended unless it has it.
std::string storedTitle(std::string title);

struct LoadingForm {
    std::array<bool, 7> weekdays{};
    std::string year, month, day;
    std::string hour, minute, second;
    std::string jobFile;
};

struct LocalDateTime {
    int year, month, day, hour;
};

LoadingForm loadingFormFrom(const LoadingEntry& entry);
LoadingForm newLoadingForm(LocalDateTime now);
// An empty or blank job file fails; the job file is stored as typed.
FormError checkLoadingForm(const LoadingForm& form);
void applyLoadingForm(const LoadingForm& form, LoadingEntry& entry);
// The manager's line for an entry: "[date ]hh:mm:ss jobFile".
std::string loadingListLine(const LoadingEntry& entry);

struct PreferencesForm {
    bool disDragDrop = false, dispNowPlayFile = false, makeLogFile = false, setShoutcastTitle = false,
         keepOnAir = false;
    std::string adjRealTimeSec, fadeoutTime, alertCommand, softWaitSec;
    std::string nowPlayingFile, nowPlayingFormat, nowPlayingEncoding, statusPort, statusAddress;
    std::string fallbackPlaylist, fallbackAfterSec;
    bool fillGaps = false;
};

PreferencesForm preferencesFormFrom(const Settings& settings);
// Sets each setting in memory and writes its key, in the dialog's order.
void applyPreferences(const PreferencesForm& form, Settings& settings, ConfigFile& config);

}  // namespace airvane
