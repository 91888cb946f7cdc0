#pragma once
// Choosing the panel a job talks to, from a PANEL text:
//   "usb"                 the first USB HID device 0x04D8:0xFB4C
//   "sim:PATH[,opt...]"   the panel simulator with its memory in the file PATH
// and holding it for the job: the panel lock, the process's link to that
// panel, and for the simulator its memory loaded from and written back to PATH.

#include "jobs/job_ui.h"
#include "link/panel_lock.h"
#include "link/panel_protocol.h"
#include "sim/panel_simulator.h"

#include <string>

struct PanelChoice {
    bool simulated = false;
    std::string path; // the simulator's state file
    SimPanelOptions options;
};

// False for a text that is neither form (error says why).
bool ParsePanelChoice(const std::string& text, PanelChoice* choice, std::string* error);

constexpr char kPanelInUseText[] = "The panel is in use by another program";

// Usage (one job at a time, on one thread):
//   PanelJobScope scope(panelText, ui);
//   if (!scope.Ready()) return;          // the user has been told why
//   GetSettingsJob(scope.Session(), ...);
class PanelJobScope {
  public:
    PanelJobScope(const std::string& panel, JobUi& ui);
    ~PanelJobScope(); // simulator memory written back if written to, lock released
    PanelJobScope(const PanelJobScope&) = delete;
    PanelJobScope& operator=(const PanelJobScope&) = delete;

    bool Ready() const { return ready_; }
    PanelSession& Session() { return session_; }
    // The simulated panel of a "sim:" choice, else nullptr.
    SimulatedPanel* Simulator() { return simulator_; }
    // Writes a simulated panel's memory to its file as it stands, for a job
    // stopped part way, so that the file holds what a real panel would; may
    // be called from another thread while the job runs. False when the file
    // could not be written; true at once for the USB panel.
    bool SaveSimulatorNow();

  private:
    JobUi& ui_;
    PanelChoice choice_;
    PanelLock lock_;
    PanelSession session_;
    SimulatedPanel* simulator_ = nullptr;
    // A simulator file is saved when it was missing (the demo then takes its
    // place) or the job wrote to the memory; a read leaves it untouched.
    bool simFileMissing_ = false;
    uint64_t simWritesAtStart_ = 0;
    bool ready_ = false;
};
