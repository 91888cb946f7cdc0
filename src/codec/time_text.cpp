#include "codec/time_text.h"

#include "model/number_text.h"
#include "model/settings_store.h"

#include <cstdio>
#include <cstring>

namespace {

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
