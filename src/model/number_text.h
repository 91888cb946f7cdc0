#pragma once
// Numbers in settings are read as the panel's PC platform reads them: the
// standard unsigned conversion with a 32-bit unsigned long. Every reader of
// numbers uses this one helper.

#include <cstddef>
#include <cstdint>
#include <string>

// Leading white space, an optional sign, an optional 0x/0X for base 16,
// then digits up to the first non-digit. A minus gives the two's complement;
// a value beyond 32 bits gives 0xFFFFFFFF; no digits give 0. When end is
// given it receives the first character not used (text itself without digits).
uint32_t ParseUnsigned(const char* text, int base = 10, const char** end = nullptr);

// A typed decimal number read with its sign, where a minus must stay below
// every range (ParseUnsigned would wrap "-4294967295" round to 1): blanks, one
// sign, then digits read as ParseUnsigned reads them. No digits give 0.
int64_t ParseSigned(const char* text);

// The leading decimal fraction of a text (pulse times such as "3.5"): blanks,
// a sign, digits with an optional point, an optional exponent; correctly
// rounded. No digits give 0. Every reader of fractions in settings uses it.
double ParseDecimalFraction(const char* text);

// value with exactly decimals digits (0 to 17) after a point: the text
// printf("%.*f") gives in the "C" locale, whatever locale the process has
// (a desktop may set one with a decimal comma). Every number with a
// fraction that goes into a setting or a file is written with it.
std::string FormatFixed(double value, int decimals);

// The name of a numbered setting: pattern with its first "%d" replaced by
// first and its second by second, as printf writes them ("Matrix_%d_%d"
// with 3 and 12 gives "Matrix_3_12"); "%%" gives one percent sign and any
// other character is copied. Cut to size - 1 characters with a NUL. A decode
// makes thousands of these names, and a formatted print for each cost more
// than the rest of the decode together.
void FormatNumberedName(char* out, size_t size, const char* pattern, int first, int second = 0);

// value in decimal with a NUL, as "%u" writes it; out holds at least 11 bytes.
void FormatUnsigned(char* out, uint32_t value);
