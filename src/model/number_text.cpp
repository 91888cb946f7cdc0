#include "model/number_text.h"

#include <charconv>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Moves p past leading white space and one sign; true when the sign is minus.
bool SkipSpaceAndSign(const char*& p) {
    while (IsSpace(*p))
        ++p;
    if (*p != '+' && *p != '-')
        return false;
    return *p++ == '-';
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 99;
}

} // namespace

uint32_t ParseUnsigned(const char* text, int base, const char** end) {
    if (end)
        *end = text;
    if (!text)
        return 0;
    const char* p = text;
    const bool negative = SkipSpaceAndSign(p);
    if (base == 16 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && DigitValue(p[2]) < 16)
        p += 2;
    const char* digits = p;
    uint64_t value = 0;
    bool overflow = false;
    while (DigitValue(*p) < base) {
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(DigitValue(*p));
        if (value > 0xFFFFFFFFull) {
            overflow = true;
            value = 0xFFFFFFFFull;
        }
        ++p;
    }
    if (p == digits)
        return 0; // no conversion: end stays at the text's start
    if (end)
        *end = p;
    if (overflow)
        return 0xFFFFFFFFu;
    uint32_t result = static_cast<uint32_t>(value);
    return negative ? 0u - result : result;
}

int64_t ParseSigned(const char* text) {
    if (!text)
        return 0;
    const char* p = text;
    const bool negative = SkipSpaceAndSign(p);
    if (!IsDigit(*p))
        return 0; // a second sign or a blank after the sign: no number
    const int64_t magnitude = ParseUnsigned(p);
    return negative ? -magnitude : magnitude;
}

double ParseDecimalFraction(const char* text) {
    if (!text)
        return 0.0;
    const char* p = text;
    const bool negative = SkipSpaceAndSign(p);
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

std::string FormatFixed(double value, int decimals) {
    decimals = decimals < 0 ? 0 : decimals > 17 ? 17 : decimals;
    char text[400]; // the largest double has 309 digits before the point
    auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return error == std::errc() ? std::string(text, end) : std::string();
}

void FormatUnsigned(char* out, uint32_t value) {
    *std::to_chars(out, out + 10, value).ptr = '\0';
}

void FormatNumberedName(char* out, size_t size, const char* pattern, int first, int second) {
    if (size == 0)
        return;
    char* const last = out + size - 1; // the NUL's place
    const char* p = pattern;
    int used = 0;
    for (;;) {
        while (*p && *p != '%' && out != last)
            *out++ = *p++;
        if (!*p || out == last)
            break;
        if (p[1] == '%' || p[1] != 'd' || used == 2) {
            *out++ = '%'; // "%%", or a percent sign that converts nothing
            p += p[1] == '%' ? 2 : 1;
            continue;
        }
        p += 2;
        const int n = used++ == 0 ? first : second;
        // Digits from the last, in unsigned arithmetic so that the most
        // negative int has a magnitude too.
        unsigned magnitude = n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n);
        char digits[12];
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude > 0);
        if (n < 0)
            digits[count++] = '-';
        while (count > 0 && out != last)
            *out++ = digits[--count];
    }
    *out = '\0';
}
