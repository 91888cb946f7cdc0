#pragma once
// Panel event times: seconds since 1 January 1970, signed 32-bit.

#include <cstdint>
#include <string>

struct EventTime {
    int day;
    int month;
    int year;
    int hour;
    int minute;
    int second;
};

EventTime ConvertEventTime(int32_t time);

// "%d/%d/%d %d:%02d:%02d": day, month, year, hour, minute, second.
std::string EventTimeText(int32_t time);
