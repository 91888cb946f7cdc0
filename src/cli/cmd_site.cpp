// new, show and set: the site file on its own.
#include "cli/cli.h"

#include "model/settings_store.h"
#include "model/site_defaults.h"
#include "model/site_file.h"

#include <cstdio>

int CmdNew(const CliOptions& options) {
    if (options.args.size() != 2) {
        CliMessage("usage: m720-cli new SITE");
        return kExitBadInput;
    }
    CliEmptySite();
    FillSiteDefaults();
    return CliSaveSite(options.args[1]);
}

int CmdShow(const CliOptions& options) {
    if (options.args.size() < 2) {
        CliMessage("usage: m720-cli show SITE [NAME...]");
        return kExitBadInput;
    }
    if (int status = CliLoadSite(options.args[1], options.loadErrors); status != kExitDone)
        return status;
    SettingsStore* store = StoreSelect(nullptr);
    if (options.args.size() == 2) {
        for (int i = 0; i < kStoreSlotCount; ++i)
            if (const SettingRecord* record = StoreRecordAt(store, i))
                std::printf("%s\n", SiteFileLine(*record).c_str());
        return kExitDone;
    }
    int status = kExitDone;
    for (size_t k = 2; k < options.args.size(); ++k) {
        const char* value = SettingGet(options.args[k].c_str());
        if (!value) {
            status = kExitFailed;
            continue;
        }
        // The line of the record that holds the value.
        const SettingRecord* record = reinterpret_cast<const SettingRecord*>(
            value - offsetof(SettingRecord, value));
        std::printf("%s\n", SiteFileLine(*record).c_str());
    }
    return status;
}

int CmdSet(const CliOptions& options) {
    if (options.args.size() < 3) {
        CliMessage("usage: m720-cli set SITE NAME=VALUE...");
        return kExitBadInput;
    }
    for (size_t k = 2; k < options.args.size(); ++k) {
        if (options.args[k].find('=') == std::string::npos) {
            CliMessage("m720-cli: expected NAME=VALUE, got " + options.args[k]);
            return kExitBadInput;
        }
    }
    if (int status = CliLoadSite(options.args[1], options.loadErrors); status != kExitDone)
        return status;
    for (size_t k = 2; k < options.args.size(); ++k) {
        const std::string& a = options.args[k];
        size_t eq = a.find('=');
        std::string name = a.substr(0, eq);
        std::string value = a.substr(eq + 1);
        if (!SettingPut(name.c_str(), value.c_str())) {
            CliMessage("m720-cli: the site holds too many settings to add " + name);
            return kExitFailed;
        }
    }
    return CliSaveSite(options.args[1]);
}
