#include "app/value_dialog_math.h"

#include "codec/time_text.h"
#include "model/number_text.h"

#include <algorithm>
#include <cstdio>

namespace {

// A number of the edit as the platform reads it: the unsigned conversion,
// taken as a signed 32-bit value so that "-1" is -1.
int64_t SignedNumber(const char* text) {
    return static_cast<int32_t>(ParseUnsigned(text, 10));
}

int64_t RoundDown(int64_t value, int64_t step) {
    if (step <= 0)
        return value;
    int64_t rest = value % step;
    return rest < 0 ? value - rest - step : value - rest;
}

} // namespace

std::string SecondsValue(const std::string& text, int direction, int32_t minimum, int32_t maximum,
                         int32_t step) {
    int64_t v = SignedNumber(text.c_str()) + static_cast<int64_t>(direction) * step;
    v = std::clamp<int64_t>(v, minimum, std::max(minimum, maximum));
    v = RoundDown(v, step);
    return std::to_string(v);
}

std::string PulseTimeValue(const std::string& text, int direction) {
    double v = ParseDecimalFraction(text.c_str()) + 0.5 * direction;
    if (!(v >= 0.5)) // also a text that reads as no number at all
        v = 0.5;
    if (v > 127.5)
        v = 127.5;
    char out[16];
    FormatHalfSeconds(out, sizeof out, static_cast<uint8_t>(v / 0.5));
    return out;
}

std::string TimeOfDayValue(const std::string& text, int direction) {
    int64_t hours = 0, minutes = 0;
    const size_t colon = text.find(':');
    if (colon != std::string::npos) {
        hours = SignedNumber(text.c_str());
        minutes = SignedNumber(text.c_str() + colon + 1);
        if (hours < 0 || hours > 23)
            hours = 0;
        if (minutes < 0 || minutes > 59)
            minutes = 0;
    }
    constexpr int64_t kDay = 24 * 60;
    const int64_t total = ((hours * 60 + minutes + direction) % kDay + kDay) % kDay;
    char out[16];
    std::snprintf(out, sizeof out, "%d:%02d", static_cast<int>(total / 60),
                  static_cast<int>(total % 60));
    return out;
}
