#include "check/design_check.h"

#include "model/device_types.h"
#include "model/number_text.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kFaultLimit = 20;
constexpr int kReportLimit = kDesignReportSize - 1; // characters, without the NUL

// Collects the fault lines. Every fault counts; once a line does not fit in
// the caller's buffer no further line is appended, so the report is always a
// run of whole lines from the start.
struct Report {
    char* text = nullptr;
    int length = 0;
    bool full = false;
    int faults = 0;

    void AppendV(const char* format, va_list args) {
        if (!text || full)
            return;
        char line[256];
        int n = std::vsnprintf(line, sizeof line, format, args);
        if (n < 0 || n >= static_cast<int>(sizeof line) || length + n > kReportLimit) {
            full = true;
            return;
        }
        std::memcpy(text + length, line, static_cast<size_t>(n) + 1);
        length += n;
    }
    void Append(const char* format, ...) {
        va_list args;
        va_start(args, format);
        AppendV(format, args);
        va_end(args);
    }
    void Fault(const char* format, ...) {
        ++faults;
        va_list args;
        va_start(args, format);
        AppendV(format, args);
        va_end(args);
    }
};

const char* Get(const char* format, unsigned number) {
    char name[40];
    std::snprintf(name, sizeof name, format, number);
    return SettingGet(name);
}

const char* GetCell(unsigned inputGroup, unsigned outputGroup) {
    char name[40];
    std::snprintf(name, sizeof name, "Matrix_%u_%u", inputGroup, outputGroup);
    return SettingGet(name);
}

uint32_t Number(const char* value) {
    return ParseUnsigned(value, 10);
}

// Numbers of the address under examination are taken as their low 8 bits.
unsigned Low8(const char* value) {
    return Number(value) & 0xFFu;
}

bool Blank(const char* text) {
    while (*text == ' ')
        ++text;
    return *text == '\0';
}

bool Flag(const char* name) {
    return SettingGetInt(name) != 0;
}

// One setting of every address, read once per run. The group numbers of
// other addresses are compared whole.
struct AddressNumbers {
    bool exists[kLoopAddresses + 1] = {};
    uint32_t number[kLoopAddresses + 1] = {};

    void Read(const char* format) {
        for (unsigned b = 1; b <= kLoopAddresses; ++b) {
            const char* value = Get(format, b);
            exists[b] = value != nullptr;
            number[b] = value ? Number(value) : 0;
        }
    }
    bool AnyEquals(uint32_t n) const {
        for (int b = 1; b <= kLoopAddresses; ++b)
            if (exists[b] && number[b] == n)
                return true;
        return false;
    }
};

// What the checks ask of the whole site, gathered once per run in place of
// a scan over all addresses for every question.
struct SiteTables {
    AddressNumbers types, outputGroups, inputGroups;
    bool outputUsed[kGroups + 1] = {};              // some address has OPGroup o
    bool inputUsed[kGroups + 1] = {};               // some address has IPGroup g
    bool cellActive[kGroups + 1][kGroups + 1] = {}; // [g][o]: exists, not "O..."
    bool classChange = false;
    bool remoteAlarmInput = false;
    uint32_t convAlarmOpGroup = 0;

    void Read() {
        types.Read("Type_%u");
        outputGroups.Read("OPGroup_%u");
        inputGroups.Read("IPGroup_%u");
        for (unsigned g = 1; g <= kGroups; ++g) {
            outputUsed[g] = outputGroups.AnyEquals(g);
            inputUsed[g] = inputGroups.AnyEquals(g);
            for (unsigned o = 1; o <= kGroups; ++o) {
                const char* cell = GetCell(g, o);
                cellActive[g][o] = cell && cell[0] != 'O';
            }
        }
        classChange = Flag("ClassChange");
        remoteAlarmInput = Flag("RemoteAlarmInput");
        convAlarmOpGroup = SettingGetInt("ConvAlarmOpGroup");
    }
    // An input group that something on the site drives.
    bool InputInUse(unsigned g) const {
        return inputUsed[g] || (g == 30 && classChange) || (g == 31 && remoteAlarmInput);
    }
};

bool IsVadType(unsigned t) {
    static constexpr uint8_t kVadTypes[] = {158, 161, 164, 165, 209, 211, 213,
                                            214, 216, 217, 219, 220, 221};
    for (uint8_t v : kVadTypes)
        if (v == t)
            return true;
    return false;
}

struct Totals {
    float quiescent = 0.0f;
    float alarm = 0.0f;
};

