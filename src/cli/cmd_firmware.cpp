// firmware: update the panel from an Intel HEX file.
#include "cli/cli.h"

int CmdFirmware(const CliOptions&) {
    CliMessage("m720-cli: firmware is not available yet");
    return kExitBadInput;
}
