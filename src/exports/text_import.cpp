#include "exports/text_import.h"

#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstdio>
#include <cstring>

namespace {

// The panel's test: the byte as a signed char, so 0x80..0xFF count as blank.
bool TrimmedByte(char c) {
    return static_cast<signed char>(c) <= 0x20;
}

void CentreSetting(const char* name) {
    if (char* value = SettingGet(name))
        CentreText(value);
}

} // namespace

void CentreText(char* value) {
    if (!value)
        return;
    size_t start = 0;
    while (value[start] != '\0' && TrimmedByte(value[start]))
        ++start;
    size_t length = std::strlen(value + start);
    std::memmove(value, value + start, length + 1);

    // From the end towards the start; reaching the first character means at
    // most one character is left, which stays uncentred.
    if (length == 0)
        return;
    size_t last = length - 1;
    while (last > 0 && TrimmedByte(value[last]))
        value[last--] = '\0';
    if (last == 0)
        return;
    length = last + 1;

    char centred[kDisplayTextWidth + 1];
    size_t left = length >= kDisplayTextWidth ? 0 : (kDisplayTextWidth - length) / 2;
    std::memset(centred, ' ', kDisplayTextWidth);
    std::memcpy(centred + left, value,
                length > kDisplayTextWidth - left ? kDisplayTextWidth - left : length);
    centred[kDisplayTextWidth] = '\0';
    std::memcpy(value, centred, kDisplayTextWidth + 1);
}

void CentreImportedTexts() {
    char name[40];
    for (int n = 1; n <= kLoopAddresses; ++n) {
        std::snprintf(name, sizeof name, "DeviceText_%d", n);
        CentreSetting(name);
    }
    for (int n = 1; n <= kZones; ++n) {
        std::snprintf(name, sizeof name, "ZoneText_%d", n);
        CentreSetting(name);
    }
    CentreSetting("BannerText_1");
    CentreSetting("BannerText_2");
}
