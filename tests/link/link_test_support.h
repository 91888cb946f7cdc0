#pragma once
// Panel link tests: a simulated panel on its own bus with a link, a job UI
// that records what the user would see, and request decoding.

#include "jobs/job_ui.h"
#include "link/panel_protocol.h"
#include "model/model_fixture.h"
#include "sim/panel_simulator.h"
#include "sim/simulated_hid_bus.h"
#include "test_data_home.h"

#include <memory>
#include <string>
#include <vector>

// What the user saw, in order: "close" for a closed progress display,
// "title:..." for a stage, "message:text|caption|icon"; bar positions are
// kept apart.
class RecordingUi : public JobUi {
  public:
    void SetProgress(int percent) override {
        if (percent < 0)
            seen.push_back("close");
        else
            bar.push_back(percent);
    }
    void SetProgressTitle(const std::string& title) override { seen.push_back("title:" + title); }
    void Message(const std::string& text, const std::string& caption, MessageIcon icon) override {
        static const char* const kIcons[] = {"none", "stop", "question", "information"};
        seen.push_back("message:" + text + "|" + caption + "|" + kIcons[static_cast<int>(icon)]);
    }
    bool Ask(const std::string& text, const std::string&) override {
        seen.push_back("ask:" + text);
        return answer;
    }
    // Only the messages.
    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        for (const std::string& s : seen)
            if (s.rfind("message:", 0) == 0)
                out.push_back(s.substr(8));
        return out;
    }

    std::vector<std::string> seen;
    std::vector<int> bar;
    bool answer = true;
};

inline const std::string kConnectionFault =
    "Fault with connection to panel|M720 Commissioning software Error|stop";
inline const std::string kPageFault = "Can't program page!|M720 Commissioning software Error|stop";

inline uint8_t Command(const SimRequest& r) {
    return r[1];
}
inline uint32_t Address(const SimRequest& r) {
    return r[2] | r[3] << 8 | r[4] << 16 | static_cast<uint32_t>(r[5]) << 24;
}
inline uint8_t Length(const SimRequest& r) {
    return r[6];
}

inline std::vector<SimRequest> OfCommand(const std::vector<SimRequest>& all, uint8_t command) {
    std::vector<SimRequest> out;
    for (const SimRequest& r : all)
        if (Command(r) == command)
            out.push_back(r);
    return out;
}

// A demo panel alone on a bus, a link to it and a fresh current store.
class PanelTest : public SiteStoreTest {
  protected:
    void SetUp() override {
        SiteStoreTest::SetUp();
        panel = std::make_shared<SimulatedPanel>();
        panel->LoadDemo();
        bus.Attach(panel);
        link.backend = &bus;
        session.link = &link;
        session.ui = &ui;
    }
    void SetOptions(const std::string& text) {
        SimPanelOptions options;
        size_t at = 0;
        while (at < text.size()) {
            size_t comma = text.find(',', at);
            if (comma == std::string::npos)
                comma = text.size();
            EXPECT_TRUE(ParseSimOption(text.substr(at, comma - at), &options));
            at = comma + 1;
        }
        panel->SetOptions(options);
    }

    SimulatedHidBus bus;
    std::shared_ptr<SimulatedPanel> panel;
    PanelLink link;
    RecordingUi ui;
    PanelSession session;
};

// A plain device for the transport tests: it keeps what it was sent and
// answers nothing unless told to.
class PlainDevice : public SimulatedHidDevice {
  public:
    PlainDevice(uint16_t vendor, uint16_t product) : SimulatedHidDevice({vendor, product, 1}) {}
    std::vector<SimRequest> written;

  protected:
    void OnOutputReport(const uint8_t* report) override {
        SimRequest r;
        std::copy(report, report + kHidReportSize, r.begin());
        written.push_back(r);
    }
};
