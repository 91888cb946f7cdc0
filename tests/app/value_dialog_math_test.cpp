// The arithmetic of the seconds, pulse time and time of day dialogs.

#include "app/value_dialog_math.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

struct Case {
    const char* text;
    int direction;
    const char* expected;
};

TEST(ValueDialogMath, SecondsStepClampAndRound) {
    struct SecondsCase {
        const char* text;
        int direction, minimum, maximum, step;
        const char* expected;
    };
    const SecondsCase cases[] = {
        {"45", 0, 1, 30, 1, "30"},          {"20", +1, 1, 120, 1, "21"},
        {"1", -1, 1, 120, 1, "1"},          {"120", +1, 1, 120, 1, "120"},
        {"0", 0, 0, 255, 1, "0"},           {"", 0, 1, 30, 1, "1"},
        {"abc", +1, 0, 255, 1, "1"},        {"-5", 0, 0, 255, 1, "0"},
        {"300", -1, 0, 255, 1, "255"},      {"13", 0, 0, 100, 5, "10"},
        {"13", +1, 0, 100, 5, "15"},        {"9999", 0, 1, 30, 1, "30"},
        {"99999999999", 0, 0, 255, 1, "0"}, // beyond 32 bits reads as -1
    };
    for (const SecondsCase& c : cases)
        EXPECT_EQ(SecondsValue(c.text, c.direction, c.minimum, c.maximum, c.step), c.expected)
            << c.text << " " << c.direction;
}

TEST(ValueDialogMath, PulseTimesAreWholeHalfSeconds) {
    const Case cases[] = {
        {"0.3", 0, "0.5"},   {"2.74", 0, "2.5"}, {"???", 0, "0.5"},  {"", +1, "0.5"},
        {"1.0", +1, "1.5"},  {"1.0", -1, "0.5"}, {"0.5", -1, "0.5"}, {"127.5", +1, "127.5"},
        {"200", 0, "127.5"}, {"2.99", 0, "2.5"}, {"3", 0, "3.0"},    {"-4", +1, "0.5"},
        {"1e9", 0, "127.5"}, {"2,5", 0, "2.0"}, // a comma is no decimal point
    };
    for (const Case& c : cases)
        EXPECT_EQ(PulseTimeValue(c.text, c.direction), c.expected) << c.text << " " << c.direction;
}

TEST(ValueDialogMath, PulseTimesIgnoreTheLocale) {
    const std::string before = setlocale(LC_NUMERIC, nullptr);
    if (!setlocale(LC_NUMERIC, "de_DE.UTF-8") && !setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no decimal-comma locale installed";
    EXPECT_EQ(PulseTimeValue("2.74", 0), "2.5");
    EXPECT_EQ(PulseTimeValue("1.0", +1), "1.5");
    setlocale(LC_NUMERIC, before.c_str());
}

TEST(ValueDialogMath, TimeOfDayGoesRoundTheClock) {
    const Case cases[] = {
        {"23:59", +1, "0:00"}, {"0:00", -1, "23:59"}, {"25:10", 0, "0:10"},  {"25:10", +1, "0:11"},
        {"7:59", +1, "8:00"},  {"8:00", -1, "7:59"},  {"12:60", 0, "12:00"}, {"abc", 0, "0:00"},
        {"abc", -1, "23:59"},  {"-1:30", 0, "0:30"},  {"6:5", 0, "6:05"},    {"", +1, "0:01"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TimeOfDayValue(c.text, c.direction), c.expected) << c.text << " " << c.direction;
}

} // namespace
