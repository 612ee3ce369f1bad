#include "dialogs/dialog_forms.h"

#include <cstdio>

#include "model/node_label.h"
#include "player/playlist_file.h"
#include "storage/config_file.h"
#include "storage/text.h"

namespace airvane {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A date field: the marker reads as 0.
uint32_t dateField(std::string_view text) { return showsEveryMarker(text) ? 0 : fieldUnsigned(text); }

int32_t weekdayBits(const std::array<bool, 7>& boxes) {
    int32_t bits = 0;
    for (int i = 0; i < 7; ++i)
        if (boxes[i]) bits |= 1 << i;
    return bits == 127 ? kEveryDay : bits;
}

std::array<bool, 7> weekdayBoxes(int32_t bits) {
    std::array<bool, 7> boxes{};
    for (int i = 0; i < 7; ++i) boxes[i] = (bits >> i) & 1;
    return boxes;
}

std::string unsignedText(int32_t value) { return std::to_string(static_cast<uint32_t>(value)); }

int32_t daySeconds(const std::string& h, const std::string& m, const std::string& s) {
    return toDaySeconds(static_cast<int32_t>(fieldUnsigned(h)), static_cast<int32_t>(fieldUnsigned(m)),
                        static_cast<int32_t>(fieldUnsigned(s)));
}

}  // namespace

uint32_t fieldUnsigned(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || text.size() > 10) return 0;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value > 0xFFFFFFFFu ? 0 : static_cast<uint32_t>(value);
}

int32_t fieldSigned(std::string_view text) {
    text = trimmed(text);
    bool negative = !text.empty() && text.front() == '-';
    if (negative || (!text.empty() && text.front() == '+')) text.remove_prefix(1);
    if (text.empty() || text.size() > 10) return 0;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    return (value < INT32_MIN || value > INT32_MAX) ? 0 : static_cast<int32_t>(value);
}

bool showsEveryMarker(std::string_view text) { return equalsIgnoringCase(text, kEveryMarker); }

const char* formErrorMessage(FormError error) {
    switch (error) {
        case FormError::SameStartAndEnd:
            return "시작시간과 끝시간은 달라야 합니다";
        case FormError::NoTitle:
            return "프로그램 타이틀을 적으세요";
        case FormError::TitleTooLong:
            return "프로그램 타이틀이 너무 깁니다. \".m3u\"를 붙여 259자 안에 들도록 줄여 주세요";
        case FormError::TitleNotAFileName:
            return "프로그램 타이틀에는 \\ / : * ? \" < > | 와 장치 이름(CON, NUL 등)을 쓸 수 없습니다";
        case FormError::NoJobFile:
            return "스케쥴 파일명을 입력하세요";
        case FormError::None:
            break;
    }
    return "";
}

ScheduleForm scheduleFormFrom(const ScheduleNode& record) {
    ScheduleForm form;
    form.weekdays = weekdayBoxes(record.weekdays);
    form.year = unsignedText(record.year);
    form.month = unsignedText(record.month);
    form.day = unsignedText(record.day);
    TimeOfDay start = splitDaySeconds(record.startSec);
    form.startHour = std::to_string(start.hour);
    form.startMinute = std::to_string(start.minute);
    form.startSecond = std::to_string(start.second);
    form.noEndTime = record.endSec == kNoEndTime;
    if (!form.noEndTime) {
        TimeOfDay end = splitDaySeconds(record.endSec);
        form.endHour = std::to_string(end.hour);
        form.endMinute = std::to_string(end.minute);
        form.endSecond = std::to_string(end.second);
    }
    form.shuffle = record.options & kShuffle;
    form.repeat = record.options & kRepeat;
    form.noFadeOut = record.options & kNoFadeOut;
    form.softStart = record.options & kSoftStart;
    form.title = record.text;
    return form;
}

std::string storedTitle(std::string title) {
    trimBlanks(title);
    if (!equalsIgnoringCase(extensionPart(title), "m3u")) title += ".m3u";
    return title;
}

