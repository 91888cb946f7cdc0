#include "exports/event_time.h"

#include <cstdio>

namespace {

constexpr int32_t kSecondsPerDay = 86400;
constexpr int32_t kDaysFrom1970To2000 = 10957;

// The panel counts every fourth year from 2000 as a leap year, which is
// right for the whole range of a signed 32-bit time (1901 to 2038).
bool LeapYear(int yearOffset) {
    return ((yearOffset % 4) + 4) % 4 == 0;
}

int MonthLength(int month, int yearOffset) {
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && LeapYear(yearOffset) ? 29 : kLengths[month - 1];
}

} // namespace

EventTime ConvertEventTime(int32_t time) {
    // Floor division: for times from 2000 on it is the panel's truncating
    // division; before 1970 it keeps the time of day positive.
    int32_t days = time / kSecondsPerDay;
    int32_t secondsOfDay = time % kSecondsPerDay;
    if (secondsOfDay < 0) {
        secondsOfDay += kSecondsPerDay;
        --days;
    }
    days -= kDaysFrom1970To2000;

    int yearOffset = 0;
    // The panel's month walk only runs forward from 2000. A time before that
    // (a clock that was never set) shows its real calendar date rather than a
    // day number of zero or below, so the engineer can see what it is.
    while (days < 0) {
        --yearOffset;
        days += LeapYear(yearOffset) ? 366 : 365;
    }
    int month = 1;
    while (days >= MonthLength(month, yearOffset) && yearOffset < 100) {
        days -= MonthLength(month, yearOffset);
        if (++month > 12) {
            month = 1;
            ++yearOffset;
        }
    }
    EventTime t;
    t.day = days + 1;
    t.month = month;
    t.year = 2000 + yearOffset;
    t.hour = secondsOfDay / 3600;
    t.minute = secondsOfDay % 3600 / 60;
    t.second = secondsOfDay % 60;
    return t;
}

std::string EventTimeText(int32_t time) {
    EventTime t = ConvertEventTime(time);
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d", t.day, t.month, t.year, t.hour,
                  t.minute, t.second);
    return text;
}
