// Programmes put on the clock of now, for the scenarios and benchmarks that
// watch them reach standin.exe: their schedule entries, and when the
// player's journal says each one came.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace airvane::e2e {

inline int secondOfDayNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
}

// "HH:MM:SS" as the journal stamps it.
inline std::string clockText(int second) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", second / 3600 % 24, second / 60 % 60, second % 60);
    return text;
}

// A Schedule from..to with the one File D:\Music\<title>.mp3.
inline std::string programmeEntry(int from, int to, const char* title, int options = 0) {
    char text[160];
    std::snprintf(text, sizeof text, "-1 %d:%d:%d %d:%d:%d 0/0/0 %d|%s.m3u\r\n{\r\n|D:\\Music\\%s.mp3\r\n}\r\n",
                  from / 3600, from / 60 % 60, from % 60, to / 3600, to / 60 % 60, to % 60, options, title, title);
    return text;
}

// The start of a [LoadingSchedule] entry due seconds from now, every day;
// the job file's path follows.
inline std::string loadingEntryInSeconds(int seconds) {
    const int due = (secondOfDayNow() + seconds) % 86400;
    char entry[64];
    std::snprintf(entry, sizeof entry, "0=0 0 0 %d %d %d -1|", due / 3600, due / 60 % 60, due % 60);
    return entry;
}

// The journal's "HH:MM:SS.mmm" of the first entry after position `after`
// that holds text, and where it is; npos when there is none.
struct JournalStamp {
    std::string time;
    std::size_t at = std::string::npos;
};
inline JournalStamp journalStampOf(const std::string& journal, const std::string& text, std::size_t after = 0) {
    const std::size_t found = journal.find(text, after);
    if (found == std::string::npos) return {};
    const std::size_t lineStart = journal.rfind('\n', found);
    const std::size_t from = lineStart == std::string::npos ? 0 : lineStart + 1;
    return {journal.substr(from + 11, 12), found};  // after "YYYY-MM-DD "
}

}  // namespace airvane::e2e
