// info: what the panel holds, read without writing.
#include "cli/cli.h"
#include "cli/cli_interrupt.h"
#include "cli/cli_job_ui.h"
#include "cli/cli_json.h"
#include "cli/cli_panel_scope.h"
#include "cli/cli_summary.h"
#include "codec/hex_file.h"
#include "jobs/get_job.h"
#include "jobs/panel_access.h"
#include "model/settings_store.h"

#include <cstdio>
#include <string>

namespace {

struct PanelInfo {
    std::string firmwareType = "Unknown";
    std::string firmwareVersion = "Unknown";
    CliSiteSummary site;
};

void Print(const PanelInfo& info, bool json) {
    if (json) {
        std::printf("{\"firmwareType\": %s, \"firmwareVersion\": %s, \"siteName\": %s, "
                    "\"formatVersion\": %s, \"devices\": %d, \"fireEvents\": %d, "
                    "\"nonFireEvents\": %d}\n",
                    JsonString(info.firmwareType).c_str(), JsonString(info.firmwareVersion).c_str(),
                    JsonString(info.site.siteName).c_str(),
                    JsonString(info.site.formatVersion).c_str(), info.site.devices,
                    info.site.fireEvents, info.site.nonFireEvents);
        return;
    }
    std::printf("Firmware type: %s\nFirmware version: %s\nSite name: %s\nFormat version: %s\n"
                "Devices: %d\nFire events: %d\nNon-fire events: %d\n",
                CliPrintable(info.firmwareType).c_str(), CliPrintable(info.firmwareVersion).c_str(),
                CliPrintable(info.site.siteName).c_str(), info.site.formatVersion.c_str(),
                info.site.devices, info.site.fireEvents, info.site.nonFireEvents);
}

} // namespace

int CmdInfo(const CliOptions& options) {
    if (int status = CliCheckPanelUsage(options, "m720-cli info [--panel PANEL] [--json]", 1))
        return status;
    CliEmptySite();
    CliJobUi ui;
    GetJobResult result;
    PanelInfo info;
    {
        CliInterruptGuard guard(CliInterruptMode::kStopAtOnce);
        CliPanelScope held(options.panel, ui);
        PanelJobScope& scope = held.Scope();
        if (!scope.Ready())
            return kExitFailed;
        // The get job reads everything and writes nothing to the panel.
        GetSettingsJob(scope.Session(), &result);
        if (!result.siteAccepted)
            return kExitFailed;
        unsigned char type[kFirmwareTypeChars + 1] = {};
        if (ReadProgramData(scope.Session(), type, kFirmwareTypeAddress, kFirmwareTypeChars))
            info.firmwareType = FirmwareType(reinterpret_cast<const char*>(type));
    }
    if (const char* version = SettingGet("FirmwareVersion"); version && std::string(version) != "0")
        info.firmwareVersion = version;
    info.site = CliSummarise();
    Print(info, options.json);
    return result.complete && ui.Faults() == 0 ? kExitDone : kExitFailed;
}
