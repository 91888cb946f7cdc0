#pragma once
// The panel link: finds the panel among the HID interfaces, opens it lazily on
// the first send, closes it after a failed send (so the next send searches
// afresh), and moves single 65-byte reports with 100 ms time-outs. It knows
// nothing of what the reports mean.

#include "link/hid_backend.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

constexpr uint16_t kPanelVendorId = 0x04D8;
constexpr uint16_t kPanelProductId = 0xFB4C;
constexpr int kReportTimeoutMs = 100;

// Match flags of a device search.
constexpr uint8_t kMatchVendor = 0x01;
constexpr uint8_t kMatchProduct = 0x02;
constexpr uint8_t kMatchVersion = 0x04;

struct HidSearch {
    uint8_t matchFlags = 0;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;
    uint32_t wantedIndex = 0;
    uint32_t matchCount = 0;
    std::unique_ptr<HidDevice> found;
};

// Why the last search found no panel, for the line the connection fault
// message adds (PanelAbsenceText).
enum class PanelAbsence {
    kUnknown,      // found, or the backend cannot tell
    kNotConnected, // no interface with the panel's vendor and product ids
    kNotPermitted, // a panel is there that this user may not open
    kInUse,        // a panel is there that another program holds
};

// Lists the interfaces and tries the panel's: which case it is.
PanelAbsence DiagnosePanelAbsence(HidBackend& backend);
// The line that explains it; empty for kUnknown.
std::string PanelAbsenceText(PanelAbsence absence);

// The link to one panel. A process keeps one per panel it talks to; nothing
// is allocated per report.
struct PanelLink {
    explicit PanelLink(HidBackend* on = nullptr) : backend(on) {}
    HidBackend* backend;
    std::unique_ptr<HidDevice> device;             // empty while the link is not open
    PanelAbsence absence = PanelAbsence::kUnknown; // of the last search
    uint8_t input[kHidReportSize] = {};
    uint8_t output[kHidReportSize] = {};
};

// Calls callback(path) for each present HID interface in the platform's
// order until it gives 0.
void EnumerateHidInterfaces(HidBackend& backend,
                            const std::function<int(const std::string&)>& callback);

// One step of a search: 1 = go on, 0 = stop (search->found is set).
int MatchHidDevice(HidBackend& backend, const std::string& path, HidSearch* search);

// The open device of the wanted match, or nullptr.
std::unique_ptr<HidDevice> FindHidDevice(HidBackend& backend, uint32_t wantedIndex,
                                         uint16_t vendorId, uint16_t productId, uint16_t version,
                                         uint8_t matchFlags);

// 1 when the link is open (already, or now); -1 when the panel was not found.
int OpenPanelLink(PanelLink& link);
int ClosePanelLink(PanelLink& link);
inline bool PanelLinkIsOpen(const PanelLink& link) {
    return link.device != nullptr;
}

// Opens the link when needed and writes length bytes (at most 65) as one
// report. 1 = written within 100 ms; -1 = failure, the link is then closed.
int SendReport(PanelLink& link, const uint8_t* source, uint16_t length);

// Waits up to 100 ms for a report and copies its first length bytes to
// destination (nothing for length 0). 1 = a report came; -1 = none (the link
// stays as it is). Never opens the link.
int ReceiveReport(PanelLink& link, uint8_t* destination, uint8_t length);

// Throws away every input report already waiting on an open link (reads
// with no wait until none is left). Gives the number discarded.
int DiscardWaitingInput(PanelLink& link);
