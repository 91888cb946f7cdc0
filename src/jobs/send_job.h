#pragma once
// Send settings to panel: the current store's site data image and loop data
// into the panel, each verified by reading it back.

#include "link/panel_protocol.h"

constexpr char kSendSuccessText[] = "Settings have been sent to the panel";
constexpr char kSendFailText[] = "Settings have NOT been written to panel";

#include <string>

struct SendOptions {
    // Before anything is written, the panel's current site is saved in
    // backupFolder (empty: BackupFolder()); when that fails, nothing is
    // written. The desktop always backs up.
    bool backup = true;
    std::string backupFolder;
};

// Runs the whole job, ending with its one result message (which names the
// backup file). 1 = sent and verified; 0 = not. A site whose SFRevision is
// not a format the panel knows is refused before the panel is touched, with
// kSiteFormatText first.
int SendSettingsJob(PanelSession& s, const SendOptions& options = {});