void CheckInputSide(Report& r, const SiteTables& site, unsigned a) {
    const char* ipGroup = Get("IPGroup_%u", a);
    if (!ipGroup)
        return;
    unsigned g = Low8(ipGroup);
    if (g == 0 || g >= 32) {
        r.Fault("Input group at address %u\r\n", a);
        return;
    }
    int used = 0;
    for (unsigned o = 1; o <= kGroups; ++o) {
        if (!site.cellActive[g][o])
            continue;
        if (site.outputUsed[o] || site.convAlarmOpGroup == o)
            ++used;
        else
            r.Fault("Input group %u at address %u activates unused output group %u\r\n", g, a, o);
    }
    if (used == 0)
        r.Fault("Input group at address %u doesn't activate any output group\r\n", a);
}

void CheckOutputSide(Report& r, const SiteTables& site, unsigned a) {
    const char* opGroup = Get("OPGroup_%u", a);
    if (!opGroup)
        return;
    unsigned o = Low8(opGroup);
    if (o == 0 || o >= 33) {
        r.Fault("Output group at address %u\r\n", a);
        return;
    }
    int used = 0;
    for (unsigned g = 1; g <= 31; ++g) {
        if (!site.cellActive[g][o])
            continue;
        if (site.InputInUse(g))
            ++used;
        else
            r.Fault("Output group %u at address %u activated by unused input group %u\r\n", o, a,
                    g);
    }
    if (used == 0)
        r.Fault("No input group triggers output group %u at address %u\r\n", o, a);
}

void CheckTalking(Report& r, const SiteTables& site, unsigned a) {
    const char* opGroup = Get("OPGroup_%u", a);
    if (!opGroup)
        return;
    unsigned o = Low8(opGroup);
    for (unsigned b = 1; b <= kLoopAddresses; ++b) {
        if (!site.outputGroups.exists[b] || site.outputGroups.number[b] != o ||
            !site.types.exists[b])
            continue;
        uint32_t tb = site.types.number[b];
        const DeviceType* other = tb <= 0xFF ? FindDeviceType(static_cast<uint8_t>(tb)) : nullptr;
        if (other && !other->talking && (other->output || other->beaconPart))
            r.Fault("Talking device at address %u in same output group as non talking device at "
                    "address %u\r\n",
                    a, b);
    }
}

// Every check of one address, in report order.
void CheckAddress(Report& r, const SiteTables& site, bool zoneSeen[], Totals& totals, unsigned a) {
    if (!site.types.exists[a])
        return;
    unsigned t = site.types.number[a] & 0xFFu;
    const char* deviceText = Get("DeviceText_%u", a);
    if (t == 0) {
        if (deviceText && !Blank(deviceText))
            r.Fault("Text but no device at address %u\r\n", a);
        return;
    }
    const DeviceType* type = FindDeviceType(static_cast<uint8_t>(t));
    if (!type) {
        r.Fault("Unsupported device at address %u\r\n", a);
        return;
    }
    totals.quiescent += type->quiescentMilliamps;
    totals.alarm += type->alarmMilliamps;

    if (const char* version = Get("Version_%u", a)) {
        unsigned v = Low8(version);
        if (v == 0 || v == 255 || v < type->minimumVersion)
            r.Fault("Software version at address %u\r\n", a);
        if (IsVadType(t) && v >= 20) {
            const char* flashRate = SettingGet("BeaconFlashrate");
            if (flashRate && Number(flashRate) < 2)
                r.Fault("VAD at address %u flash rate should be 2 seconds\r\n", a);
        }
    }
    if (type->input)
        CheckInputSide(r, site, a);
    if (type->output)
        CheckOutputSide(r, site, a);
    if (type->beaconPart) {
        const char* opGroup = Get("OPGroup_%u", a);
        if (opGroup && Low8(opGroup) == 32 && Flag("Beacon"))
            r.Fault("Group is 32 & Beacon OPGrp+1 at address %u\r\n", a);
    }
    if (deviceText && Blank(deviceText))
        r.Fault("Device text for address %u\r\n", a);
    if (const char* zone = Get("Zone_%u", a)) {
        unsigned z = Low8(zone);
        if (z == 0 || z > static_cast<unsigned>(kZones)) {
            r.Fault("Zone number for address %u\r\n", a);
        } else if (!zoneSeen[z]) {
            zoneSeen[z] = true;
            // A zone in use without any text is as bad as a blank one.
            const char* zoneText = Get("ZoneText_%u", z);
            if (!zoneText || Blank(zoneText))
                r.Fault("Zone text for zone %u\r\n", z);
        }
    }
    if (const char* mapNode = Get("MapNode_%u", a)) {
        unsigned m = Low8(mapNode);
        if (m == 0 || m > static_cast<unsigned>(kLoopAddresses))
            r.Fault("Map node for address %u\r\n", a);
    }
    if (t == 64 || t == 65 || t == 197) {
        // The class is compared whole: a value such as 257 is an unknown
        // class, not "Manual".
        const char* deviceClass = Get("Class_%u", a);
        if (deviceClass && Number(deviceClass) != 1)
            r.Fault("Class for address %u is not 'Manual'\r\n", a);
    }
    if (AllowedSensModes(static_cast<uint8_t>(t)) != 0) {
        const char* sens1 = Get("Sens1_%u", a);
        if (sens1 && Low8(sens1) == 0)
            r.Fault("Sensitivity 1 for address %u\r\n", a);
        const char* sens2 = Get("Sens2_%u", a);
        if (sens2 && Low8(sens2) == 0)
            r.Fault("Sensitivity 2 for address %u\r\n", a);
    }
    if (type->talking)
        CheckTalking(r, site, a);
}