FormError applyScheduleForm(const ScheduleForm& form, ScheduleNode& record) {
    const int32_t start = daySeconds(form.startHour, form.startMinute, form.startSecond);
    const int32_t end = form.noEndTime ? kNoEndTime : daySeconds(form.endHour, form.endMinute, form.endSecond);
    if (end == start) return FormError::SameStartAndEnd;
    std::string title = form.title;
    limitLength(title, kPathMax);
    trimBlanks(title);
    if (title.empty()) return FormError::NoTitle;
    title = storedTitle(title);
    // The title names the playlist file: it must fit a path with ".m3u".
    if (title.size() > kPathMax) return FormError::TitleTooLong;
    if (!namesPlaylistFile(title)) return FormError::TitleNotAFileName;

    record.startSec = start;
    record.endSec = end;
    record.text = title;
    record.weekdays = weekdayBits(form.weekdays);
    record.options = (form.shuffle ? kShuffle : 0) | (form.repeat ? kRepeat : 0) | (form.noFadeOut ? kNoFadeOut : 0) |
                     (form.softStart ? kSoftStart : 0) | (record.options & ~kEditorOptions);
    record.year = static_cast<int32_t>(dateField(form.year));
    record.month = static_cast<int32_t>(dateField(form.month));
    record.day = record.weekdays == kEveryDay ? static_cast<int32_t>(dateField(form.day)) : 0;
    return FormError::None;
}

LoadingForm loadingFormFrom(const LoadingEntry& entry) {
    LoadingForm form;
    form.weekdays = weekdayBoxes(entry.weekdays);
    form.year = unsignedText(entry.year);
    form.month = unsignedText(entry.month);
    form.day = unsignedText(entry.day);
    form.hour = unsignedText(entry.hour);
    form.minute = unsignedText(entry.minute);
    form.second = unsignedText(entry.second);
    form.jobFile = entry.jobFile;
    return form;
}

LoadingForm newLoadingForm(LocalDateTime now) {
    LoadingForm form;
    form.weekdays.fill(true);
    form.year = std::to_string(now.year);
    form.month = std::to_string(now.month);
    form.day = std::to_string(now.day);
    form.hour = std::to_string(now.hour);
    form.minute = "0";
    form.second = "0";
    return form;
}

FormError checkLoadingForm(const LoadingForm& form) {
    std::string jobFile = form.jobFile;
    limitLength(jobFile, kPathMax);
    trimBlanks(jobFile);
    return jobFile.empty() ? FormError::NoJobFile : FormError::None;
}

void applyLoadingForm(const LoadingForm& form, LoadingEntry& entry) {
    entry.year = static_cast<int32_t>(dateField(form.year));
    entry.month = static_cast<int32_t>(dateField(form.month));
    entry.day = static_cast<int32_t>(dateField(form.day));
    entry.hour = static_cast<int32_t>(fieldUnsigned(form.hour));
    entry.minute = static_cast<int32_t>(fieldUnsigned(form.minute));
    entry.second = static_cast<int32_t>(fieldUnsigned(form.second));
    entry.weekdays = weekdayBits(form.weekdays);
    if (entry.weekdays != kEveryDay) entry.day = 0;
    entry.jobFile = form.jobFile;
    limitLength(entry.jobFile, kPathMax);
}

std::string loadingListLine(const LoadingEntry& entry) {
    std::string line;
    if (entry.year || entry.month || entry.day) {
        appendDatePart(line, entry.year, entry.month, entry.day);
        line += ' ';
    }
    char time[48];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d ", entry.hour, entry.minute, entry.second);
    return line + time + entry.jobFile;
}

