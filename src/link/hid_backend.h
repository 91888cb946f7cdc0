#pragma once
// What the HID transport needs of the platform: list the HID interfaces, open
// one, read its attributes, move single 65-byte reports in and out with a
// time-out. Byte 0 of every report is the report id, whatever the platform
// does with it underneath.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int kHidReportSize = 65; // report id + 64 bytes of payload

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;
};

// One opened HID interface; closing it is destroying it.
class HidDevice {
  public:
    virtual ~HidDevice() = default;
    // False when the attributes cannot be read.
    virtual bool GetAttributes(HidAttributes* attributes) = 0;
    // Sends the 65-byte report. 1 = written within timeoutMs; -1 = not.
    virtual int Write(const uint8_t* report, int timeoutMs) = 0;
    // Waits up to timeoutMs (0 = no wait) for one input report and puts it
    // into the 65 bytes of report. 1 = a report; 0 = time-out; -1 = error.
    virtual int Read(uint8_t* report, int timeoutMs) = 0;
};

// Why the last Open failed, as far as the platform tells.
enum class HidOpenError {
    kNone,
    kDenied, // this user may not open the device
    kBusy,   // another program holds it
    kOther,
};

// A present interface with the ids the platform lists without opening it.
struct HidInterfaceInfo {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

class HidBackend {
  public:
    virtual ~HidBackend() = default;
    // The device paths of the present HID interfaces, in the platform's order.
    virtual std::vector<std::string> EnumeratePaths() = 0;
    // Opens a path for reading and writing; nullptr when it cannot be opened.
    virtual std::unique_ptr<HidDevice> Open(const std::string& path) = 0;

    // For telling the user why no panel was found. False when the backend
    // cannot list ids without opening (then nothing is told).
    virtual bool EnumerateInterfaces(std::vector<HidInterfaceInfo>*) { return false; }
    // Why the last Open that gave nullptr failed.
    virtual HidOpenError LastOpenError() const { return HidOpenError::kOther; }
};
