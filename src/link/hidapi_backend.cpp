#include "link/hidapi_backend.h"

#include <hidapi/hidapi.h>

#include <cerrno>
#include <cstring>
#include <mutex>

namespace {

bool InitHidapi() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] { ready = hid_init() == 0; });
    return ready;
}

class HidapiDevice : public HidDevice {
  public:
    explicit HidapiDevice(hid_device* device) : device_(device) {}
    ~HidapiDevice() override { hid_close(device_); }

    bool GetAttributes(HidAttributes* attributes) override {
        hid_device_info* info = hid_get_device_info(device_);
        if (!info)
            return false;
        attributes->vendorId = info->vendor_id;
        attributes->productId = info->product_id;
        attributes->version = info->release_number;
        return true;
    }

    // hid_write takes the report id in byte 0 (0 for a device without
    // numbered reports) and sends the 64 bytes behind it. It blocks until the
    // system has taken the report; it has no time-out of its own.
    int Write(const uint8_t* report, int) override {
        return hid_write(device_, report, kHidReportSize) >= 0 ? 1 : -1;
    }

    // For a device without numbered reports hidapi delivers the 64 data bytes
    // without the report id on every platform; a numbered report comes with
    // its id first. Either way the caller sees id + 64 bytes.
    int Read(uint8_t* report, int timeoutMs) override {
        uint8_t data[kHidReportSize] = {};
        int n = hid_read_timeout(device_, data, sizeof data, timeoutMs);
        if (n < 0)
            return -1;
        if (n == 0)
            return 0;
        if (n >= kHidReportSize) {
            std::memcpy(report, data, kHidReportSize);
        } else {
            report[0] = 0;
            std::memcpy(report + 1, data, static_cast<size_t>(n));
            std::memset(report + 1 + n, 0, static_cast<size_t>(kHidReportSize - 1 - n));
        }
        return 1;
    }

  private:
    hid_device* device_;
};

} // namespace

std::vector<std::string> HidapiBackend::EnumeratePaths() {
    std::vector<std::string> paths;
    if (!InitHidapi())
        return paths;
    hid_device_info* list = hid_enumerate(0, 0);
    for (hid_device_info* d = list; d; d = d->next)
        if (d->path)
            paths.emplace_back(d->path);
    hid_free_enumeration(list);
    return paths;
}

std::unique_ptr<HidDevice> HidapiBackend::Open(const std::string& path) {
    lastOpenError_ = HidOpenError::kOther;
    if (!InitHidapi())
        return nullptr;
    errno = 0;
    hid_device* device = hid_open_path(path.c_str());
    if (!device) {
        // hidraw opens the node itself: its errno tells a missing permission
        // (no udev rule) from a device that is held.
        const int why = errno;
        lastOpenError_ = why == EACCES || why == EPERM ? HidOpenError::kDenied
                         : why == EBUSY                ? HidOpenError::kBusy
                                                       : HidOpenError::kOther;
        return nullptr;
    }
    lastOpenError_ = HidOpenError::kNone;
    return std::make_unique<HidapiDevice>(device);
}

bool HidapiBackend::EnumerateInterfaces(std::vector<HidInterfaceInfo>* interfaces) {
    interfaces->clear();
    if (!InitHidapi())
        return false;
    hid_device_info* list = hid_enumerate(0, 0);
    for (hid_device_info* d = list; d; d = d->next)
        if (d->path)
            interfaces->push_back({d->path, d->vendor_id, d->product_id});
    hid_free_enumeration(list);
    return true;
}
