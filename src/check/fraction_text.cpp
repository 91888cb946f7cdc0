#include "check/fraction_text.h"

#include <charconv>
#include <cstring>

double ParseFraction(const char* text) {
    if (!text)
        return 0.0;
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (*p == '+' || *p == '-')
        return 0.0; // a second sign: no number
    const char* end = p + std::strlen(p);
    double value = 0.0;
    std::from_chars_result r{};
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        r = std::from_chars(p + 2, end, value, std::chars_format::hex);
        if (r.ec == std::errc::invalid_argument)
            value = 0.0; // "0x" without hex digits reads as the 0 before it
    } else {
        r = std::from_chars(p, end, value, std::chars_format::general);
        if (r.ec == std::errc::invalid_argument)
            return 0.0;
    }
    if (r.ec == std::errc::result_out_of_range) {
        // Far too large or too small: the standard conversion gives an
        // extreme or 0; callers compare with exact times, which it never is.
        value = 0.0;
    }
    return negative ? -value : value;
}
