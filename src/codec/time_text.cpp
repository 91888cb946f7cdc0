#include "codec/time_text.h"

#include "model/number_text.h"
#include "model/settings_store.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// "%.1f" of halves / 2, written without the C library so that the locale of
// the process (a desktop may set a decimal comma) never changes the text.
void WriteHalves(char* out, size_t size, unsigned halves) {
    std::snprintf(out, size, "%u.%u", halves / 2, halves % 2 ? 5u : 0u);
}

} // namespace

void FormatFiveSeconds(char* out, size_t size, uint8_t units, int max) {
    unsigned seconds = (units > max ? static_cast<unsigned>(max) : units) * 5u;
    std::snprintf(out, size, "%u:%02u", seconds / 60, seconds % 60);
}

uint8_t EncodeFiveSeconds(char* text) {
    const char* colon = text ? std::strchr(text, ':') : nullptr;
    if (!colon)
        return 0;
    // Minutes and seconds are unsigned 32-bit numbers like every number in the
    // settings, so the total wraps as the panel PC's arithmetic does.
    uint32_t total = 60u * ParseUnsigned(text, 10) + ParseUnsigned(colon + 1, 10);
    std::snprintf(text, kSettingValueSize, "%u:%02u", static_cast<unsigned>(total / 60),
                  static_cast<unsigned>(total % 60));
    return static_cast<uint8_t>(total / 5);
}

void FormatHalfSeconds(char* out, size_t size, uint8_t halves) {
    WriteHalves(out, size, halves);
}

uint8_t EncodeHalfSeconds(char* text) {
    double seconds = text ? ParseDecimalFraction(text) : 0.0;
    if (seconds < 0.5)
        seconds = 0.5;
    if (seconds > 127.5)
        seconds = 127.5;
    auto halves = static_cast<unsigned>(seconds / 0.5); // towards zero; 1..255
    if (text)
        WriteHalves(text, kSettingValueSize, halves);
    return static_cast<uint8_t>(halves);
}

void FormatClock(char* out, size_t size, uint8_t hours, uint8_t minutes) {
    std::snprintf(out, size, "%u:%02u", static_cast<unsigned>(hours),
                  static_cast<unsigned>(minutes));
}

void EncodeClock(const char* text, uint8_t* hours, uint8_t* minutes) {
    *hours = static_cast<uint8_t>(ParseUnsigned(text, 10));
    // A time without a colon (say "7") still gives a byte pair: the hours from
    // its number and minutes 0; nothing is read beyond the text.
    const char* colon = text ? std::strchr(text, ':') : nullptr;
    *minutes = colon ? static_cast<uint8_t>(ParseUnsigned(colon + 1, 10)) : 0;
}

double ParseDecimalFraction(const char* text) {
    if (!text)
        return 0.0;
    const char* p = text;
    while (IsSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // Only the decimal form: the panel PC's conversion knows no hexadecimal
    // fractions, infinities or NaN, so such texts have no digits and give 0.
    const char* start = p;
    const char* q = p;
    while (IsDigit(*q))
        ++q;
    const char* intEnd = q;
    if (*q == '.') {
        const char* r = q + 1;
        while (IsDigit(*r))
            ++r;
        if (q > start || r > q + 1)
            q = r;
    }
    if (q == start)
        return 0.0;
    long exponent = 0;
    if (*q == 'e' || *q == 'E') {
        const char* r = q + 1;
        bool expNegative = false;
        if (*r == '+' || *r == '-') {
            expNegative = *r == '-';
            ++r;
        }
        if (IsDigit(*r)) {
            while (IsDigit(*r)) {
                if (exponent < 100000)
                    exponent = exponent * 10 + (*r - '0');
                ++r;
            }
            if (expNegative)
                exponent = -exponent;
            q = r;
        }
    }
    double value = 0.0;
    auto [end, error] = std::from_chars(start, q, value, std::chars_format::general);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Beyond what a double holds: decide between huge and tiny from the
        // decimal position of the first non-zero digit.
        const char* d = start;
        while (d < intEnd && *d == '0')
            ++d;
        long magnitude = 0;
        if (d < intEnd) {
            magnitude = static_cast<long>(intEnd - d);
        } else {
            const char* f = intEnd < q && *intEnd == '.' ? intEnd + 1 : intEnd;
            while (f < q && *f == '0') {
                --magnitude;
                ++f;
            }
        }
        value = magnitude + exponent > 0 ? 1e300 : 0.0;
    } else if (error != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}
