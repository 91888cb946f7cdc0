// encode and decode: panel blocks as files.
#include "cli/cli.h"

int CmdEncode(const CliOptions&) {
    CliMessage("m720-cli: encode is not available yet");
    return kExitBadInput;
}
int CmdDecode(const CliOptions&) {
    CliMessage("m720-cli: decode is not available yet");
    return kExitBadInput;
}
