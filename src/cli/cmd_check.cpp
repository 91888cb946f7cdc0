// check, export and import-text.
#include "cli/cli.h"

int CmdCheck(const CliOptions&) {
    CliMessage("m720-cli: check is not available yet");
    return kExitBadInput;
}
int CmdExport(const CliOptions&) {
    CliMessage("m720-cli: export is not available yet");
    return kExitBadInput;
}
int CmdImportText(const CliOptions&) {
    CliMessage("m720-cli: import-text is not available yet");
    return kExitBadInput;
}
