#include "exports/event_log.h"

#include "exports/event_time.h"
#include "model/file_io.h"
#include "model/number_text.h"
#include "model/settings_store.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

const char* const kEventColumnHeaders[kEventColumnCount] = {
    "Event", "Address", "Zone", "Time", "Event text", "On/Off",
};

namespace {

constexpr const char* kEventKindTexts[] = {
    " SOUND ALARMS ACTIVE", "    PANEL MUTED     ", "    PANEL RESET     ", "   PANEL SILENCED   ",
    "   DEVICE NORMAL    ", "  DEVICE IN ALARM   ", "    DEVICE FAULT    ", "DEVICE FAILED SETUP ",
    "  DEVICE PREALARM   ", "    ZONE IN TEST    ", "  ZONE DISABLEMENT  ", "     ZONE FAULT     ",
    "    ALARM FAULT     ", "  ALARMS DISABLED   ", "  FIRE LINK FAULT   ", " FIRE LINK DISABLED ",
    " FIRE LINK OPERATED ", "   BATTERY FAULT    ", "    MAINS FAILED    ", "    REPEAT FAULT    ",
    "  AUX SUPPLY FAULT  ", "    CLASS CHANGE    ", "    REMOTE ALARM    ", " USER CODE ENTERED  ",
    "  ENG CODE ENTERED  ", "ADV ENG CODE ENTERED", "     CLOCK SET      ", "    PANEL RESTART   ",
    "     LOOP FAULT     ", "  BUZZER DISABLED   ", "    PC CONNECTED    ", " SITE DATA CORRUPT  ",
    " LOOP DEVICES ADDED ", "  LOOP ALARM FAULT  ", "  PROGRAM RUN ERROR ", "    LOOP LOGGED     ",
    "  SITE DATA CHANGED ", "    SERVICE DUE     ", "   NIGHT SENS ON    ", " EVAC PANEL ACTIVE  ",
    "MAN FIRE LINK FAULT ", " OP GROUP DISABLED  ", "CONT OPGRPS DISABLED", "   SITEFILE ERROR   ",
    "  DEVICE DISABLED   ", "   FBP COMMS FAULT  ",
};
constexpr unsigned kEventKindCount = sizeof kEventKindTexts / sizeof kEventKindTexts[0];
static_assert(kEventKindCount == 46);

// A row or line is made from a copy of at most this many characters.
constexpr size_t kEventCopyLength = 64;

// The three comma-separated fields of a stored event; the second and third
// keep the blank after their comma. Missing fields are empty.
struct EventFields {
    std::string code, where, time;
};

EventFields SplitEvent(const char* stored, size_t limit) {
    EventFields f;
    size_t length = 0;
    while (length < limit && stored[length] != '\0')
        ++length;
    std::string text(stored, length);
    size_t first = text.find(',');
    f.code = text.substr(0, first);
    if (first == std::string::npos)
        return f;
    size_t second = text.find(',', first + 1);
    f.where = text.substr(first + 1,
                          second == std::string::npos ? std::string::npos : second - first - 1);
    if (second == std::string::npos)
        return f;
    f.time = text.substr(second + 1);
    return f;
}

int32_t TimeOf(const std::string& field) {
    return static_cast<int32_t>(ParseUnsigned(field.c_str(), 10));
}

// The numbers of one event, from the fields of its copy.
struct EventValues {
    uint32_t code;
    uint32_t where;
    int32_t time;
};

EventValues ValuesOf(const EventFields& f) {
    return {ParseUnsigned(f.code.c_str(), 10), ParseUnsigned(f.where.c_str(), 10), TimeOf(f.time)};
}

bool IsAddress(uint32_t where) {
    return where >= 1 && where <= 192;
}
bool IsZone(uint32_t where) {
    return where > 192;
}

std::string ZoneText(uint32_t where) {
    return std::to_string(static_cast<int32_t>(where - 192));
}

std::string KindText(uint32_t code) {
    unsigned kind = code & 0x7Fu;
    if (const char* text = EventKindText(kind))
        return text;
    return "Event " + std::to_string(kind);
}

const char* OnOff(uint32_t code) {
    return code & 0x80u ? "OFF" : "ON";
}

struct SortEntry {
    const char* stored;
    int32_t time;
};

bool Earlier(const SortEntry& a, const SortEntry& b) {
    return a.time < b.time;
}

} // namespace

