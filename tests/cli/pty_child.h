#pragma once
// Runs the built m720-cli on a pseudo-terminal of a given width, as an
// engineer's terminal would run it, and lets the test act (press Ctrl-C)
// once the output shows something.
#ifndef _WIN32

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

struct PtyRun {
    int status = -1;    // exit status, or 128 + signal
    std::string output; // everything the terminal showed, "\r\n" made "\n"
};

// Starts m720-cli ARGS on a terminal of that many columns. Whenever new
// output arrives, onOutput(output so far, child pid) is called; once the
// output shows prompt, typed is typed at the terminal (once). The run ends
// when the child does (or after timeoutMs, when it is killed).
inline PtyRun RunOnPty(const std::string& args, int columns,
                       const std::function<void(const std::string&, pid_t)>& onOutput = {},
                       int timeoutMs = 60000, const std::string& prompt = "",
                       const std::string& typed = "") {
    PtyRun run;
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return run;
    const std::string slaveName = ptsname(master);
    winsize size{};
    size.ws_row = 24;
    size.ws_col = static_cast<unsigned short>(columns);
    const std::string command = std::string("exec ") + M720_CLI_PATH + " " + args;
    const pid_t pid = fork();
    if (pid == 0) {
        setsid();
        const int slave = open(slaveName.c_str(), O_RDWR);
        ioctl(slave, TIOCSCTTY, 0);
        ioctl(slave, TIOCSWINSZ, &size);
        dup2(slave, 0);
        dup2(slave, 1);
        dup2(slave, 2);
        if (slave > 2)
            close(slave);
        close(master);
        unsetenv("COLUMNS");
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string raw;
    int rawStatus = 0;
    bool reaped = false;
    bool answered = false;
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        pollfd p{master, POLLIN, 0};
        if (poll(&p, 1, 50) > 0) {
            char buffer[4096];
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n <= 0)
                break; // the terminal closed: the child has gone
            raw.append(buffer, static_cast<size_t>(n));
            if (onOutput)
                onOutput(raw, pid);
            if (!prompt.empty() && !answered && raw.find(prompt) != std::string::npos) {
                answered = true;
                ssize_t ignored = write(master, typed.data(), typed.size());
                (void)ignored;
            }
        } else if (waitpid(pid, &rawStatus, WNOHANG) == pid) {
            reaped = true;
            break;
        }
        if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(timeoutMs)) {
            kill(pid, SIGKILL);
            break;
        }
    }
    if (!reaped && waitpid(pid, &rawStatus, 0) != pid)
        rawStatus = -1;
    close(master);
    run.status = rawStatus == -1          ? -1
                 : WIFEXITED(rawStatus)   ? WEXITSTATUS(rawStatus)
                 : WIFSIGNALED(rawStatus) ? 128 + WTERMSIG(rawStatus)
                                          : -1;
    for (size_t i = 0; i < raw.size(); ++i)
        if (!(raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n'))
            run.output += raw[i];
    return run;
}

#endif
