// new, show and set: the site file on its own.
#include "cli/cli.h"
#include "cli/cli_files.h"
#include "cli/cli_json.h"

#include "codec/setting_rules.h"
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

bool SameIgnoringCase(const char* a, const char* b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (; *a && *b; ++a, ++b)
        if (lower(*a) != lower(*b))
            return false;
    return *a == *b;
}

// A setting of the site whose name differs from name only in case, for the
// hint under a refused name; empty when there is none.
std::string SameNameOtherCase(const std::string& name) {
    SettingsStore* store = StoreSelect(nullptr);
    for (int i = 0; i < kStoreSlotCount; ++i)
        if (const SettingRecord* r = StoreRecordAt(store, i);
            r && SameIgnoringCase(r->name, name.c_str()))
            return r->name;
    return {};
}

// Prints the records as show does: lines, or one JSON object.
class ShowOutput {
  public:
    ShowOutput(bool json, const std::string& site) : json_(json) {
        if (json_)
            std::printf("{\"site\": %s, \"settings\": {", JsonString(site).c_str());
    }
    void Add(const SettingRecord& record) {
        if (!json_) {
            std::printf("%s\n", SiteFileLine(record).c_str());
            return;
        }
        std::printf("%s\n  %s: %s", first_ ? "" : ",", JsonString(record.name).c_str(),
                    JsonString(record.value).c_str());
        first_ = false;
    }
    void Finish(const std::vector<std::string>& missing, bool named) {
        if (!json_)
            return;
        std::printf("%s}", first_ ? "" : "\n");
        if (named) {
            std::printf(", \"missing\": [");
            for (size_t i = 0; i < missing.size(); ++i)
                std::printf("%s%s", i ? ", " : "", JsonString(missing[i]).c_str());
            std::printf("]");
        }
        std::printf("}\n");
    }

  private:
    bool json_;
    bool first_ = true;
};

// Why a NAME=VALUE of set cannot be stored as given; empty when it can.
std::string SetFault(const std::string& name, const std::string& value, bool newName) {
    // A panel field's setting that the site lacks (an output delay, say) is
    // a name a site has: the panel reads it as 0 until it is set.
    if (!SettingGet(name.c_str()) && !SettingHasPanelField(name.c_str()) && !newName) {
        std::string hint = SameNameOtherCase(name);
        return "a site has no setting of that name" +
               (hint.empty() ? std::string() : " (names are case-sensitive: " + hint + "?)") +
               "; give --new to add it";
    }
    std::string fault = SettingValueFault(name.c_str(), value.c_str());
    return fault.empty() ? fault : "the value " + fault;
}

} // namespace

int CmdNew(const CliOptions& options) {
    if (options.args.size() != 2) {
        CliMessage("usage: m720-cli new SITE [--force]");
        return kExitBadInput;
    }
    if (int status = CliRefuseExisting(options.args[1], options.force))
        return status;
    CliEmptySite();
    FillSiteDefaults();
    return CliSaveSite(options.args[1]);
}

int CmdShow(const CliOptions& options) {
    if (options.args.size() < 2) {
        CliMessage("usage: m720-cli show SITE [NAME...] [--json]");
        return kExitBadInput;
    }
    const std::string& site = options.args[1];
    if (int status = CliLoadSite(site, options.loadErrors); status != kExitDone)
        return status;
    ShowOutput out(options.json, site);
    std::vector<std::string> missing;
    if (options.args.size() == 2) {
        // The file's settings in the file's order, then the defaults the
        // load added.
        std::vector<std::string> names;
        SiteFileNames(site.c_str(), &names);
        std::unordered_set<const SettingRecord*> shown;
        for (const std::string& name : names) {
            if (const SettingRecord* record = RecordOf(SettingGet(name.c_str()));
                record && shown.insert(record).second)
                out.Add(*record);
        }
        SettingsStore* store = StoreSelect(nullptr);
        for (int i = 0; i < kStoreSlotCount; ++i) {
            const SettingRecord* record = StoreRecordAt(store, i);
            if (record && !shown.count(record))
                out.Add(*record);
        }
        out.Finish(missing, false);
        return kExitDone;
    }
    // A JSON object holds each name once, however often it was asked for.
    std::unordered_set<std::string> asked;
    for (size_t k = 2; k < options.args.size(); ++k) {
        if (options.json && !asked.insert(options.args[k]).second)
            continue;
        if (const char* value = SettingGet(options.args[k].c_str()))
            out.Add(*RecordOf(value));
        else
            missing.push_back(options.args[k]);
    }
    out.Finish(missing, true);
    for (const std::string& name : missing) {
        std::string hint = SameNameOtherCase(name);
        CliFileFault(site, "no setting " + name +
                               (hint.empty() ? std::string()
                                             : " (names are case-sensitive: " + hint + "?)"));
    }
    return missing.empty() ? kExitDone : kExitFailed;
}

int CmdSet(const CliOptions& options) {
    if (options.args.size() < 3) {
        CliMessage("usage: m720-cli set SITE NAME=VALUE... [--new]");
        return kExitBadInput;
    }
    for (size_t k = 2; k < options.args.size(); ++k) {
        const std::string& a = options.args[k];
        size_t eq = a.find('=');
        if (eq == std::string::npos || eq == 0) {
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
    // Every refusal is named before anything is written, so one run shows
    // all that must change.
    bool refused = false;
    for (size_t k = 2; k < options.args.size(); ++k) {
        const std::string& a = options.args[k];
        const size_t eq = a.find('=');
        const std::string fault = SetFault(a.substr(0, eq), a.substr(eq + 1), options.newName);
        if (!fault.empty()) {
            CliMessage("m720-cli: " + a.substr(0, eq) + ": " + fault);
            refused = true;
        }
    }
    if (refused) {
        CliMessage("m720-cli: " + options.args[1] + " was not changed");
        return kExitBadInput;
    }
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