// A panel input's matrix row (31 remote alarm, 30 class change).
void CheckPanelInput(Report& r, const SiteTables& site, unsigned row, const char* unusedFormat,
                     const char* noneText) {
    int used = 0;
    for (unsigned o = 1; o <= kGroups; ++o) {
        if (!site.cellActive[row][o])
            continue;
        if (site.outputUsed[o])
            ++used;
        else
            r.Fault(unusedFormat, o);
    }
    if (used == 0)
        r.Fault("%s", noneText);
}

void PutCurrent(const char* name, float milliamps) {
    SettingPut(name, (FormatFixed(milliamps, 2) + "mA").c_str());
}

} // namespace

int CheckDesign(char* report) {
    Report r;
    r.text = report;
    if (report)
        report[0] = '\0';

    SiteTables site;
    site.Read();
    bool zoneSeen[kZones + 1] = {};
    Totals totals;

    // Addresses. The count is tested before each address only, so one address can
    // take it past the limit.
    for (unsigned a = 1; a <= kLoopAddresses && r.faults < kFaultLimit; ++a)
        CheckAddress(r, site, zoneSeen, totals, a);

    // Matrix rows of unused input groups: always the whole matrix.
    for (unsigned o = 1; o <= kGroups; ++o)
        for (unsigned g = 1; g <= 31; ++g)
            if (site.cellActive[g][o] && !site.InputInUse(g))
                r.Fault("Output group %u is activated by unused input group %u\r\n", o, g);

    // Pulse timing.
    if (SettingGetInt("Language") == 1) {
        const char* on = SettingGet("PulseOnTime");
        if (on && ParseDecimalFraction(on) != 3.5)
            r.Fault("Pulse on time not 3.5s\r\n");
        const char* off = SettingGet("PulseOffTime");
        if (off && ParseDecimalFraction(off) != 0.5)
            r.Fault("Pulse off time not 0.5s\r\n");
    }

    // Remote alarm input and class change.
    if (site.remoteAlarmInput)
        CheckPanelInput(r, site, 31, "Remote Alarm Input activates unused output group %u\r\n",
                        "Remote Alarm Input doesn't activate any output group\r\n");
    if (site.classChange)
        CheckPanelInput(r, site, 30, "Class change activates unused output group %u\r\n",
                        "Class change doesn't activate any output group\r\n");

    // Site details. Blanks count as a value here; only an empty text is a fault.
    static constexpr const char* kSiteDetails[] = {
        "SiteNumber",     "SiteName",        "SiteContact",
        "SiteAddress",    "SitePostcode",    "SitePhone",
        "SiteComments",   "SiteEngineer",    "SiteCommission",
        "SiteResistance", "SiteQuiescent",   "SiteAlarm",
        "SiteBattery",    "SiteBatteryType", "SiteBatteryInstallation",
    };
    for (const char* name : kSiteDetails) {
        const char* value = SettingGet(name);
        if (value && value[0] == '\0')
            r.Fault("Site Info '%s' requires a value\r\n", name);
    }

    // Loop current.
    if (totals.alarm > 600.0f)
        r.Fault("Alarm current greater than 600mA\r\n");

    // Overflow line: not a fault, no line end.
    if (r.faults >= kFaultLimit)
        r.Append("* * * More than %u faults * * *", static_cast<unsigned>(kFaultLimit));

    // Results kept in the store on every run.
    PutCurrent("QuiescentCurrent", totals.quiescent);
    PutCurrent("AlarmCurrent", totals.alarm);
    return r.faults;
}
