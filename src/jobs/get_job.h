#pragma once
// Get settings from panel: the site data image, loop data, firmware version
// and event logs into the current store.

#include "link/panel_protocol.h"

struct GetJobResult {
    bool siteAccepted = false; // the store now holds the panel's site data
    bool complete = false;     // every step done without a fault
};

// Runs the whole job on the session (the store belongs to it until it
// returns); shows its messages through the session's JobUi and closes the
// progress display at the end. Gives result->complete as 1/0.
int GetSettingsJob(PanelSession& s, GetJobResult* result);
