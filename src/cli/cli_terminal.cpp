// The one platform call of the CLI: is a standard stream a terminal.
#include "cli/cli.h"

#ifdef _WIN32
#include <io.h>
bool CliIsTerminal(int fd) {
    return _isatty(fd) != 0;
}
#else
#include <unistd.h>
bool CliIsTerminal(int fd) {
    return isatty(fd) != 0;
}
#endif
