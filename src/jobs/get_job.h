#pragma once
// Get settings from panel: the site data image, loop data, firmware version
// and event logs into the current store.

#include "link/panel_protocol.h"

#include <cstdint>

// A site data image in a format the panel and the tool do not know (a
// version other than 1 or 2): refused by the get and by the send.
constexpr char kSiteFormatText[] = "Site data is in an unsupported format";
constexpr char kSiteFormatCaption[] = "Site data error";

struct GetJobResult {
    bool siteAccepted = false;    // the store now holds the panel's site data
    bool checkValuesMatch = true; // false: a block differs from its stored check value
    bool complete = false;        // every step done without a fault
};

// The send's check values in log memory that were never written.
constexpr uint16_t kCheckValueNeverWritten = 0xFFFF;

constexpr char kCheckValueMismatchText[] =
    "The panel's site data do not match their check value: the panel may hold a partly "
    "written site. Send a known good site file.";

// What a send left in log memory (8192 bytes) at `at` for a block, against
// the value computed from what was read: false only for a written value
// that differs.
bool StoredCheckValueMatches(const uint8_t* log, uint32_t at, uint16_t computed);

// Whether the blocks read match the check values a send left in log memory
// (8192 bytes; a value never written matches anything). siteVersion and
// siteCheckValue as SiteImageCheckValue gives them; a version-1 panel's
// value is compared as the panel keeps it.
bool StoredCheckValuesMatch(const uint8_t* log, int siteVersion, uint16_t siteCheckValue,
                            uint16_t loopCheckValue);

// Runs the whole job on the session (the store belongs to it until it
// returns); shows its messages through the session's JobUi and closes the
// progress display at the end. When the site or loop data read do not match
// the check values a send stored in log memory, the data stay loaded and a
// message says so after the job's own. Gives result->complete as 1/0.
int GetSettingsJob(PanelSession& s, GetJobResult* result);
