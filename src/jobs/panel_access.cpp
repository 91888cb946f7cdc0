#include "jobs/panel_access.h"

#include "link/hidapi_backend.h"

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>

namespace {

// The process keeps one link per panel for its whole life, as a panel stays
// plugged in between jobs: the USB panel, and one simulated bus per state file.
struct UsbPanel {
    HidapiBackend backend;
    PanelLink link;
    UsbPanel() { link.backend = &backend; }
};

struct SimPanel {
    SimulatedHidBus bus;
    std::shared_ptr<SimulatedPanel> panel = std::make_shared<SimulatedPanel>();
    PanelLink link;
    SimPanel() {
        bus.Attach(panel);
        link.backend = &bus;
    }
};

std::mutex g_panelsMutex;

UsbPanel& Usb() {
    static UsbPanel usb;
    return usb;
}

SimPanel& Sim(const std::string& path) {
    static std::map<std::string, std::unique_ptr<SimPanel>> sims;
    std::lock_guard<std::mutex> hold(g_panelsMutex);
    std::unique_ptr<SimPanel>& entry = sims[PanelLockPath(path)];
    if (!entry)
        entry = std::make_unique<SimPanel>();
    return *entry;
}

} // namespace

bool ParsePanelChoice(const std::string& text, PanelChoice* choice, std::string* error) {
    PanelChoice parsed;
    if (text == "usb") {
        *choice = parsed;
        return true;
    }
    const std::string prefix = "sim:";
    if (text.compare(0, prefix.size(), prefix) != 0) {
        if (error)
            *error = "unknown panel \"" + text + "\" (use usb or sim:PATH[,option...])";
        return false;
    }
    parsed.simulated = true;
    size_t at = prefix.size();
    size_t comma = text.find(',', at);
    parsed.path = text.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
    if (parsed.path.empty()) {
        if (error)
            *error = "the simulated panel needs a file: sim:PATH";
        return false;
    }
    while (comma != std::string::npos) {
        at = comma + 1;
        comma = text.find(',', at);
        std::string option =
            text.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
        bool badValue = false;
        if (!ParseSimOption(option, &parsed.options, &badValue)) {
            if (error)
                *error = badValue
                             ? "bad value in simulator option \"" + option +
                                   "\" (a number, decimal or 0x-hex" +
                                   (option.rfind("latency-ms=", 0) == 0 ? ", at most 60000)" : ")")
                             : "unknown simulator option \"" + option + "\"";
            return false;
        }
    }
    *choice = parsed;
    return true;
}

PanelJobScope::PanelJobScope(const std::string& panel, JobUi& ui) : ui_(ui) {
    session_.ui = &ui;
    std::string error;
    if (!ParsePanelChoice(panel, &choice_, &error)) {
        ui_.Message("The panel cannot be used: " + error, kErrorCaption, MessageIcon::kStop);
        return;
    }
    // Nothing is touched before the lock is held.
    const std::string key = choice_.simulated ? choice_.path : "usb";
    switch (PanelLockTake(key, &lock_)) {
    case PanelLockResult::kTaken:
        break;
    case PanelLockResult::kInUse:
        ui_.Message(kPanelInUseText, kErrorCaption, MessageIcon::kStop);
        return;
    case PanelLockResult::kNoLockFile:
        ui_.Message("The panel cannot be used: its lock file " + PanelLockPath(key) +
                        " cannot be made",
                    kErrorCaption, MessageIcon::kStop);
        return;
    }
    if (!choice_.simulated) {
        session_.link = &Usb().link;
        ready_ = true;
        DiscardWaitingInput(*session_.link);
        return;
    }
    SimPanel& sim = Sim(choice_.path);
    // Only a file that is really not there gets the demo: one that cannot
    // be looked at is refused like one that cannot be read.
    std::error_code unknown;
    const bool present = std::filesystem::exists(choice_.path, unknown);
    if (!present && !unknown) {
        sim.panel->LoadDemo();
    } else if (unknown || !LoadSimState(choice_.path, sim.panel.get())) {
        // Which of the two it is, so the engineer knows what to mend.
        std::error_code error;
        const bool folder = std::filesystem::is_directory(choice_.path, error);
        const auto size = folder ? 0 : std::filesystem::file_size(choice_.path, error);
        const std::string why =
            folder ? " is a folder, not a file"
            : !error && size != kSimStateSize
                ? " is " + std::to_string(size) + " bytes long, not " +
                      std::to_string(kSimStateSize)
                : " cannot be read" + (error ? " (" + error.message() + ")" : std::string());
        ui_.Message("The panel simulator file " + choice_.path + why, kErrorCaption,
                    MessageIcon::kStop);
        PanelLockRelease(&lock_);
        return;
    }
    sim.panel->SetOptions(choice_.options);
    simulator_ = sim.panel.get();
    simFileMissing_ = !present;
    simWritesAtStart_ = simulator_->Writes();
    session_.link = &sim.link;
    ready_ = true;
    // Every job starts without input left over from an earlier one.
    DiscardWaitingInput(*session_.link);
}

bool PanelJobScope::SaveSimulatorNow() {
    return !ready_ || !simulator_ || SaveSimState(choice_.path, *simulator_);
}

PanelJobScope::~PanelJobScope() {
    const bool simWritten =
        simulator_ && (simFileMissing_ || simulator_->Writes() != simWritesAtStart_);
    if (ready_ && simWritten && !SaveSimulatorNow())
        ui_.Message("The panel simulator file " + choice_.path + " could not be written",
                    kErrorCaption, MessageIcon::kStop);
    PanelLockRelease(&lock_);
}
