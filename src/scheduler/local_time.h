// Local time as the scheduler reads it, and the clock it reads it from: the
// system's on Windows, a settable one in tests and in scdtool's plan.
#pragma once

#include <cstdint>

namespace airvane {

struct LocalTime {
    int year = 0, month = 0, day = 0;
    int dayOfWeek = 0;  // 0 = Sunday .. 6 = Saturday
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() = 0;
    // Sets the local time; false when the system refused.
    virtual bool setLocalTime(const LocalTime& time) = 0;
};

// 0 = Sunday .. 6 = Saturday, for a date of the Gregorian calendar.
int dayOfWeek(int year, int month, int day);

// The date, its weekday and the time of day from DaySeconds.
LocalTime localTimeAt(int year, int month, int day, int32_t daySeconds);
// Midnight of the day after, and of the day before.
LocalTime nextDay(const LocalTime& date);
LocalTime previousDay(const LocalTime& date);

}  // namespace airvane
