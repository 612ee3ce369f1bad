#include "dialogs/dialog_forms.h"

#include <gtest/gtest.h>

#include "model/node_label.h"
#include "storage/config_file.h"
#include "test_files.h"

namespace airvane {
namespace {

ScheduleForm newScheduleForm() { return scheduleFormFrom(newScheduleRecord()); }

TEST(Fields, NumbersAsTheDialogManagerReadsThem) {
    EXPECT_EQ(fieldUnsigned("42"), 42u);
    EXPECT_EQ(fieldUnsigned(" 7 "), 7u);
    EXPECT_EQ(fieldUnsigned("00"), 0u);
    EXPECT_EQ(fieldUnsigned("12ab"), 0u);
    EXPECT_EQ(fieldUnsigned(""), 0u);
    EXPECT_EQ(fieldUnsigned("-3"), 0u);
    EXPECT_EQ(fieldUnsigned("99999999999"), 0u);
    EXPECT_EQ(fieldSigned("-5"), -5);
    EXPECT_EQ(fieldSigned("+12"), 12);
    EXPECT_EQ(fieldSigned("x"), 0);
    EXPECT_EQ(fieldSigned("3000000000"), 0);
    EXPECT_TRUE(showsEveryMarker("매"));
    EXPECT_FALSE(showsEveryMarker("0"));
}

TEST(ScheduleForm, ANewScheduleShowsEveryDayNoEndTimeAndEmptyTitle) {
    ScheduleForm form = newScheduleForm();
    for (bool day : form.weekdays) EXPECT_TRUE(day);
    EXPECT_EQ(form.year, "0");
    EXPECT_EQ(form.startHour, "0");
    EXPECT_TRUE(form.noEndTime);
    EXPECT_EQ(form.endHour, "");
    EXPECT_FALSE(form.shuffle || form.repeat || form.noFadeOut);
    EXPECT_EQ(form.title, "");
}

TEST(ScheduleForm, ChecksComeBeforeAnyWrite) {
    ScheduleNode record = newScheduleRecord();
    record.text = "Old.m3u";
    ScheduleForm form = newScheduleForm();
    form.noEndTime = false;  // empty end fields: 00:00:00, equal to the start
    form.title = "News";
    EXPECT_EQ(applyScheduleForm(form, record), FormError::SameStartAndEnd);
    EXPECT_EQ(record.text, "Old.m3u");
    form.noEndTime = true;
    form.title = " \t ";
    EXPECT_EQ(applyScheduleForm(form, record), FormError::NoTitle);
    EXPECT_EQ(record.endSec, kNoEndTime);
    EXPECT_STREQ(formErrorMessage(FormError::SameStartAndEnd), "시작시간과 끝시간은 달라야 합니다");
    EXPECT_STREQ(formErrorMessage(FormError::NoTitle), "프로그램 타이틀을 적으세요");
}

TEST(ScheduleForm, ConfirmWritesTheRecord) {
    ScheduleNode record = newScheduleRecord();
    ScheduleForm form = newScheduleForm();
    form.year = "매";
    form.month = "12";
    form.day = "24";
    form.startHour = "25";  // typed values are not clamped
    form.startMinute = "0";
    form.noEndTime = false;
    form.endHour = "23";
    form.endMinute = "59";
    form.endSecond = "58";
    form.shuffle = form.noFadeOut = true;
    form.title = "  Christmas Eve  ";
    ASSERT_EQ(applyScheduleForm(form, record), FormError::None);
    EXPECT_EQ(record.startSec, 25 * 3600);
    EXPECT_EQ(record.endSec, toDaySeconds(23, 59, 58));
    EXPECT_EQ(record.year, 0);
    EXPECT_EQ(record.month, 12);
    EXPECT_EQ(record.day, 24);
    EXPECT_EQ(record.weekdays, kEveryDay);
    EXPECT_EQ(record.options, kShuffle | kNoFadeOut);
    EXPECT_EQ(record.text, "Christmas Eve.m3u");

    // The soft-start box is bit 8; bits the editor has no box for (a newer
    // program's) survive a confirm that changes the boxes around them, as
    // the dialog reads its boxes into a fresh form.
    record.options = kRepeat | kSoftStart | 0x40 | 0x1000;
    EXPECT_TRUE(scheduleFormFrom(record).softStart);
    form.softStart = true;
    ASSERT_EQ(applyScheduleForm(form, record), FormError::None);
    EXPECT_EQ(record.options, kShuffle | kNoFadeOut | kSoftStart | 0x40 | 0x1000);
    form.softStart = form.noFadeOut = false;
    applyScheduleForm(form, record);
    EXPECT_EQ(record.options, kShuffle | 0x40 | 0x1000);
}

TEST(ScheduleForm, WeekdaysAndTheDayRule) {
    ScheduleNode record = newScheduleRecord();
    ScheduleForm form = newScheduleForm();
    form.title = "x";
    form.day = "5";
    form.weekdays[6] = false;  // six boxes: their bits, and no day
    ASSERT_EQ(applyScheduleForm(form, record), FormError::None);
    EXPECT_EQ(record.weekdays, 63);
    EXPECT_EQ(record.day, 0);
    form.weekdays.fill(false);
    applyScheduleForm(form, record);
    EXPECT_EQ(record.weekdays, 0);
    form.weekdays.fill(true);
    applyScheduleForm(form, record);
    EXPECT_EQ(record.weekdays, kEveryDay);
    EXPECT_EQ(record.day, 5);
}

TEST(ScheduleForm, TitlesGetM3uOnceAndTooLongOnesAreRefused) {
    EXPECT_EQ(storedTitle("Morning"), "Morning.m3u");
    EXPECT_EQ(storedTitle("Morning.M3U"), "Morning.M3U");
    EXPECT_EQ(storedTitle("a.b"), "a.b.m3u");
    EXPECT_EQ(storedTitle("m3u"), "m3u.m3u");
    ScheduleNode record = newScheduleRecord();
    ScheduleForm form = newScheduleForm();
    form.title = std::string(256, 't');
    EXPECT_EQ(applyScheduleForm(form, record), FormError::TitleTooLong);
    EXPECT_EQ(record.text, "");
    form.title = std::string(255, 't');
    EXPECT_EQ(applyScheduleForm(form, record), FormError::None);
    EXPECT_EQ(record.text.size(), 259u);
    // What the play path would refuse is refused here, with a message.
    form.title = "News: 9 o'clock";
    EXPECT_EQ(applyScheduleForm(form, record), FormError::TitleNotAFileName);
    EXPECT_NE(std::string(formErrorMessage(FormError::TitleNotAFileName)), "");
    form.title = "News.";
    EXPECT_EQ(applyScheduleForm(form, record), FormError::None);
    EXPECT_EQ(record.text, "News..m3u");
}

TEST(LoadingForm, NewEditedAndListed) {
    LoadingForm fresh = newLoadingForm({2026, 12, 24, 23});
    EXPECT_EQ(fresh.year, "2026");
    EXPECT_EQ(fresh.hour, "23");
    EXPECT_EQ(fresh.minute, "0");
    for (bool day : fresh.weekdays) EXPECT_TRUE(day);
    EXPECT_EQ(checkLoadingForm(fresh), FormError::NoJobFile);
    fresh.jobFile = "  ";
    EXPECT_EQ(checkLoadingForm(fresh), FormError::NoJobFile);
    fresh.jobFile = "D:\\xmas.scd  ";
    ASSERT_EQ(checkLoadingForm(fresh), FormError::None);
    LoadingEntry entry;
    applyLoadingForm(fresh, entry);
    EXPECT_EQ(entry.jobFile, "D:\\xmas.scd  ");  // stored as typed
    EXPECT_EQ(entry.day, 24);
    EXPECT_EQ(entry.weekdays, kEveryDay);

    LoadingForm edited = loadingFormFrom(entry);
    edited.weekdays[0] = false;
    edited.month = "매";
    applyLoadingForm(edited, entry);
    EXPECT_EQ(entry.day, 0);
    EXPECT_EQ(entry.month, 0);
    EXPECT_EQ(entry.weekdays, 126);

    LoadingEntry plain;
    plain.hour = 6;
    plain.jobFile = "D:\\week.scd";
    EXPECT_EQ(loadingListLine(plain), "06:00:00 D:\\week.scd");
    plain.year = 2026;
    EXPECT_EQ(loadingListLine(plain), "2026/매월/매일  06:00:00 D:\\week.scd");
}

TEST(Preferences, ConfirmSetsMemoryAndWritesEveryKey) {
    test::TempDir dir;
    ConfigFile config(dir.path("a.INI"));
    Settings settings;
    PreferencesForm form = preferencesFormFrom(settings);
    form.disDragDrop = true;
    form.makeLogFile = false;
    form.keepOnAir = true;
    form.adjRealTimeSec = "-5";
    form.fadeoutTime = "9999999";
    form.softWaitSec = "601";
    applyPreferences(form, settings, config);
    EXPECT_EQ(settings.fadeoutTime, kMaxFadeoutTime) << "capped: its milliseconds must fit";
    EXPECT_EQ(settings.softWaitSec, kMaxSoftWaitSec);
    EXPECT_EQ(Settings{}.softWaitSec, 30);
    form.softWaitSec = "15";
    form.fadeoutTime = "";
    applyPreferences(form, settings, config);
    EXPECT_EQ(settings.disDragDrop, 1);
    EXPECT_EQ(settings.makeLogFile, 0);
    EXPECT_EQ(settings.adjRealTimeSec, -5);
    EXPECT_EQ(settings.fadeoutTime, 0);
    EXPECT_EQ(dir.read("a.INI"),
              "[Config]\r\nDisDragDrop=1\r\nDispNowPlayFile=1\r\nSetShoutcastTitle=1\r\nMakeLogFile=0\r\n"
              "KeepOnAir=1\r\nAdjRealTimeSec=-5\r\nFadeoutTime=0\r\nSoftWaitSec=15\r\nAlertCommand=\r\nNowPlayingFile=\r\n"
              "NowPlayingFormat=%programme% - %title%\r\nNowPlayingEncoding=UTF-8\r\nStatusPort=0\r\n"
              "StatusAddress=127.0.0.1\r\nFallbackPlaylist=\r\nFallbackAfterSec=10\r\nFillGaps=0\r\n");
    Settings reread = readSettings(config);
    EXPECT_EQ(reread.adjRealTimeSec, -5);
    EXPECT_EQ(reread.disDragDrop, 1);
    EXPECT_EQ(reread.keepOnAir, 1);
    EXPECT_EQ(reread.softWaitSec, 15);
    config.writeProfileInts(kConfigSection, "SoftWaitSec", -3);
    EXPECT_EQ(readSettings(config).softWaitSec, 0) << "a negative wait is none";
    EXPECT_EQ(Settings{}.keepOnAir, 0) << "off unless the station asks";
}

// The fallback programme's keys: off by default, FallbackAfterSec kept to
// at least a second, and read back as written.
TEST(Preferences, FallbackKeysAreWrittenThroughAndReadBack) {
    EXPECT_EQ(Settings{}.fallbackPlaylist, "");
    EXPECT_EQ(Settings{}.fallbackAfterSec, 10);
    EXPECT_EQ(Settings{}.fillGaps, 0);
    const struct {
        const char* playlist;
        const char* after;
        bool fillGaps;
        int32_t wantAfter;
    } rows[] = {{"D:\\Fill\\night.m3u", "3", true, 3}, {"D:\\Fill", "0", false, 1}, {"", "x", false, 1},
                {"E:\\Fill Folder", "99999", true, 3600}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.playlist);
        test::TempDir dir;
        ConfigFile config(dir.path("a.INI"));
        Settings settings;
        PreferencesForm form = preferencesFormFrom(settings);
        EXPECT_EQ(form.fallbackAfterSec, "10");
        form.fallbackPlaylist = row.playlist;
        form.fallbackAfterSec = row.after;
        form.fillGaps = row.fillGaps;
        applyPreferences(form, settings, config);
        EXPECT_EQ(settings.fallbackAfterSec, row.wantAfter);
        const Settings reread = readSettings(config);
        EXPECT_EQ(reread.fallbackPlaylist, row.playlist);
        EXPECT_EQ(reread.fallbackAfterSec, row.wantAfter);
        EXPECT_EQ(reread.fillGaps, row.fillGaps ? 1 : 0);
    }
}

// The now-playing file's and the status server's keys: what the operator
// types, what memory and the INI get, and what a fresh read gives back.
TEST(Preferences, NowPlayingAndStatusKeysAreMadeSoundAndReadBack) {
    const struct {
        const char* file;
        const char* format;
        const char* encoding;
        const char* port;
        const char* address;
        std::string wantEncoding;
        int32_t wantPort;
        std::string wantAddress;
    } rows[] = {
        {"D:\\rds\\now.txt", "%artist% / %song%", "CP949", "8080", "0.0.0.0", "CP949", 8080, "0.0.0.0"},
        {"", "\"%title%\"", "cp949", "65535", "127.0.0.1", "CP949", 65535, "127.0.0.1"},
        {"now.txt", "", "EUC-KR", "65536", "", "UTF-8", 0, "127.0.0.1"},
        {"now.txt", "%title%", "", "-1", "192.168.0.10", "UTF-8", 0, "192.168.0.10"},
        {"now.txt", "%title%", "UTF-8", "port", "127.0.0.1", "UTF-8", 0, "127.0.0.1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.port);
        test::TempDir dir;
        ConfigFile config(dir.path("a.INI"));
        Settings settings;
        PreferencesForm form = preferencesFormFrom(settings);
        EXPECT_EQ(form.nowPlayingFormat, "%programme% - %title%");
        EXPECT_EQ(form.statusPort, "0") << "off by default";
        EXPECT_EQ(form.statusAddress, "127.0.0.1") << "nothing outside the PC by default";
        form.nowPlayingFile = row.file;
        form.nowPlayingFormat = row.format;
        form.nowPlayingEncoding = row.encoding;
        form.statusPort = row.port;
        form.statusAddress = row.address;
        applyPreferences(form, settings, config);
        EXPECT_EQ(settings.nowPlayingEncoding, row.wantEncoding);
        EXPECT_EQ(settings.statusPort, row.wantPort);
        EXPECT_EQ(settings.statusAddress, row.wantAddress);
        const Settings reread = readSettings(config);
        EXPECT_EQ(reread.nowPlayingFile, row.file);
        EXPECT_EQ(reread.nowPlayingFormat, row.format) << "a template in quotes keeps them";
        EXPECT_EQ(reread.nowPlayingEncoding, row.wantEncoding);
        EXPECT_EQ(reread.statusPort, row.wantPort);
        EXPECT_EQ(reread.statusAddress, row.wantAddress);
    }
}

}  // namespace
}  // namespace airvane
