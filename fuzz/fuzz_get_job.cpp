// The get job against a hostile panel: every reply is shaped by the input
// (echoed or raw headers, wrong lengths, stray extra reports, made-up
// memory). Property: the job ends, and a site it accepted saves and reads
// back with a matching check value.

#include "fuzz_support.h"
#include "jobs/get_job.h"
#include "jobs/job_ui.h"
#include "model/site_file.h"

#include <array>
#include <cstring>
#include <deque>
#include <memory>

namespace {

struct Script {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t at = 0;
    std::deque<std::array<uint8_t, kHidReportSize>> pending;

    uint8_t Next() { return at < size ? data[at++] : 0; }
    bool Exhausted() const { return at >= size; }

    // The panel's answer to one request.
    void Answer(const uint8_t* request) {
        std::array<uint8_t, kHidReportSize> reply{};
        std::memcpy(reply.data(), request, kHidReportSize);
        if (Exhausted()) {
            // Then a plain panel with empty memory, so every job ends.
            std::memset(reply.data() + kPacketData, 0, kPacketDataSize);
            pending.push_back(reply);
            return;
        }
        const uint8_t mode = Next();
        switch (mode & 3) {
        case 0: // echoed header, memory from the input
            for (int i = kPacketData; i < kHidReportSize; ++i)
                reply[i] = Next();
            break;
        case 1: // anything at all
            for (int i = 0; i < kHidReportSize; ++i)
                reply[i] = Next();
            break;
        case 2: // a stray report before the answer
            pending.push_back(reply);
            reply[kPacketLength] = Next();
            break;
        default: // a length of the panel's choosing
            reply[kPacketLength] = Next();
            for (int i = kPacketData; i < kHidReportSize; ++i)
                reply[i] = Next();
            break;
        }
        pending.push_back(reply);
    }
};

class HostileDevice : public HidDevice {
  public:
    explicit HostileDevice(Script* script) : script_(script) {}
    bool GetAttributes(HidAttributes* attributes) override {
        attributes->vendorId = kPanelVendorId;
        attributes->productId = kPanelProductId;
        return true;
    }
    int Write(const uint8_t* report, int) override {
        script_->Answer(report);
        return 1;
    }
    int Read(uint8_t* report, int) override {
        if (script_->pending.empty())
            return 0;
        std::memcpy(report, script_->pending.front().data(), kHidReportSize);
        script_->pending.pop_front();
        return 1;
    }

  private:
    Script* script_;
};

class HostileBackend : public HidBackend {
  public:
    explicit HostileBackend(Script* script) : script_(script) {}
    std::vector<std::string> EnumeratePaths() override { return {"hostile"}; }
    std::unique_ptr<HidDevice> Open(const std::string&) override {
        return std::make_unique<HostileDevice>(script_);
    }

  private:
    Script* script_;
};

struct QuietUi : JobUi {
    void SetProgress(int) override {}
    void SetProgressTitle(const std::string&) override {}
    void Message(const std::string&, const std::string&, MessageIcon) override {}
    bool Ask(const std::string&, const std::string&) override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string saved = FuzzFilePath("got.psf");
    Script script;
    script.data = data;
    script.size = size;
    HostileBackend backend(&script);
    PanelLink link(&backend);
    QuietUi ui;
    PanelSession session;
    session.link = &link;
    session.ui = &ui;

    ScratchStore site;
    GetJobResult result;
    GetSettingsJob(session, &result);
    if (result.siteAccepted) {
        FUZZ_CHECK(SiteFileWrite(saved.c_str()));
        ScratchStore reread;
        FUZZ_CHECK(SiteFileRead(saved.c_str()) == 0);
        FUZZ_CHECK(SameSettings(site.Get(), reread.Get()));
    }
    return 0;
}
