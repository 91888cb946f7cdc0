#include "link/hid_transport.h"

#include <algorithm>
#include <cstring>

void EnumerateHidInterfaces(HidBackend& backend,
                            const std::function<int(const std::string&)>& callback) {
    // A snapshot of the present interfaces; the callback decides how far to go.
    for (const std::string& path : backend.EnumeratePaths())
        if (callback(path) == 0)
            return;
}

int MatchHidDevice(HidBackend& backend, const std::string& path, HidSearch* search) {
    std::unique_ptr<HidDevice> device = backend.Open(path);
    if (!device)
        return 1;
    HidAttributes attributes;
    if (!device->GetAttributes(&attributes))
        return 1;
    if ((search->matchFlags & kMatchVendor) && attributes.vendorId != search->vendorId)
        return 1;
    if ((search->matchFlags & kMatchProduct) && attributes.productId != search->productId)
        return 1;
    if ((search->matchFlags & kMatchVersion) && attributes.version != search->version)
        return 1;
    if (search->matchCount != search->wantedIndex) {
        ++search->matchCount;
        return 1;
    }
    search->found = std::move(device);
    return 0;
}

std::unique_ptr<HidDevice> FindHidDevice(HidBackend& backend, uint32_t wantedIndex,
                                         uint16_t vendorId, uint16_t productId, uint16_t version,
                                         uint8_t matchFlags) {
    HidSearch search;
    search.matchFlags = matchFlags;
    search.vendorId = vendorId;
    search.productId = productId;
    search.version = version;
    search.wantedIndex = wantedIndex;
    EnumerateHidInterfaces(
        backend, [&](const std::string& path) { return MatchHidDevice(backend, path, &search); });
    return std::move(search.found);
}

PanelAbsence DiagnosePanelAbsence(HidBackend& backend) {
    std::vector<HidInterfaceInfo> interfaces;
    if (!backend.EnumerateInterfaces(&interfaces))
        return PanelAbsence::kUnknown;
    bool present = false;
    bool denied = false;
    bool busy = false;
    for (const HidInterfaceInfo& info : interfaces) {
        if (info.vendorId != kPanelVendorId || info.productId != kPanelProductId)
            continue;
        present = true;
        if (backend.Open(info.path))
            continue; // it opens now: unplugged and back, say; nothing to tell
        denied = denied || backend.LastOpenError() == HidOpenError::kDenied;
        busy = busy || backend.LastOpenError() == HidOpenError::kBusy;
    }
    if (!present)
        return PanelAbsence::kNotConnected;
    if (denied)
        return PanelAbsence::kNotPermitted;
    return busy ? PanelAbsence::kInUse : PanelAbsence::kUnknown;
}

std::string PanelAbsenceText(PanelAbsence absence) {
    switch (absence) {
    case PanelAbsence::kNotConnected:
        return "No USB device with vendor 04D8 and product FB4C is connected: check the USB "
               "cable and that the panel is switched on";
    case PanelAbsence::kNotPermitted:
#ifdef __linux__
        return "The panel is connected, but this user may not open it: install the udev rule "
               "(\"USB access\" in the README), then plug the panel in again";
#else
        return "The panel is connected, but this user may not open it";
#endif
    case PanelAbsence::kInUse:
        return "The panel is connected, but another program holds it: close that program";
    case PanelAbsence::kUnknown:
        break;
    }
    return "";
}

int OpenPanelLink(PanelLink& link) {
    if (link.device)
        return 1;
    if (!link.backend)
        return -1;
    link.device = FindHidDevice(*link.backend, 0, kPanelVendorId, kPanelProductId, 0,
                                kMatchVendor | kMatchProduct);
    link.absence = link.device ? PanelAbsence::kUnknown : DiagnosePanelAbsence(*link.backend);
    return link.device ? 1 : -1;
}

int ClosePanelLink(PanelLink& link) {
    link.device.reset();
    return 1;
}

int SendReport(PanelLink& link, const uint8_t* source, uint16_t length) {
    if (OpenPanelLink(link) != 1)
        return -1;
    size_t n = std::min<size_t>(length, kHidReportSize);
    if (source && n)
        std::memcpy(link.output, source, n);
    if (link.device->Write(link.output, kReportTimeoutMs) == 1)
        return 1;
    ClosePanelLink(link);
    return -1;
}

int ReceiveReport(PanelLink& link, uint8_t* destination, uint8_t length) {
    if (!link.device)
        return -1;
    if (link.device->Read(link.input, kReportTimeoutMs) != 1)
        return -1;
    size_t n = std::min<size_t>(length, kHidReportSize);
    if (destination && n)
        std::memcpy(destination, link.input, n);
    return 1;
}

int DiscardWaitingInput(PanelLink& link) {
    // Bounded, so that a device that never stops sending cannot hold a job.
    constexpr int kMaxDiscarded = 4096;
    int discarded = 0;
    while (link.device && discarded < kMaxDiscarded && link.device->Read(link.input, 0) == 1)
        ++discarded;
    return discarded;
}
