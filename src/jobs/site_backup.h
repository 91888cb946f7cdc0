#pragma once
// The backup a send makes before it writes anything: the panel's current
// site data and loop data (read as a get reads them, without the logs) saved
// as a site file in the user's data folder, one new file per backup.

#include "link/panel_protocol.h"

#include <ctime>
#include <string>

// $XDG_DATA_HOME/m720/backups, else ~/.local/share/m720/backups (on Windows
// %LOCALAPPDATA%\m720\backups).
std::string BackupFolder();

// "SITENAME-YYYYMMDD-HHMMSS.psf" for the local time, the site name reduced to
// letters, digits, '-' and '_' (others become '_'; "site" when none is left).
std::string BackupFileName(const char* siteName, std::time_t when);

enum class PanelSiteRead {
    kRead,
    kNoSite,  // the site data region is blank (all 0xFF)
    kNotRead, // the panel did not answer (its fault message has been shown)
    kNotSite, // the site data are in a format this program does not know
};

// Reads the panel's site data and loop data into the current store, which
// the site data replace (as a get does, without the firmware version and
// the logs). buffer: kTransferBufferSize bytes. With checkValuesMatch, the
// log memory is read too and *checkValuesMatch says whether both blocks
// match the check values a send left there (kNotRead when it cannot be read).
PanelSiteRead ReadPanelSite(PanelSession& s, uint8_t* buffer, bool* checkValuesMatch = nullptr);

enum class BackupOutcome {
    kSaved,    // *path names the new file
    kNoSite,   // the site data region is blank (all 0xFF): nothing to keep
    kNotRead,  // the panel did not answer (its fault message has been shown)
    kNotSite,  // the site data are in a format this program cannot keep
    kDamaged,  // left by a send stopped among its erases (first page blank,
               // a check value the data do not match): nothing to keep
    kNotSaved, // the file could not be written (*path names it)
};

// Reads the panel into a store of its own (the current store and the loaded
// checksum stay as they were) and saves it in folder under a name no older
// backup has. Shows no message of its own.
BackupOutcome BackupPanelSite(PanelSession& s, const std::string& folder, std::string* path);
