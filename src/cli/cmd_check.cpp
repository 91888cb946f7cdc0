// check, export and import-text.
#include "check/design_check.h"
#include "cli/cli.h"
#include "cli/cli_files.h"
#include "cli/cli_interrupt.h"
#include "cli/cli_json.h"
#include "cli/cli_paths.h"
#include "exports/event_log.h"
#include "exports/exports.h"
#include "exports/text_import.h"
#include "model/settings_store.h"
#include "model/site_file.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

// The value as the design check dialog shows it.
const char* StoredOrNotAvailable(const char* name) {
    const char* value = SettingGet(name);
    return value ? value : "N/A";
}

struct Export {
    const char* kind;
    int (*run)(const char* path);
    const char* done;
    const char* failed;
};

constexpr Export kExports[] = {
    {"devices", ExportDeviceData, "Device data exported", "Could not export device data"},
    {"matrix", ExportMatrix, "Matrix exported", "Could not export matrix"},
    {"texts", ExportTexts, "Text exported", "Could not export text"},
    {"events", ExportEventLog, "Log exported", "Could not export log"},
};

// The report's lines: its "\r\n" ends made plain, the last line ended.
std::string PlainLines(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 64);
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    if (!out.empty() && out.back() != '\n')
        out += '\n'; // the overflow line and the clean text have no line end
    return out;
}

std::string CheckText(const std::string& report) {
    std::string out = PlainLines(report);
    out += std::string("Quiescent Current: ") + StoredOrNotAvailable("QuiescentCurrent") + "\n";
    out += std::string("Alarm Current: ") + StoredOrNotAvailable("AlarmCurrent") + "\n";
    return out;
}

std::string JsonStored(const char* name) {
    const char* value = SettingGet(name);
    return value ? JsonString(value) : "null";
}

// {"faults": [lines of the report], "quiescentCurrent": ..., "alarmCurrent": ...}
std::string CheckJson(const std::string& report) {
    const std::string lines = PlainLines(report);
    std::string out = "{\"faults\": [";
    bool first = true;
    // The report's last line when the check stopped counting is no fault:
    // a script learns of it from "moreFaults".
    bool more = false;
    for (size_t at = 0; at < lines.size();) {
        const size_t end = lines.find('\n', at);
        const std::string line = lines.substr(at, end - at);
        at = end + 1;
        if (line.empty())
            continue;
        if (line.rfind("* * * More than ", 0) == 0) {
            more = true;
            continue;
        }
        out += (first ? "\n  " : ",\n  ") + JsonString(line);
        first = false;
    }
    out += first ? "]" : "\n]";
    out += std::string(", \"moreFaults\": ") + (more ? "true" : "false");
    out += ", \"quiescentCurrent\": " + JsonStored("QuiescentCurrent");
    out += ", \"alarmCurrent\": " + JsonStored("AlarmCurrent") + "}\n";
    return out;
}

} // namespace

int CmdCheck(const CliOptions& options) {
    if (options.args.size() != 2) {
        CliMessage("usage: m720-cli check SITE [--json]");
        return kExitBadInput;
    }
    if (int status = CliLoadSite(options.args[1], options.loadErrors); status != kExitDone)
        return status;
    auto report = std::make_unique<char[]>(kDesignReportSize);
    int faults = CheckDesign(report.get());

    std::string out = options.json ? CheckJson(faults != 0 ? report.get() : "")
                                   : CheckText(faults != 0 ? report.get() : "No Site File Errors");
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (std::fflush(stdout) != 0)
        return kExitFailed;
    return faults == 0 ? kExitDone : kExitFailed;
}

int CmdExport(const CliOptions& options) {
    const Export* chosen = nullptr;
    if (options.args.size() == 4)
        for (const Export& e : kExports)
            if (options.args[1] == e.kind)
                chosen = &e;
    if (!chosen) {
        CliMessage("usage: m720-cli export devices|matrix|texts|events SITE OUT.csv");
        return kExitBadInput;
    }
    if (int status = CliRefuseSameFile(options.args[3], options.args[2], "the site file"))
        return status;
    if (int status = CliLoadSite(options.args[2], options.loadErrors); status != kExitDone)
        return status;
    int exported = 0;
    {
        CliHoldInterrupt hold;
        exported = chosen->run(options.args[3].c_str());
    }
    if (exported != 1) {
        const std::string cause = CliWriteCause(options.args[3]);
        CliMessage(chosen->failed);
        CliFileFault(options.args[3], cause);
        return kExitFailed;
    }
    CliMessage(chosen->done);
    return kExitDone;
}

int CmdImportText(const CliOptions& options) {
    if (options.args.size() != 4) {
        CliMessage("usage: m720-cli import-text SITE TEXTFILE OUT");
        return kExitBadInput;
    }
    // Even with --force: the texts would be lost under a whole site, and
    // the site is an input that, as for every command, OUT never replaces.
    if (int status = CliRefuseSameFile(options.args[3], options.args[2], "the text file"))
        return status;
    if (int status = CliRefuseSameFile(options.args[3], options.args[1], "the site file"))
        return status;
    if (int status = CliRefuseExisting(options.args[3], options.force))
        return status;
    if (int status = CliLoadSite(options.args[1], options.loadErrors); status != kExitDone)
        return status;
    // A text file has no check value, so -1 is the usual result here.
    int dropped = 0;
    int formLines = 0;
    int result = SiteFileRead(options.args[2].c_str(), &dropped, &formLines);
    if (result == -2)
        return CliCannotRead(options.args[2]);
    if (result != 0 && result != -1)
        return kExitFailed;
    // Random bytes or a firmware file merge nothing: OUT would be SITE with
    // its texts centred, reported as an import.
    if (formLines == 0)
        return CliNotASiteFile(options.args[2]);
    // The reader passes over settings a full store cannot take: OUT would
    // then lack them without a word.
    if (dropped > 0) {
        CliMessage("m720-cli: the site cannot hold every setting of " + options.args[2] +
                   "; nothing was written");
        return kExitFailed;
    }
    CentreImportedTexts();
    if (int status = CliSaveSite(options.args[3]); status != kExitDone)
        return status;
    CliMessage("Text imported into current site file");
    return kExitDone;
}
