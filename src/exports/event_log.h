#pragma once
// The panel's fire and non-fire event logs as stored in the site store
// ("FireEvent_%d", "NonFireEvent_%d": "code, where, time"), turned into the
// six columns the user sees and into the CSV export.

#include <string>
#include <vector>

enum class EventList { Fire, NonFire, Combined };

constexpr int kEventColumnCount = 6;
constexpr int kMaxEvents = 1000; // events shown or exported at most
extern const char* const kEventColumnHeaders[kEventColumnCount];

// Text of an event kind (code AND 0x7F) 0..45, 20 characters; nullptr beyond.
const char* EventKindText(unsigned kind);

// The stored values of the list (Combined: non-fire, then fire), the first
// 1000 taken, sorted by time, earliest first. The pointers are the store's
// value fields and stay valid while the store is not changed.
std::vector<const char*> CollectEvents(EventList which);

// Event, Address, Zone, Time, Event text, On/Off; empty where nothing shows.
struct EventRow {
    std::string columns[kEventColumnCount];
};
EventRow EventRowOf(const char* stored);

// The rows of a view, header not included.
std::vector<EventRow> EventLogRows(EventList which);

// One line of the CSV export, with its CR LF.
std::string EventExportLine(const char* stored);

// The combined log as CSV: the header line, then one line per event.
std::string EventLogCsv();

// Writes EventLogCsv to the file. 1 when written, 0 when the file could not
// be written completely (an existing file is then left as it was).
int ExportEventLog(const char* path);