const char* EventKindText(unsigned kind) {
    return kind < kEventKindCount ? kEventKindTexts[kind] : nullptr;
}

std::vector<const char*> CollectEvents(EventList which) {
    std::vector<SortEntry> entries;
    entries.reserve(kMaxEvents);
    const char* lists[2] = {};
    switch (which) {
    case EventList::Fire:
        lists[0] = "FireEvent_%d";
        break;
    case EventList::NonFire:
        lists[0] = "NonFireEvent_%d";
        break;
    case EventList::Combined:
        lists[0] = "NonFireEvent_%d";
        lists[1] = "FireEvent_%d";
        break;
    }
    for (const char* format : lists) {
        if (!format)
            continue;
        char name[40];
        for (int n = 1;; ++n) {
            std::snprintf(name, sizeof name, format, n);
            const char* stored = SettingGet(name);
            if (!stored)
                break;
            if (entries.size() >= static_cast<size_t>(kMaxEvents))
                continue; // passed over, but the list is still walked to its end
            // A damaged value without a time field shows the time 0 and
            // sorts by it: the other events then stay in time order around
            // it, which "equal to everything" would not guarantee.
            entries.push_back({stored, TimeOf(SplitEvent(stored, kSettingValueSize).time)});
        }
    }
    // Times are compared, not subtracted: a difference of two far-apart
    // signed 32-bit times would overflow and misorder them.
    std::stable_sort(entries.begin(), entries.end(), Earlier);
    std::vector<const char*> events;
    events.reserve(entries.size());
    for (const SortEntry& e : entries)
        events.push_back(e.stored);
    return events;
}

EventRow EventRowOf(const char* stored) {
    EventFields f = SplitEvent(stored, kEventCopyLength);
    EventValues v = ValuesOf(f);
    EventRow row;
    row.columns[0] = f.code;
    if (IsAddress(v.where))
        row.columns[1] = f.where;
    if (IsZone(v.where))
        row.columns[2] = ZoneText(v.where);
    row.columns[3] = EventTimeText(v.time);
    row.columns[4] = KindText(v.code);
    row.columns[5] = OnOff(v.code);
    return row;
}

std::vector<EventRow> EventLogRows(EventList which) {
    std::vector<EventRow> rows;
    for (const char* stored : CollectEvents(which))
        rows.push_back(EventRowOf(stored));
    return rows;
}

std::string EventExportLine(const char* stored) {
    EventFields f = SplitEvent(stored, kEventCopyLength);
    EventValues v = ValuesOf(f);
    std::string line = f.code + ", ";
    if (IsAddress(v.where)) {
        line += f.where + ",,";
    } else if (IsZone(v.where)) {
        // Appended piece by piece: GCC 12 warns falsely on "," + a temporary.
        line += ',';
        line += ZoneText(v.where);
        line += ", ";
    } else {
        line += ",,";
    }
    line += EventTimeText(v.time) + ", ";
    line += KindText(v.code) + ", ";
    line += OnOff(v.code);
    line += "\r\n";
    return line;
}

std::string EventLogCsv() {
    std::string file = "Event,Address,Zone,Time,Event text,On/Off\r\n";
    for (const char* stored : CollectEvents(EventList::Combined))
        file += EventExportLine(stored);
    return file;
}

int ExportEventLog(const char* path) {
    return ReplaceFile(path, EventLogCsv()) ? 1 : 0;
}
