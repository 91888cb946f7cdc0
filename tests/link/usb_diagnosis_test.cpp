#include "link/hid_transport.h"
#include "link/link_test_support.h"

#include <gtest/gtest.h>

namespace {

// A platform as the USB backend sees it: interfaces with their listed ids,
// each opening or failing for a reason. An opened one never answers.
class FakeUsbBackend : public HidBackend {
  public:
    struct Interface {
        uint16_t vendorId;
        uint16_t productId;
        HidOpenError openError; // kNone: it opens
    };
    std::vector<Interface> interfaces;
    bool listsIds = true;

    std::vector<std::string> EnumeratePaths() override {
        std::vector<std::string> paths;
        for (size_t i = 0; i < interfaces.size(); ++i)
            paths.push_back(std::to_string(i));
        return paths;
    }
    std::unique_ptr<HidDevice> Open(const std::string& path) override {
        const Interface& i = interfaces.at(std::stoul(path));
        last_ = i.openError;
        if (i.openError != HidOpenError::kNone)
            return nullptr;
        return std::make_unique<SilentDevice>(i);
    }
    bool EnumerateInterfaces(std::vector<HidInterfaceInfo>* out) override {
        out->clear();
        for (size_t i = 0; i < interfaces.size(); ++i)
            out->push_back({std::to_string(i), interfaces[i].vendorId, interfaces[i].productId});
        return listsIds;
    }
    HidOpenError LastOpenError() const override { return last_; }

  private:
    class SilentDevice : public HidDevice {
      public:
        explicit SilentDevice(const Interface& i) : i_(i) {}
        bool GetAttributes(HidAttributes* a) override {
            a->vendorId = i_.vendorId;
            a->productId = i_.productId;
            return true;
        }
        int Write(const uint8_t*, int) override { return 1; }
        int Read(uint8_t*, int) override { return 0; }

      private:
        Interface i_;
    };
    HidOpenError last_ = HidOpenError::kNone;
};

// Each case of a missing panel gets its line under the fault message; a
// panel that is there but silent, and a backend that cannot list ids, get
// the fault message alone.
TEST(UsbDiagnosis, EachCaseGetsItsLine) {
    using E = HidOpenError;
    const uint16_t v = kPanelVendorId;
    const uint16_t p = kPanelProductId;
    const std::string notConnected = "No USB device with vendor 04D8 and product FB4C is "
                                     "connected: check the USB cable and that the panel is "
                                     "switched on";
    const std::string inUse =
        "The panel is connected, but another program holds it: close that program";
    struct Row {
        const char* what;
        std::vector<FakeUsbBackend::Interface> interfaces;
        bool listsIds;
        PanelAbsence absence;
        std::string line; // "" = none
    };
    const Row rows[] = {
        {"no HID device at all", {}, true, PanelAbsence::kNotConnected, notConnected},
        {"other devices only, one of the same vendor",
         {{0x046D, 0xC52B, E::kDenied}, {v, 0x0001, E::kNone}},
         true,
         PanelAbsence::kNotConnected,
         notConnected},
        {"the panel without permission (no udev rule)",
         {{0x046D, 0xC52B, E::kDenied}, {v, p, E::kDenied}},
         true,
         PanelAbsence::kNotPermitted,
         PanelAbsenceText(PanelAbsence::kNotPermitted)},
        {"the panel held by another program",
         {{v, p, E::kBusy}},
         true,
         PanelAbsence::kInUse,
         inUse},
        {"the panel there but silent", {{v, p, E::kNone}}, true, PanelAbsence::kUnknown, ""},
        {"a backend that cannot tell", {}, false, PanelAbsence::kUnknown, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        FakeUsbBackend backend;
        backend.interfaces = row.interfaces;
        backend.listsIds = row.listsIds;
        PanelLink link(&backend);
        RecordingUi ui;
        PanelSession session{&link, &ui};
        uint8_t data[2];
        EXPECT_EQ(ReadProgramData(session, data, kSiteDataAddress, 2), 0);
        EXPECT_EQ(link.absence, row.absence);
        const std::string text =
            "Fault with connection to panel" + (row.line.empty() ? "" : "\r\n" + row.line);
        EXPECT_EQ(ui.Messages(),
                  std::vector<std::string>{text + "|M720 Commissioning software Error|stop"});
    }
#ifdef __linux__
    EXPECT_NE(PanelAbsenceText(PanelAbsence::kNotPermitted).find("udev rule"), std::string::npos);
#endif
}

} // namespace
