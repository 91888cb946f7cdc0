#include "cli/cli_interrupt.h"

#include "cli/cli.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>

#ifndef _WIN32
#include <time.h>
#include <unistd.h>
#else
#include <io.h>
#include <windows.h>
#endif

namespace {

// Read by the handler: plain lock-free atomics only.
std::atomic<int> g_mode{-1};
std::atomic<const char*> g_partlyWritten{nullptr};
std::atomic<long long> g_firstPress{0}; // milliseconds of the warned Ctrl-C, 0 none
std::atomic<bool> g_terminal{false};

constexpr long long kSecondPressMs = 3000;

long long NowMs() {
#ifndef _WIN32
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
#else
    return static_cast<long long>(GetTickCount64());
#endif
}

void Say(const char* text) {
#ifndef _WIN32
    ssize_t ignored = write(2, text, std::strlen(text));
    (void)ignored;
#else
    _write(2, text, static_cast<unsigned>(std::strlen(text)));
#endif
}

[[noreturn]] void Stop() {
    std::_Exit(kExitInterrupted);
}

// Only async-signal-safe calls from here on.
void OnInterrupt(int) {
    if (g_terminal.load())
        Say("\n"); // off the progress line
    if (g_mode.load() == static_cast<int>(CliInterruptMode::kStopAtOnce)) {
        Say("m720-cli: stopped; nothing was written\n");
        Stop();
    }
    const long long now = NowMs();
    const long long first = g_firstPress.load();
    if (first != 0 && now - first <= kSecondPressMs) {
        Say("m720-cli: stopped: ");
        const char* text = g_partlyWritten.load();
        Say(text ? text : "the panel is partly written");
        Say("\n");
        Stop();
    }
    g_firstPress.store(now == 0 ? 1 : now);
    Say("m720-cli: stopping now leaves the panel partly written, so the job goes on; "
        "press Ctrl-C again within 3 seconds to stop it anyway\n");
#ifdef _WIN32
    std::signal(SIGINT, OnInterrupt); // Windows resets the handler on each signal
#endif
}

void Install(void (*handler)(int)) {
#ifndef _WIN32
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the job's reads and writes go on undisturbed
    sigaction(SIGINT, &action, nullptr);
#else
    std::signal(SIGINT, handler);
#endif
}

} // namespace

CliInterruptGuard::CliInterruptGuard(CliInterruptMode mode, const char* partlyWritten) {
    g_partlyWritten.store(partlyWritten);
    g_firstPress.store(0);
    g_terminal.store(CliIsTerminal(2));
    g_mode.store(static_cast<int>(mode));
    Install(OnInterrupt);
}

CliInterruptGuard::~CliInterruptGuard() {
    Install(SIG_DFL);
    g_mode.store(-1);
}
