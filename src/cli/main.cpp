#include "cli/cli.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kUsage[] =
    "usage:\n"
    "  m720-cli new SITE                      write a new site (all defaults)\n"
    "  m720-cli show SITE [NAME...] [--json]  print settings in site-file line syntax\n"
    "  m720-cli set SITE NAME=VALUE...        change settings, save with a new check value\n"
    "  m720-cli check SITE [--json]           design check report, then the two currents\n"
    "  m720-cli export devices|matrix|texts|events SITE OUT.csv\n"
    "  m720-cli import-text SITE TEXTFILE OUT create OUT: SITE with TEXTFILE merged and texts "
    "centred\n"
    "  m720-cli encode SITE IMAGE LOOP        6144-byte site data image, 3072-byte loop block\n"
    "  m720-cli decode IMAGE [LOOP] OUT       a site file from panel blocks\n"
    "  m720-cli get OUT [--panel PANEL]       read the panel into a site file\n"
    "  m720-cli send SITE [--panel PANEL] [--yes] [--accept-errors] [--no-backup]\n"
    "  m720-cli firmware HEXFILE [--panel PANEL] [--yes]\n"
    "  m720-cli info [--panel PANEL] [--json] what the panel holds, read only\n"
    "  m720-cli diff SITE [--panel PANEL]     settings where the panel differs from SITE\n"
    "  m720-cli --help | --version\n"
    "\n"
    "options:\n"
    "  --panel PANEL     usb (default) or sim:PATH[,latency-ms=N,silent-after=N,\n"
    "                    flip-readback,end=N]; M720_PANEL gives the default\n"
    "  --yes             answer Yes to the overwrite, firmware and downgrade questions\n"
    "  --accept-errors   answer Yes to sending a site with design faults\n"
    "  --load-errors     keep a site file whose check value is wrong\n"
    "  --force           let new, get, decode and import-text replace an existing file,\n"
    "                    and encode a file that is not a block of its size\n"
    "  --new             let set create a setting a site does not have\n"
    "  --json            show, check and info as one JSON object on stdout\n"
    "  --no-backup       send without first saving the panel's site in\n"
    "                    $XDG_DATA_HOME/m720/backups/\n"
    "\n"
    "exit status: 0 done, 1 the job or check failed, 2 bad usage or unreadable input,\n"
    "130 stopped by Ctrl-C\n";

struct Command {
    const char* name;
    int (*run)(const CliOptions&);
};

constexpr Command kCommands[] = {
    {"new", CmdNew},       {"show", CmdShow},         {"set", CmdSet},
    {"check", CmdCheck},   {"export", CmdExport},     {"import-text", CmdImportText},
    {"encode", CmdEncode}, {"decode", CmdDecode},     {"get", CmdGet},
    {"send", CmdSend},     {"firmware", CmdFirmware}, {"info", CmdInfo},
    {"diff", CmdDiff},
};

int Usage() {
    std::fputs(kUsage, stderr);
    return kExitBadInput;
}

// Results on stdout that could not be written (a full disk, a closed
// stream) make the run a failure instead of a silent success.
int Finish(int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        CliMessage("m720-cli: the output could not be written");
        return status == kExitDone ? kExitFailed : status;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    CliOptions options;
    if (const char* panel = std::getenv("M720_PANEL"); panel && *panel) {
        options.panel = panel;
        options.panelFromEnvironment = true;
    } else
        options.panel = "usb";
    bool help = false;
    bool version = false;
    bool onlyWords = false;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (onlyWords || a[0] != '-' || a[1] == '\0') {
            options.args.push_back(a);
        } else if (std::strcmp(a, "--") == 0) {
            onlyWords = true;
        } else if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
            help = true;
        } else if (std::strcmp(a, "--version") == 0) {
            version = true;
        } else if (std::strcmp(a, "--yes") == 0) {
            options.yes = true;
        } else if (std::strcmp(a, "--accept-errors") == 0) {
            options.acceptErrors = true;
        } else if (std::strcmp(a, "--load-errors") == 0) {
            options.loadErrors = true;
        } else if (std::strcmp(a, "--force") == 0) {
            options.force = true;
        } else if (std::strcmp(a, "--new") == 0) {
            options.newName = true;
        } else if (std::strcmp(a, "--json") == 0) {
            options.json = true;
        } else if (std::strcmp(a, "--no-backup") == 0) {
            options.noBackup = true;
        } else if (std::strcmp(a, "--panel") == 0) {
            if (i + 1 >= argc) {
                std::fputs("m720-cli: --panel needs a value\n", stderr);
                return Usage();
            }
            options.panel = argv[++i];
            options.panelFromEnvironment = false;
        } else if (std::strncmp(a, "--panel=", 8) == 0) {
            options.panel = a + 8;
            options.panelFromEnvironment = false;
        } else {
            std::fprintf(stderr, "m720-cli: unknown option %s\n", a);
            return Usage();
        }
    }
    if (help) {
        std::fputs(kUsage, stdout);
        return Finish(kExitDone);
    }
    if (version) {
        std::printf("m720-cli %s\n", M720_VERSION);
        return Finish(kExitDone);
    }
    if (options.args.empty())
        return Usage();
    for (const Command& c : kCommands)
        if (options.args[0] == c.name)
            return Finish(c.run(options));
    std::fprintf(stderr, "m720-cli: unknown command %s\n", options.args[0].c_str());
    return Usage();
}
