// new, show and set: the site file on its own.
#include "cli/cli.h"

#include "model/settings_store.h"
#include "model/site_defaults.h"
#include "model/site_file.h"

#include <cstddef>
#include <cstdio>
#include <unordered_set>

namespace {
// The record whose value field this is.
const SettingRecord* RecordOf(const char* value) {
    return value ? reinterpret_cast<const SettingRecord*>(value - offsetof(SettingRecord, value))
                 : nullptr;
}
} // namespace

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
    if (options.args.size() == 2) {
        // The file's settings in the file's order, then the defaults the
        // load added.
        std::vector<std::string> names;
        SiteFileNames(options.args[1].c_str(), &names);
        std::unordered_set<const SettingRecord*> shown;
        for (const std::string& name : names) {
            if (const SettingRecord* record = RecordOf(SettingGet(name.c_str()));
                record && shown.insert(record).second)
                std::printf("%s\n", SiteFileLine(*record).c_str());
        }
        SettingsStore* store = StoreSelect(nullptr);
        for (int i = 0; i < kStoreSlotCount; ++i) {
            const SettingRecord* record = StoreRecordAt(store, i);
            if (record && !shown.count(record))
                std::printf("%s\n", SiteFileLine(*record).c_str());
        }
        return kExitDone;
    }
    int status = kExitDone;
    for (size_t k = 2; k < options.args.size(); ++k) {
        const char* value = SettingGet(options.args[k].c_str());
        if (!value) {
            status = kExitFailed;
            continue;
        }
        std::printf("%s\n", SiteFileLine(*RecordOf(value)).c_str());
    }
    return status;
}

int CmdSet(const CliOptions& options) {
    if (options.args.size() < 3) {
        CliMessage("usage: m720-cli set SITE NAME=VALUE...");
        return kExitBadInput;
    }
    for (size_t k = 2; k < options.args.size(); ++k) {
        const std::string& a = options.args[k];
        size_t eq = a.find('=');
        if (eq == std::string::npos) {
            CliMessage("m720-cli: expected NAME=VALUE, got " + a);
            return kExitBadInput;
        }
        // Saving such a name would make a file that its next load refuses.
        if (!SiteFileKeepsName(a.substr(0, eq).c_str())) {
            CliMessage("m720-cli: a site file cannot keep the name " + a.substr(0, eq));
            return kExitBadInput;
        }
        // The store would cut them: the site would not hold what was asked.
        if (eq > kSettingNameSize - 1 || a.size() - eq - 1 > kSettingValueSize - 1) {
            CliMessage("m720-cli: names hold at most 127 characters and values at most 1023: " +
                       a.substr(0, eq < 40 ? eq : 40));
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
