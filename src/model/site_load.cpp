#include "model/site_load.h"

#include "model/loaded_checksum.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"
#include "model/site_file.h"

SiteLoadResult SiteLoad(SettingsStore* site, const char* path, bool keepErrors) {
    SiteLoadResult result;
    if (!site || !path)
        return result;
    SettingsStore* previous = StoreSelect(nullptr);
    uint32_t loaded = LoadedChecksum();

    SettingsStore scratch;
    StoreInit(&scratch);
    int formLines = 0;
    result.code = SiteFileRead(path, &result.dropped, &formLines);
    result.notSiteFile = result.code != -2 && formLines == 0;
    if (result.code != -2 && !result.notSiteFile) {
        FillSiteDefaults(); // records the loaded checksum: undone below on refusal
        // A full store may have passed over defaults too, which nothing counts.
        result.overflow = result.dropped > 0 || scratch.recordCount >= kStoreSlotCount;
        result.accepted = !result.overflow && (result.code == 0 || keepErrors);
    }
    if (result.accepted) {
        StoreSwap(site, &scratch);
        StoreSelect(site);
    } else {
        SetLoadedChecksum(loaded);
        // With no store current before, the site store is the only safe one
        // to leave current: the scratch store is about to go.
        StoreSelect(previous ? previous : site);
    }
    StoreFree(&scratch);
    return result;
}
