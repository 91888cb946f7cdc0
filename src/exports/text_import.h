#pragma once
// Bringing imported display texts into the panel's form: trimmed and
// centred in one display line of 20 characters.

constexpr int kDisplayTextWidth = 20;

// Changes the value in place (a value field of at least 21 bytes). Bytes up
// to 0x20 taken as signed (blanks, control characters, 0x80 and up) are
// trimmed from both ends; an empty or one-character result stays as it is.
void CentreText(char* value);

// CentreText on DeviceText_1..192, ZoneText_1..32, BannerText_1 and _2 of the
// current store, where they exist.
void CentreImportedTexts();
