#include "model/number_text.h"

#include <gtest/gtest.h>

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
