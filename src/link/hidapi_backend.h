#pragma once
// Real USB HID devices through hidapi (hidraw on Linux).

#include "link/hid_backend.h"

class HidapiBackend : public HidBackend {
  public:
    std::vector<std::string> EnumeratePaths() override;
    std::unique_ptr<HidDevice> Open(const std::string& path) override;
    bool EnumerateInterfaces(std::vector<HidInterfaceInfo>* interfaces) override;
    HidOpenError LastOpenError() const override { return lastOpenError_; }

  private:
    HidOpenError lastOpenError_ = HidOpenError::kNone;
};
