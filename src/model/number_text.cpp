#include "model/number_text.h"

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
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
    while (IsSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
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
