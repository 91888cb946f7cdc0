#pragma once
// A C library locale that writes a decimal comma, as the desktop's toolkit
// sets one from the environment; the "C" locale comes back afterwards.
// scripts/install-deps.sh generates de_DE.UTF-8.

#include <gtest/gtest.h>

#include <clocale>

class DecimalCommaLocale {
  public:
    DecimalCommaLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
            if (std::setlocale(LC_ALL, name))
                break;
    }
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, "C"); }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;
    static bool Active() { return std::localeconv()->decimal_point[0] == ','; }
};

#define SKIP_WITHOUT_DECIMAL_COMMA()                                                               \
    if (!DecimalCommaLocale::Active())                                                             \
    GTEST_SKIP() << "no decimal-comma locale: run scripts/install-deps.sh"