PreferencesForm preferencesFormFrom(const Settings& settings) {
    PreferencesForm form;
    form.disDragDrop = settings.disDragDrop;
    form.dispNowPlayFile = settings.dispNowPlayFile;
    form.makeLogFile = settings.makeLogFile;
    form.setShoutcastTitle = settings.setShoutcastTitle;
    form.keepOnAir = settings.keepOnAir;
    form.adjRealTimeSec = std::to_string(settings.adjRealTimeSec);
    form.fadeoutTime = std::to_string(settings.fadeoutTime);
    form.softWaitSec = std::to_string(settings.softWaitSec);
    form.alertCommand = settings.alertCommand;
    form.nowPlayingFile = settings.nowPlayingFile;
    form.nowPlayingFormat = settings.nowPlayingFormat;
    form.nowPlayingEncoding = settings.nowPlayingEncoding;
    form.statusPort = std::to_string(settings.statusPort);
    form.statusAddress = settings.statusAddress;
    form.fallbackPlaylist = settings.fallbackPlaylist;
    form.fallbackAfterSec = std::to_string(settings.fallbackAfterSec);
    form.fillGaps = settings.fillGaps;
    return form;
}

void applyPreferences(const PreferencesForm& form, Settings& settings, ConfigFile& config) {
    auto store = [&config](const char* key, int32_t value) { config.writeProfileInts(kConfigSection, key, value); };
    settings.disDragDrop = form.disDragDrop;
    store("DisDragDrop", settings.disDragDrop);
    settings.dispNowPlayFile = form.dispNowPlayFile;
    store("DispNowPlayFile", settings.dispNowPlayFile);
    settings.setShoutcastTitle = form.setShoutcastTitle;
    store("SetShoutcastTitle", settings.setShoutcastTitle);
    settings.makeLogFile = form.makeLogFile;
    store("MakeLogFile", settings.makeLogFile);
    settings.keepOnAir = form.keepOnAir;
    store("KeepOnAir", settings.keepOnAir);
    settings.adjRealTimeSec = fieldSigned(form.adjRealTimeSec);
    store("AdjRealTimeSec", settings.adjRealTimeSec);
    settings.fadeoutTime = soundFadeoutTime(fieldSigned(form.fadeoutTime));
    store("FadeoutTime", settings.fadeoutTime);
    settings.softWaitSec = soundSoftWaitSec(fieldSigned(form.softWaitSec));
    store("SoftWaitSec", settings.softWaitSec);
    // The profile functions take the outer quotes off a value that begins
    // and ends with one ("C:\a.cmd" "x", a template "%title%" in quotes):
    // another pair keeps it whole.
    auto storeText = [&config](const char* key, const std::string& text) {
        const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
                            text.back() == text.front();
        config.writeProfileText(kConfigSection, key, quoted ? "\"" + text + "\"" : text);
    };
    settings.alertCommand = form.alertCommand;
    storeText("AlertCommand", settings.alertCommand);
    settings.nowPlayingFile = form.nowPlayingFile;
    storeText("NowPlayingFile", settings.nowPlayingFile);
    settings.nowPlayingFormat = form.nowPlayingFormat;
    storeText("NowPlayingFormat", settings.nowPlayingFormat);
    settings.nowPlayingEncoding = soundEncoding(form.nowPlayingEncoding);
    config.writeProfileText(kConfigSection, "NowPlayingEncoding", settings.nowPlayingEncoding);
    settings.statusPort = soundStatusPort(fieldSigned(form.statusPort));
    store("StatusPort", settings.statusPort);
    // An emptied address is the safe one, not every address.
    settings.statusAddress = form.statusAddress.empty() ? std::string(kDefaultStatusAddress) : form.statusAddress;
    storeText("StatusAddress", settings.statusAddress);
    settings.fallbackPlaylist = form.fallbackPlaylist;
    storeText("FallbackPlaylist", settings.fallbackPlaylist);
    settings.fallbackAfterSec = soundFallbackAfterSec(fieldSigned(form.fallbackAfterSec));
    store("FallbackAfterSec", settings.fallbackAfterSec);
    settings.fillGaps = form.fillGaps;
    store("FillGaps", settings.fillGaps);
}

}  // namespace airvane
