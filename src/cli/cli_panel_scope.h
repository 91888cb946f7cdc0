#pragma once
// A panel job's hold on the panel, for the CLI: PanelJobScope, with Ctrl-C
// held while the scope ends, since that is when a simulated panel's memory
// is written back; a stop then would leave its file half replaced.

#include "cli/cli_interrupt.h"
#include "jobs/panel_access.h"

#include <string>

class CliPanelScope {
  public:
    CliPanelScope(const std::string& panel, JobUi& ui) : scope_(panel, ui) {}
    // The members end after this body, the scope first, so it ends held.
    ~CliPanelScope() { hold_.Start(); }
    CliPanelScope(const CliPanelScope&) = delete;
    CliPanelScope& operator=(const CliPanelScope&) = delete;

    PanelJobScope& Scope() { return scope_; }

  private:
    CliHoldInterrupt hold_{false}; // declared first, so it ends last
    PanelJobScope scope_;
};
