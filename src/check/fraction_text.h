#pragma once
// Decimal fractions in settings (pulse times such as "3.5"), read as the C
// locale's standard conversion reads them, whatever locale the program runs in.

// Leading white space, an optional sign, then a decimal or 0x-hexadecimal
// number, "inf" or "nan". Text without a number gives 0.
double ParseFraction(const char* text);
