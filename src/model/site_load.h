#pragma once
// Load of a site file as both faces do it: the file is read into a scratch
// store and the defaults of a new site are added; the site store takes it
// over only when the load is accepted. A refused load leaves the site store,
// the loaded checksum and the current store exactly as they were, so a
// mistyped path never costs an unsaved site.

struct SettingsStore;

struct SiteLoadResult {
    int code = -2;         // SiteFileRead's: 0 check value matches, -1 it does not, -2 not opened
    int dropped = 0;       // settings of the file a full store could not take
    bool overflow = false; // the file with the defaults does not fit one store
    bool notSiteFile =
        false;             // not one line has the site file's form: refused, also with keepErrors
    bool accepted = false; // the site store now holds the file plus defaults
};

// Loads path for site. Accepted when the file was read whole and fits with
// the defaults, and code is 0, or -1 with keepErrors (the load_errors word).
// A file of which not one line has the site file's form (random bytes, an
// empty file, a firmware file) is no site, whatever keepErrors says: loaded
// it would be a site of all defaults, and sent it would reset a panel. A
// file of only a Check line is a valid empty site.
// Accepted: site holds the file's settings plus the defaults, is the current
// store, and its checksum is the loaded checksum. Refused: nothing changes
// (only when no store was current does site become current). site may be an
// initialised store or a default-constructed one; a nullptr site or path
// refuses with -2. Shows nothing: each face gives its own messages.
SiteLoadResult SiteLoad(SettingsStore* site, const char* path, bool keepErrors);
