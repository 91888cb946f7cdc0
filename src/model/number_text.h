#pragma once
// Numbers in settings are read as the panel's PC platform reads them: the
// standard unsigned conversion with a 32-bit unsigned long. Every reader of
// numbers uses this one helper.

#include <cstdint>

// Leading white space, an optional sign, an optional 0x/0X for base 16,
// then digits up to the first non-digit. A minus gives the two's complement;
// a value beyond 32 bits gives 0xFFFFFFFF; no digits give 0. When end is
// given it receives the first character not used (text itself without digits).
uint32_t ParseUnsigned(const char* text, int base = 10, const char** end = nullptr);
