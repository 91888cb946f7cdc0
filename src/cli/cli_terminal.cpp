// The platform calls of the CLI's terminal: is a standard stream a
// terminal, and how wide is it.
#include "cli/cli.h"

#include <cstdlib>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
bool CliIsTerminal(int fd) {
    return _isatty(fd) != 0;
}
int CliTerminalWidth() {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info))
        return info.srWindow.Right - info.srWindow.Left + 1;
    return 80;
}
#else
#include <sys/ioctl.h>
#include <unistd.h>
bool CliIsTerminal(int fd) {
    return isatty(fd) != 0;
}
int CliTerminalWidth() {
    winsize size{};
    if (ioctl(2, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    if (const char* columns = std::getenv("COLUMNS"))
        if (int n = std::atoi(columns); n > 0)
            return n;
    return 80;
}
#endif
