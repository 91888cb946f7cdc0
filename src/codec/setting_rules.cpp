#include "codec/setting_rules.h"

#include "codec/loop_record_layout.h"
#include "codec/site_image_layout.h"
#include "codec/time_text.h"
#include "model/number_text.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

enum class Kind {
    kNumber,       // decimal digits, min to max
    kHexNumber,    // hexadecimal digits, at most 32 bits
    kSignedNumber, // decimal with an optional minus, 32 bits
    kFlag,         // "0" or "1"
    kMatrixCell,   // one of the matrix codes
    kAccessCode,   // six digits of 1 to 4
    kText,         // at most max characters
    kFiveSeconds,  // "m:ss" in whole 5-second steps, at most max steps
    kHalfSeconds,  // seconds with one decimal, as the encoder writes them
    kClock,        // "h:mm", a time of day
};

struct Rule {
    const char* pattern; // a name, or a pattern with one or two %d
    int count;           // the numbers 1..count for the (first) %d
    int count2;          // the numbers 1..count2 for a second %d
    Kind kind;
    uint32_t min;
    uint32_t max;
};

constexpr uint32_t kByteMax = 255;
constexpr uint32_t kWordMax = 0xFFFF;
constexpr uint32_t kTwoBitMax = 3;

// Built once from the layout tables of the two codecs.
const std::vector<Rule>& Rules() {
    static const std::vector<Rule> rules = [] {
        using namespace site_image_layout;
        std::vector<Rule> r;
        auto one = [&r](const char* name, Kind kind, uint32_t min = 0, uint32_t max = 0) {
            r.push_back({name, 0, 0, kind, min, max});
        };
        one("SFRevision", Kind::kNumber, 1, 2); // the two format versions
        one("PanelSnum", Kind::kHexNumber);
        one("ContractorCode", Kind::kNumber, 0, kWordMax);
        for (const ByteField& field : kPlainBytes)
            one(field.name, Kind::kNumber, 0,
                field.offset == kBeaconFlashrate ? kMaxFlashRate : kByteMax);
        for (const ByteField& field : kFiveSecondTimes)
            one(field.name, Kind::kFiveSeconds, 0, kFiveSecondMax);
        for (const AccessCode& code : kAccessCodes)
            one(code.name, Kind::kAccessCode);
        for (const FlagBit& flag : kFlags)
            one(flag.name, Kind::kFlag);
        for (const TextField& field : kSiteDetailFields)
            one(field.name, Kind::kText, 0, static_cast<uint32_t>(field.size - 1));
        one("DisplayMode", Kind::kNumber, 0, kTwoBitMax);
        one("DisabledOPGroups", Kind::kSignedNumber);
        one("PulseOnTime", Kind::kHalfSeconds);
        one("PulseOffTime", Kind::kHalfSeconds);
        one("DayNightOnTime", Kind::kClock);
        one("DayNightOffTime", Kind::kClock);
        r.push_back({"Matrix_%d_%d", kGroups, kGroups, Kind::kMatrixCell, 0, 0});
        r.push_back({"OutputDelay_%d", kGroups, 0, Kind::kFiveSeconds, 0, kFiveSecondMax});
        r.push_back({"OutputDelayT2_%d", kGroups, 0, Kind::kFiveSeconds, 0, kFiveSecondMaxT2});
        r.push_back({"BannerText_%d", kBannerSlots, 0, Kind::kText, 0, kTextLength});
        r.push_back({"DeviceText_%d", kLoopAddresses, 0, Kind::kText, 0, kTextLength});
        r.push_back({"ZoneText_%d", kZones, 0, Kind::kText, 0, kTextLength});
        r.push_back({"AlarmType_%d", kZones, 0, Kind::kNumber, 0, kTwoBitMax});

        using namespace loop_record_layout;
        for (const loop_record_layout::ByteField& field : kByteFields)
            r.push_back({field.pattern, kLoopAddresses, 0, Kind::kNumber, 0, kByteMax});
        for (const NibbleField& field : kNibbleFields)
            r.push_back({field.pattern, kLoopAddresses, 0, Kind::kNumber, 0, kNibbleMax});
        r.push_back({kCoveragePattern, kLoopAddresses, 0, Kind::kNumber, 0, kCoverageMax});
        r.push_back({kSerialPattern, kLoopAddresses, 0, Kind::kHexNumber, 0, 0});
        return r;
    }();
    return rules;
}

// Reads a number of 1 to 3 digits without a leading zero at text; gives the
// characters used (0 when none).
size_t ReadIndex(const char* text, int* number) {
    if (text[0] < '1' || text[0] > '9')
        return 0;
    size_t used = 0;
    int n = 0;
    while (used < 3 && text[used] >= '0' && text[used] <= '9')
        n = n * 10 + (text[used++] - '0');
    *number = n;
    return used;
}

// True when name is the pattern with numbers in range in place of its %d.
bool Matches(const Rule& rule, const char* name) {
    const char* p = rule.pattern;
    const char* n = name;
    int which = 0;
    while (*p) {
        if (p[0] == '%' && p[1] == 'd') {
            int number = 0;
            size_t used = ReadIndex(n, &number);
            const int count = which == 0 ? rule.count : rule.count2;
            if (used == 0 || number > count)
                return false;
            n += used;
            p += 2;
            ++which;
            continue;
        }
        if (*p++ != *n++)
            return false;
    }
    return *n == '\0';
}

const Rule* RuleOf(const char* name) {
    if (!name)
        return nullptr;
    for (const Rule& rule : Rules())
        if (Matches(rule, name))
            return &rule;
    return nullptr;
}

