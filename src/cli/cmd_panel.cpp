// get and send: jobs on the panel.
#include "check/design_check.h"
#include "cli/cli.h"
#include "cli/cli_files.h"
#include "cli/cli_interrupt.h"
#include "cli/cli_job_ui.h"
#include "cli/cli_panel_scope.h"
#include "cli/cli_paths.h"
#include "cli/cli_summary.h"
#include "jobs/get_job.h"
#include "jobs/panel_access.h"
#include "jobs/send_job.h"

#include <string>

namespace {

constexpr char kNotSentText[] = "m720-cli: not sent; the panel was not changed";

} // namespace

int CmdGet(const CliOptions& options) {
    if (int status = CliCheckPanelUsage(options, "m720-cli get OUT [--panel PANEL] [--force]"))
        return status;
    const std::string& out = options.args[1];
    // The site file must not take the place of the simulated panel's memory.
    PanelChoice choice;
    ParsePanelChoice(options.panel, &choice, nullptr);
    if (choice.simulated)
        if (int status = CliRefuseSameFile(out, choice.path, "the simulated panel's memory file"))
            return status;
    if (int status = CliRefuseExisting(out, options.force))
        return status;
    // A whole read of the panel is not made for a file that cannot be written.
    if (!CliWriteRefusal(out).empty())
        return CliCannotWrite(out);
    CliEmptySite();
    CliJobUi ui;
    GetJobResult result;
    // The faults of the read itself, apart from one in writing back a
    // simulated panel's file as the scope ends: the read was whole then.
    int readFaults = 0;
    {
        CliInterruptGuard guard(CliInterruptMode::kStopAtOnce);
        CliPanelScope held(options.panel, ui);
        PanelJobScope& scope = held.Scope();
        if (!scope.Ready())
            return kExitFailed;
        GetSettingsJob(scope.Session(), &result);
        readFaults = ui.Faults();
    }
    // OUT holds what the desktop's store would now hold: written whenever the
    // panel's site data were accepted, also when a later step failed.
    if (!result.siteAccepted)
        CliMessage("m720-cli: no site data were read; " + out + " was not written");
    if (result.siteAccepted) {
        if (int status = CliSaveSite(out))
            return status;
        const CliSiteSummary s = CliSummarise();
        const std::string what = "site \"" + CliPrintable(s.siteName) + "\", " +
                                 std::to_string(s.devices) + " devices, " +
                                 std::to_string(s.fireEvents) + " fire and " +
                                 std::to_string(s.nonFireEvents) + " non-fire events";
        if (result.complete && readFaults == 0)
            CliMessage("m720-cli: read the panel into " + out + ": " + what);
        else
            CliMessage("m720-cli: the read did not finish; " + out +
                       " holds what was read: " + what);
    }
    return result.siteAccepted && ui.Faults() == 0 ? kExitDone : kExitFailed;
}

int CmdSend(const CliOptions& options) {
    if (int status = CliCheckPanelUsage(
            options, "m720-cli send SITE [--panel PANEL] [--yes] [--accept-errors] [--no-backup]"))
        return status;
    if (int status = CliLoadSite(options.args[1], options.loadErrors))
        return status;
    if (int status = CliCheckSimulatorWritable(options.panel))
        return status;
    if (CheckDesign(nullptr) > 0 &&
        !(options.acceptErrors ||
          CliAsk("The site file contains errors.  Do you want to accept these errors?",
                 "--accept-errors"))) {
        CliMessage(kNotSentText);
        return kExitFailed;
    }
    if (!(options.yes ||
          CliAsk("Are you sure you wish to overwrite current panel settings?", "--yes"))) {
        CliMessage(kNotSentText);
        return kExitFailed;
    }
    CliJobUi ui;
    bool sent = false;
    {
        CliPanelScope held(options.panel, ui);
        PanelJobScope& scope = held.Scope();
        if (!scope.Ready())
            return kExitFailed;
        CliInterruptGuard guard(CliInterruptMode::kPanelWrite,
                                "the panel's site data are partly written: send again", &scope);
        // The job names its stages from the first write on; the backup's
        // read before it gets a name of ours.
        if (!options.noBackup)
            ui.SetProgressTitle("Reading the panel for a backup...");
        sent = SendSettingsJob(scope.Session(), SendOptions{!options.noBackup, ""}) == 1;
    }
    // The job's own message says the settings were not written; once it had
    // begun to write, the panel holds part of them (or all, unverified).
    if (!sent && CliPanelChanged())
        CliMessage("m720-cli: the panel's site data may be partly written: send again");
    // As for get, any fault shown counts, also one the job went on after: an
    // unanswered checksum write may have left the old checksum in log memory
    // although both regions verified. A simulator whose memory could not be
    // written back has not taken the site either.
    return sent && ui.Faults() == 0 ? kExitDone : kExitFailed;
}
