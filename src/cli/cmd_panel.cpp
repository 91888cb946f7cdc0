// get and send: jobs on the panel.
#include "cli/cli.h"

int CmdGet(const CliOptions&) {
    CliMessage("m720-cli: get is not available yet");
    return kExitBadInput;
}
int CmdSend(const CliOptions&) {
    CliMessage("m720-cli: send is not available yet");
    return kExitBadInput;
}
