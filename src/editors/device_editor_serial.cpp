// Serial number entry: the repeat rule, the duplicate check and the store
// writes.

#include "editors/device_editor_serial.h"

#include "editors/device_editor.h"
#include "editors/grid_widget.h"
#include "model/device_types.h"
#include "model/number_text.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kSerialDigits = 8;

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

struct Name {
    char text[kSettingNameSize];
    Name(const char* format, int a) { std::snprintf(text, sizeof text, format, a); }
};

} // namespace

RememberedSerial& LastEnteredSerial() {
    static RememberedSerial memory;
    return memory;
}

bool NextSerial(const char* typed, RememberedSerial* memory, char serial[9]) {
    int run = 0;
    while (run <= kSerialDigits && typed[run] != '\0' &&
           IsHexDigit(char(std::toupper(static_cast<unsigned char>(typed[run])))))
        ++run;
    if (run != kSerialDigits)
        return false;
    for (int i = 0; i < kSerialDigits; ++i)
        serial[i] = char(std::toupper(static_cast<unsigned char>(typed[i])));
    serial[kSerialDigits] = '\0';

    if (std::strcmp(serial, memory->text) != 0) {
        std::snprintf(memory->text, sizeof memory->text, "%s", serial);
        memory->repeat = 1;
        return true;
    }
    char type[3] = {serial[0], serial[1], '\0'};
    const uint32_t t = ParseUnsigned(type, 16);
    if (t >= 0xC4 && t <= 0xC6 && memory->repeat < 16) {
        const uint32_t next = (ParseUnsigned(memory->text + 2, 16) + memory->repeat) & 0xFFFFFF;
        std::snprintf(serial, kSerialDigits + 1, "%02X%06X", unsigned(t), unsigned(next));
        ++memory->repeat;
    }
    return true;
}

SerialEntry EnterSerial(GridWidget* grid, int a, RememberedSerial* memory) {
    SerialEntry entry;
    if (!grid || a < 1 || a > kLoopAddresses)
        return entry;
    char typed[kGridTextSize];
    GridGetText(grid, a, kDeviceColSerial, typed);
    char serial[kSerialDigits + 1];
    if (!NextSerial(typed, memory, serial)) {
        // The commit must find the stored serial here, not the rejected text.
        DeviceSerialRestore(grid, a);
        return entry;
    }
    std::memcpy(entry.serial, serial + 2, sizeof entry.serial);
    if (int used = FindAddressBySerial(entry.serial)) {
        entry.outcome = SerialOutcome::kAlreadyUsed;
        entry.usedAt = used;
        DeviceSerialRestore(grid, a);
        return entry;
    }
    // The refresh below must not throw away the row's typed zone and groups.
    DeviceRowStore(grid, a, false);
    char type[3] = {serial[0], serial[1], '\0'};
    const uint32_t t = ParseUnsigned(type, 16);
    SettingPut(Name("SNum_%d", a).text, entry.serial);
    SettingPut(Name("Type_%d", a).text, std::to_string(t).c_str());
    char sens[2] = "0";
    NextSensMode(sens, uint8_t(t));
    SettingPut(Name("Sens1_%d", a).text, sens);
    SettingPut(Name("Sens2_%d", a).text, sens);
    SettingPut(Name("Version_%d", a).text, "0");
    entry.outcome = SerialOutcome::kStored;
    DeviceRowFill(grid, a);
    return entry;
}