bool AllDigits(const char* text, int base) {
    if (!*text)
        return false;
    for (const char* p = text; *p; ++p) {
        const bool digit = (*p >= '0' && *p <= '9') ||
                           (base == 16 && ((*p >= 'a' && *p <= 'f') || (*p >= 'A' && *p <= 'F')));
        if (!digit)
            return false;
    }
    return true;
}

// The value of an all-digits text, or max + 1 (saturated) when it is larger.
uint64_t DigitsValue(const char* text, int base, uint64_t max) {
    uint64_t v = 0;
    for (const char* p = text; *p; ++p) {
        const int d = *p <= '9' ? *p - '0' : (*p | 0x20) - 'a' + 10;
        v = v * base + d;
        if (v > max)
            return max + 1;
    }
    return v;
}

std::string Range(uint32_t min, uint32_t max) {
    return "a whole number from " + std::to_string(min) + " to " + std::to_string(max);
}

std::string NumberFault(const char* value, uint32_t min, uint32_t max) {
    if (!AllDigits(value, 10) || DigitsValue(value, 10, max) > max ||
        DigitsValue(value, 10, max) < min)
        return "must be " + Range(min, max);
    return {};
}

// The text the encoder would leave in the setting, run on a copy.
template <typename Encoder> std::string Encoded(const char* value, Encoder encode) {
    std::string field(kSettingValueSize, '\0');
    std::snprintf(field.data(), field.size(), "%s", value);
    encode(field.data());
    return field.c_str();
}

std::string FiveSecondsFault(const char* value, uint32_t maxUnits) {
    const uint32_t maxSeconds = maxUnits * 5;
    const std::string limit =
        "must be minutes and seconds m:ss in steps of 5 seconds, from 0:00 to " +
        std::to_string(maxSeconds / 60) + ":" + (maxSeconds % 60 < 10 ? "0" : "") +
        std::to_string(maxSeconds % 60);
    const char* colon = std::strchr(value, ':');
    if (!colon || colon == value || std::strlen(colon + 1) != 2)
        return limit;
    const std::string minutes(value, colon);
    if (!AllDigits(minutes.c_str(), 10) || !AllDigits(colon + 1, 10))
        return limit;
    const std::string normal = Encoded(value, [](char* t) { EncodeFiveSeconds(t); });
    if (normal != value)
        return limit + " (the panel would get " + normal + ")";
    const uint64_t seconds =
        DigitsValue(minutes.c_str(), 10, maxSeconds) * 60 + DigitsValue(colon + 1, 10, 59);
    if (seconds % 5 != 0 || seconds > maxSeconds)
        return limit;
    return {};
}

std::string HalfSecondsFault(const char* value) {
    const std::string normal = Encoded(value, [](char* t) { EncodeHalfSeconds(t); });
    if (normal != value)
        return "must be seconds with one decimal in steps of 0.5, from 0.5 to 127.5 (the panel "
               "would get " +
               normal + ")";
    return {};
}

std::string ClockFault(const char* value) {
    const char* colon = std::strchr(value, ':');
    const std::string hours = colon ? std::string(value, colon) : std::string();
    if (!colon || hours.size() > 2 || !AllDigits(hours.c_str(), 10) ||
        std::strlen(colon + 1) != 2 || !AllDigits(colon + 1, 10) ||
        DigitsValue(hours.c_str(), 10, 99) > 23 || DigitsValue(colon + 1, 10, 99) > 59)
        return "must be a time of day h:mm from 0:00 to 23:59";
    return {};
}

std::string AccessCodeFault(const char* value) {
    bool ok = std::strlen(value) == site_image_layout::kCodeLength;
    for (const char* p = value; ok && *p; ++p)
        ok = *p >= '1' && *p <= '4';
    return ok ? std::string() : "must be six digits, each 1 to 4";
}

std::string SignedFault(const char* value) {
    const bool minus = value[0] == '-';
    const char* digits = value + (minus ? 1 : 0);
    const uint64_t limit = minus ? 0x80000000u : 0xFFFFFFFFu;
    if (!AllDigits(digits, 10) || DigitsValue(digits, 10, limit) > limit)
        return "must be a whole number from -2147483648 to 4294967295";
    return {};
}

} // namespace

bool SettingHasPanelField(const char* name) {
    return RuleOf(name) != nullptr;
}

std::string SettingValueFault(const char* name, const char* value) {
    const Rule* rule = RuleOf(name);
    if (!rule || !value)
        return {};
    switch (rule->kind) {
    case Kind::kNumber:
        return NumberFault(value, rule->min, rule->max);
    case Kind::kHexNumber:
        if (!AllDigits(value, 16) || DigitsValue(value, 16, 0xFFFFFFFFu) > 0xFFFFFFFFu)
            return "must be a hexadecimal number from 0 to FFFFFFFF";
        return {};
    case Kind::kSignedNumber:
        return SignedFault(value);
    case Kind::kFlag:
        return std::strcmp(value, "0") == 0 || std::strcmp(value, "1") == 0
                   ? std::string()
                   : "must be 1 (on) or 0 (off)";
    case Kind::kMatrixCell:
        for (char code : site_image_layout::kMatrixCodes)
            if (value[0] == code && value[1] == '\0')
                return {};
        return "must be one of O, C, P, W";
    case Kind::kAccessCode:
        return AccessCodeFault(value);
    case Kind::kText: {
        const size_t length = std::strlen(value);
        if (length > rule->max)
            return "holds at most " + std::to_string(rule->max) +
                   " characters on the panel (it has " + std::to_string(length) + ")";
        return {};
    }
    case Kind::kFiveSeconds:
        return FiveSecondsFault(value, rule->max);
    case Kind::kHalfSeconds:
        return HalfSecondsFault(value);
    case Kind::kClock:
        return ClockFault(value);
    }
    return {};
}
