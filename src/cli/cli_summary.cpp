#include "cli/cli_summary.h"

#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <cstdio>

namespace {

int CountNumbered(const char* pattern) {
    char name[40];
    int n = 0;
    for (;; ++n) {
        std::snprintf(name, sizeof name, pattern, n + 1);
        if (!SettingGet(name))
            return n;
    }
}

} // namespace

CliSiteSummary CliSummarise() {
    CliSiteSummary summary;
    if (const char* name = SettingGet("SiteName"))
        summary.siteName = name;
    if (const char* version = SettingGet("SFRevision"))
        summary.formatVersion = version;
    char name[40];
    for (int n = 1; n <= kLoopAddresses; ++n) {
        std::snprintf(name, sizeof name, "Type_%d", n);
        if (SettingGetInt(name) != 0)
            ++summary.devices;
    }
    summary.fireEvents = CountNumbered("FireEvent_%d");
    summary.nonFireEvents = CountNumbered("NonFireEvent_%d");
    return summary;
}

std::string CliPrintable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c >= 0x7F || c == '\\') {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%03o", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}
