#include "scheduler/local_time.h"

namespace airvane {

int dayOfWeek(int year, int month, int day) {
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + offsets[(month + 11) % 12] + day) % 7;
}

LocalTime localTimeAt(int year, int month, int day, int32_t daySeconds) {
    LocalTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.dayOfWeek = dayOfWeek(year, month, day);
    t.hour = daySeconds / 3600;
    t.minute = daySeconds / 60 % 60;
    t.second = daySeconds % 60;
    return t;
}

namespace {

int daysIn(int year, int month) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : lengths[month - 1];
}

}  // namespace

LocalTime nextDay(const LocalTime& date) {
    int year = date.year, month = date.month, day = date.day + 1;
    if (day > daysIn(year, month)) {
        day = 1;
        if (++month > 12) month = 1, ++year;
    }
    return localTimeAt(year, month, day, 0);
}

LocalTime previousDay(const LocalTime& date) {
    int year = date.year, month = date.month, day = date.day - 1;
    if (day < 1) {
        if (--month < 1) month = 12, --year;
        day = daysIn(year, month);
    }
    return localTimeAt(year, month, day, 0);
}

}  // namespace airvane
