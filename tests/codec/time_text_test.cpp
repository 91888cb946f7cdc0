#include "codec/time_text.h"
#include "model/settings_store.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A value field as the store hands it out: the encoders rewrite it in place.
struct Field {
    explicit Field(const char* text) { std::strncpy(value, text, sizeof value - 1); }
    char value[kSettingValueSize] = {};
};

TEST(TimeText, FiveSecondTextsEncodeToUnitsAndAreNormalisedInPlace) {
    struct Case {
        const char* text;
        uint8_t units;
        const char* after;
    } cases[] = {
        {"2:30", 30, "2:30"},
        {"0:07", 1, "0:07"},  // rounded towards zero, the seconds kept
        {"0:65", 13, "1:05"}, // seconds beyond a minute carry over
        {"10:00", 120, "10:00"},
        {"21:20", 0, "21:20"},        // 256 units: the low 8 bits
        {" 1:5x", 13, "1:05"},        // numbers end at the first non-digit
        {"abc:30", 6, "0:30"},        // no digits read as 0
        {"-1:00", 39, "71582787:16"}, // unsigned 32-bit arithmetic wraps
        {"10", 0, "10"},              // no colon: 0, text left alone
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        Field f(c.text);
        EXPECT_EQ(EncodeFiveSeconds(f.value), c.units) << c.text;
        EXPECT_STREQ(f.value, c.after) << c.text;
    }
    EXPECT_EQ(EncodeFiveSeconds(nullptr), 0);
}

TEST(TimeText, FiveSecondBytesAreLoweredToTheFieldMaximum) {
    struct Case {
        uint8_t units;
        int max;
        const char* text;
    } cases[] = {{0, 120, "0:00"},    {30, 120, "2:30"},   {120, 120, "10:00"},
                 {200, 120, "10:00"}, {200, 240, "16:40"}, {255, 240, "20:00"}};
    for (const Case& c : cases) {
        char text[16];
        FormatFiveSeconds(text, sizeof text, c.units, c.max);
        EXPECT_STREQ(text, c.text) << int(c.units) << " max " << c.max;
    }
}

TEST(TimeText, PulseTextsEncodeToHalfSecondsWithinTheirRange) {
    struct Case {
        const char* text;
        uint8_t halves;
        const char* after;
    } cases[] = {
        {"3.5", 7, "3.5"},
        {"1.0", 2, "1.0"},
        {"0", 1, "0.5"},
        {"200", 255, "127.5"},
        {"127.99", 255, "127.5"},
        {"0.74", 1, "0.5"},
        {"-5", 1, "0.5"},
        {" +2.25x", 4, "2.0"},
        {".5", 1, "0.5"},
        {"5.", 10, "5.0"},
        {"1e1", 20, "10.0"},
        {"1e400", 255, "127.5"},
        {"1e-400", 1, "0.5"},
        {"abc", 1, "0.5"},
        // Only decimal fractions: no hexadecimal, infinities or NaN.
        {"0x10", 1, "0.5"},
        {"inf", 1, "0.5"},
        {"nan", 1, "0.5"},
    };
    for (const Case& c : cases) {
        Field f(c.text);
        EXPECT_EQ(EncodeHalfSeconds(f.value), c.halves) << c.text;
        EXPECT_STREQ(f.value, c.after) << c.text;
    }
    EXPECT_EQ(EncodeHalfSeconds(nullptr), 1); // a missing setting reads as 0
}

TEST(TimeText, PulseBytesDecodeAsSecondsWithOneDecimal) {
    struct Case {
        uint8_t halves;
        const char* text;
    } cases[] = {{0, "0.0"}, {1, "0.5"}, {2, "1.0"}, {7, "3.5"}, {255, "127.5"}};
    for (const Case& c : cases) {
        char text[16];
        FormatHalfSeconds(text, sizeof text, c.halves);
        EXPECT_STREQ(text, c.text);
    }
}

TEST(TimeText, ClockTextsGiveHoursAndMinutes) {
    struct Case {
        const char* text;
        uint8_t hours, minutes;
    } cases[] = {
        {"7:30", 7, 30}, {"23:05", 23, 5}, {"7", 7, 0},           // no colon: minutes 0
        {"", 0, 0},      {":15", 0, 15},   {"300:1000", 44, 232}, // low 8 bits
    };
    for (const Case& c : cases) {
        uint8_t h = 99, m = 99;
        EncodeClock(c.text, &h, &m);
        EXPECT_EQ(h, c.hours) << c.text;
        EXPECT_EQ(m, c.minutes) << c.text;
    }
    uint8_t h = 99, m = 99;
    EncodeClock(nullptr, &h, &m);
    EXPECT_EQ(h + m, 0);
    char text[16];
    FormatClock(text, sizeof text, 7, 5);
    EXPECT_STREQ(text, "7:05");
    FormatClock(text, sizeof text, 255, 255);
    EXPECT_STREQ(text, "255:255");
}

} // namespace
