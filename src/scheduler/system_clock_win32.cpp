#include "scheduler/system_clock_win32.h"

#include <windows.h>

namespace airvane {

LocalTime SystemClock::now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

bool SystemClock::setLocalTime(const LocalTime& time) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(time.year);
    t.wMonth = static_cast<WORD>(time.month);
    t.wDay = static_cast<WORD>(time.day);
    t.wDayOfWeek = static_cast<WORD>(time.dayOfWeek);
    t.wHour = static_cast<WORD>(time.hour);
    t.wMinute = static_cast<WORD>(time.minute);
    t.wSecond = static_cast<WORD>(time.second);
    t.wMilliseconds = static_cast<WORD>(time.millisecond);
    return SetLocalTime(&t) != 0;
}

}  // namespace airvane
