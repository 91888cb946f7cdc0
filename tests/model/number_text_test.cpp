#include "model/decimal_comma_locale.h"
#include "model/number_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

TEST(ParseUnsigned, BehavesLikeA32BitStandardConversion) {
    struct Case {
        const char* text;
        int base;
        uint32_t value;
        int used; // characters taken
    } cases[] = {
        {"123", 10, 123, 3},
        {"  -5x", 10, 0xFFFFFFFBu, 4},
        {"x", 10, 0, 0},
        {"", 10, 0, 0},
        {"-", 10, 0, 0},
        {" +", 10, 0, 0},
        {"4294967296", 10, 0xFFFFFFFFu, 10},
        {"-4294967296", 10, 0xFFFFFFFFu, 11},
        {"00C4", 16, 0xC4, 4},
        {"0x1f", 16, 0x1F, 4},
        {"0xg", 16, 0, 1},
        {"ffffffff", 16, 0xFFFFFFFFu, 8},
        {"123456789", 16, 0xFFFFFFFFu, 9},
        {"777", 8, 0777, 3},
        {"089", 8, 0, 1},
        {"8", 8, 0, 0},
    };
    for (const Case& c : cases) {
        const char* end = nullptr;
        EXPECT_EQ(ParseUnsigned(c.text, c.base, &end), c.value) << c.text;
        EXPECT_EQ(end - c.text, c.used) << c.text;
    }
    EXPECT_EQ(ParseUnsigned(nullptr, 10), 0u);
}

TEST(ParseSigned, KeepsAMinusBelowEveryRange) {
    struct Case {
        const char* text;
        int64_t value;
    } cases[] = {
        {"7", 7},
        {" +7", 7},
        {"-0", 0},
        {"-4294967295", -4294967295LL},
        {"-1", -1},
        {"--5", 0},
        {"- 5", 0},
        {"99999999999", 0xFFFFFFFFLL},
        {"-99999999999", -0xFFFFFFFFLL},
        {"30x", 30},
        {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseSigned(c.text), c.value) << c.text;
    EXPECT_EQ(ParseSigned(nullptr), 0);
}

TEST(ParseDecimalFraction, ReadsOnlyTheDecimalForm) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"3.5", 3.5},  {"35e-1", 3.5},   {" +.5s", 0.5},  {"-2.", -2.0},   {"1.0", 1.0},
        {"0x10", 0.0}, {"inf", 0.0},     {"nan", 0.0},    {".", 0.0},      {"", 0.0},
        {"7e", 7.0},   {"1e999", 1e300}, {"1e-999", 0.0}, {"12abc", 12.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseDecimalFraction(c.text), c.value) << c.text;
    EXPECT_EQ(ParseDecimalFraction(nullptr), 0.0);
}

TEST(FormatFixed, WritesWhatTheCLocaleWritesWhateverTheLocale) {
    std::vector<double> values = {0.0,     -0.0, 0.125, 0.135, 2.675, 12.4f,  14.9f,
                                  599.995, 1e-9, 1e300, -3.5,  0.5,   1.0 / 3};
    std::mt19937 random(720);
    std::uniform_real_distribution<float> milliamps(0.0f, 2000.0f);
    for (int i = 0; i < 2000; ++i)
        values.push_back(milliamps(random));
    auto check = [&] {
        for (double v : values)
            for (int decimals : {0, 1, 2, 6}) {
                char expected[400];
                std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
                ASSERT_EQ(FormatFixed(v, decimals), expected) << v << " " << decimals;
            }
    };
    check();
    std::vector<std::string> plain;
    for (double v : values)
        plain.push_back(FormatFixed(v, 2));
    DecimalCommaLocale comma;
    SKIP_WITHOUT_DECIMAL_COMMA();
    for (size_t i = 0; i < values.size(); ++i)
        ASSERT_EQ(FormatFixed(values[i], 2), plain[i]);
    EXPECT_EQ(FormatFixed(12.4, 2), "12.40");
}

TEST(FormatNumberedName, WritesWhatPrintfWrites) {
    struct Case {
        const char* pattern;
        int first, second;
    };
    const Case cases[] = {
        {"Matrix_%d_%d", 3, 12}, {"DeviceText_%d", 192, 0},  {"Zone_%d", 0, 0},
        {"Zone_%d", -7, 0},      {"SNum_%d", 2147483647, 0}, {"X_%d", -2147483647 - 1, 0},
        {"NoNumber", 5, 6},      {"100%%_%d", 4, 0},
    };
    for (const Case& c : cases)
        for (size_t size : {size_t{128}, size_t{8}, size_t{1}}) {
            char expected[128];
            char got[129];
            std::memset(got, '#', sizeof got);
            std::snprintf(expected, size, c.pattern, c.first, c.second);
            FormatNumberedName(got, size, c.pattern, c.first, c.second);
            EXPECT_STREQ(got, expected) << c.pattern << " " << size;
            EXPECT_EQ(got[size], '#') << "wrote past " << size; // never beyond the size given
        }
    char untouched = '#';
    FormatNumberedName(&untouched, 0, "Zone_%d", 1);
    EXPECT_EQ(untouched, '#');
}

TEST(FormatUnsigned, WritesWhatPrintfWrites) {
    for (uint32_t v : {0u, 7u, 10u, 4294967295u, 1000000000u}) {
        char expected[16];
        char got[16];
        std::snprintf(expected, sizeof expected, "%u", v);
        FormatUnsigned(got, v);
        EXPECT_STREQ(got, expected);
    }
}
