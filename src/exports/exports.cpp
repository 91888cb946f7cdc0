#include "exports/exports.h"

#include "exports/csv_field.h"

#include "model/device_types.h"
#include "model/file_io.h"
#include "model/number_text.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

const char* Get(const char* format, int number) {
    char name[40];
    std::snprintf(name, sizeof name, format, number);
    return SettingGet(name);
}

uint32_t Number(const char* value) {
    return ParseUnsigned(value, 10);
}

// Values are written as stored, without quoting; a missing setting leaves
// its field empty but keeps the separator.
void Field(std::string& out, const char* text, const char* separator) {
    if (text)
        out += text;
    out += separator;
}

// A field of free text (a matrix cell, a delay, a display text): quoted
// where it would otherwise split or end the line.
void TextField(std::string& out, const char* text, const char* separator) {
    AppendCsvField(out, text);
    out += separator;
}

void DeviceLine(std::string& out, int n) {
    out += std::to_string(n) + ", ";
    Field(out, Get("SNum_%d", n), ", ");
    const char* type = Get("Type_%d", n);
    uint8_t typeCode = static_cast<uint8_t>(type ? Number(type) : 0);
    if (type)
        out += std::string_view(DeviceTypeName(typeCode)).substr(0, 10);
    out += ", ";
    Field(out, Get("Version_%d", n), ", ");
    Field(out, Get("MapNode_%d", n), ", ");
    Field(out, Get("Zone_%d", n), ", ");
    const char* sens1 = Get("Sens1_%d", n);
    Field(out, sens1 ? SensModeName(sens1) : nullptr, ", ");
    const char* sens2 = Get("Sens2_%d", n);
    Field(out, sens2 ? SensModeName(sens2) : nullptr, ", ");
    Field(out, Get("IPGroup_%d", n), ", ");
    Field(out, Get("OPGroup_%d", n), ", ");
    Field(out, Get("DisplayGroup_%d", n), ", ");
    Field(out, Get("RptGroup_%d", n), ", ");
    const char* volume = VolumeName(Get("Volume_%d", n));
    Field(out, volume, ", ");
    const char* deviceClass = Get("Class_%d", n);
    Field(out, deviceClass ? ClassName(Number(deviceClass)) : nullptr, ", ");
    out += Get("NonLatching_%d", n) ? "Non-Latching," : "Latching,";
    const char* coverage = Get("Coverage_%d", n);
    if (coverage) {
        const char* name = CoverageName(typeCode, Number(coverage));
        out += name ? name : "N/A";
    }
    out += "\r\n";
}

void MatrixRowLabel(std::string& out, int inputGroup) {
    if (inputGroup == 30 && SettingGetInt("ClassChange") != 0)
        out += "Class Change,";
    else if (inputGroup == 31 && SettingGetInt("RemoteAlarmInput") != 0)
        out += "Remote Alarm,";
    else if (inputGroup == 32)
        out += "Sound Alarms,";
    else
        out += "IPG" + std::to_string(inputGroup) + ",";
}

} // namespace

std::string DeviceDataCsv() {
    std::string file = "Address,Serial number,Type,Version,Map node,Zone,Day Sens,Night Sens,"
                       "Input group,Output group,Display group,Repeat group,Volume,Class,"
                       "Non Latching,Coverage\r\n";
    file.reserve(192 * 120);
    for (int n = 1; n <= kLoopAddresses; ++n)
        DeviceLine(file, n);
    return file;
}

std::string MatrixCsv() {
    std::string file = ",";
    file.reserve(8192);
    uint32_t disabled = SettingGetInt("DisabledOPGroups");
    for (int g = 1; g <= kGroups; ++g)
        file += disabled & (1u << (g - 1)) ? "X," : "OPG" + std::to_string(g) + ",";
    file += "\r\nOutput delay T1,";
    for (int g = 1; g <= kGroups; ++g) {
        const char* delay = Get("OutputDelay_%d", g);
        TextField(file, delay ? delay : "0:00", ",");
    }
    file += "\r\nOutput delay T2,";
    for (int g = 1; g <= kGroups; ++g) {
        const char* delay = Get("OutputDelayT2_%d", g);
        TextField(file, delay ? delay : "0:00", ",");
    }
    file += "\r\nAlarm type,";
    for (int g = 1; g <= kGroups; ++g) {
        const char* alarmType = Get("AlarmType_%d", g);
        Field(file, alarmType ? AlarmTypeName(alarmType) : nullptr, ",");
    }
    file += "\r\n";
    for (int i = 1; i <= kGroups; ++i) {
        MatrixRowLabel(file, i);
        for (int g = 1; g <= kGroups; ++g) {
            char name[40];
            std::snprintf(name, sizeof name, "Matrix_%d_%d", i, g);
            // A missing cell is created as "C" (clear) so the file and the
            // site agree; a full store leaves the cell empty in the file.
            TextField(file, SettingSet(name, "C"), ",");
        }
        file += "\r\n";
    }
    return file;
}

std::string TextsCsv() {
    std::string file = "Device text,Zone text,Banner text\r\n";
    file.reserve(193 * 64);
    for (int n = 1; n <= 2; ++n) {
        TextField(file, Get("DeviceText_%d", n), ",");
        TextField(file, Get("ZoneText_%d", n), ",");
        TextField(file, Get("BannerText_%d", n), "\r\n");
    }
    for (int n = 3; n <= kZones; ++n) {
        TextField(file, Get("DeviceText_%d", n), ",");
        TextField(file, Get("ZoneText_%d", n), "\r\n");
    }
    for (int n = kZones + 1; n <= kLoopAddresses; ++n)
        TextField(file, Get("DeviceText_%d", n), "\r\n");
    return file;
}

int ExportDeviceData(const char* path) {
    return ReplaceFile(path, DeviceDataCsv()) ? 1 : 0;
}
int ExportMatrix(const char* path) {
    return ReplaceFile(path, MatrixCsv()) ? 1 : 0;
}
int ExportTexts(const char* path) {
    return ReplaceFile(path, TextsCsv()) ? 1 : 0;
}
