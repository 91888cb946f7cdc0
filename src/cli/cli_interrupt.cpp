#include "cli/cli_interrupt.h"

#include "cli/cli.h"
#include "jobs/panel_access.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#ifndef _WIN32
#include <cerrno>
#include <pthread.h>
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
// Set by the protocol as the job first sends a request that changes the panel.
std::atomic<bool> g_panelChanged{false};
// The write end of the pipe that wakes the guard's stopping thread, -1 none.
std::atomic<int> g_stopPipe{-1};

// Set by the stopping thread; the progress line is drawn under g_drawing
// and only while it is false.
std::atomic<bool> g_stopping{false};
std::mutex g_drawing;
// How many columns of the progress line are on the terminal now.
std::atomic<size_t> g_progressWidth{0};

constexpr char kWakeStop = 's';
constexpr char kWakeQuit = 'q';

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

// Off the progress line on a terminal: the line (and the "^C" the terminal
// echoed after it) is blanked, so no stale bar stays above the message.
void LeaveProgressLine() {
    if (!g_terminal.load())
        return;
    const size_t width = g_progressWidth.exchange(0);
    if (width == 0) {
        Say("\n");
        return;
    }
    static const char kBlanks[] =
        "                                                                ";
    Say("\r");
    for (size_t left = width + 2; left > 0;) {
        const size_t n = left < sizeof kBlanks - 1 ? left : sizeof kBlanks - 1;
        Say(kBlanks + (sizeof kBlanks - 1 - n));
        left -= n;
    }
    Say("\r");
}

#ifndef _WIN32
// SIGINT alone, for blocking and unblocking it.
sigset_t SigintOnly() {
    sigset_t interrupt;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    return interrupt;
}
#endif

[[noreturn]] void Stop() {
    std::_Exit(kExitInterrupted);
}

constexpr char kUnchangedText[] =
    "nothing had been written to the panel yet: it holds what it held before";

// What a stopped write has left in the panel.
const char* StoppedText() {
    if (!g_panelChanged.load())
        return kUnchangedText;
    const char* text = g_partlyWritten.load();
    return text ? text : "the panel is partly written";
}

// Only async-signal-safe calls from here on.
void OnInterrupt(int) {
    const long long now = NowMs();
    const long long first = g_firstPress.load();
    const bool second = first != 0 && now - first <= kSecondPressMs;
#ifndef _WIN32
    if (second && g_mode.load() == static_cast<int>(CliInterruptMode::kPanelWrite)) {
        // The stopping thread keeps the panel's state, goes off the progress
        // line and ends the run.
        if (const int pipe = g_stopPipe.exchange(-1); pipe >= 0) {
            ssize_t ignored = write(pipe, &kWakeStop, 1);
            (void)ignored;
            return;
        }
    }
#endif
    LeaveProgressLine();
    if (g_mode.load() == static_cast<int>(CliInterruptMode::kStopAtOnce)) {
        Say("m720-cli: stopped; nothing was written\n");
        Stop();
    }
    if (second) {
        Say("m720-cli: stopped: ");
        Say(StoppedText());
        Say("\n");
        Stop();
    }
    g_firstPress.store(now == 0 ? 1 : now);
    if (g_panelChanged.load())
        Say("m720-cli: stopping now leaves the panel partly written, so the job goes on; "
            "press Ctrl-C again within 3 seconds to stop it anyway\n");
    else
        Say("m720-cli: nothing has been written to the panel yet; the job goes on, and "
            "stopping once it writes would leave the panel partly written; press Ctrl-C "
            "again within 3 seconds to stop it now\n");
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

CliInterruptGuard::CliInterruptGuard(CliInterruptMode mode, const char* partlyWritten,
                                     PanelJobScope* scope)
    : scope_(scope) {
    g_partlyWritten.store(partlyWritten);
    g_firstPress.store(0);
    g_terminal.store(CliIsTerminal(2));
    // Without a session to tell, a stopped write is taken to have changed the panel.
    g_panelChanged.store(scope == nullptr);
    if (scope)
        scope->Session().changed = &g_panelChanged;
    g_mode.store(static_cast<int>(mode));
#ifndef _WIN32
    int ends[2];
    if (scope && scope->Simulator() && mode == CliInterruptMode::kPanelWrite && pipe(ends) == 0) {
        // The thread starts with SIGINT blocked, so the handler runs on the
        // job's thread and never on the one that ends the run.
        const sigset_t interrupt = SigintOnly();
        sigset_t before;
        pthread_sigmask(SIG_BLOCK, &interrupt, &before);
        stopper_ = std::thread([this, read = ends[0], write = ends[1]] {
            char wake = kWakeQuit;
            while (::read(read, &wake, 1) < 0 && errno == EINTR) {
            }
            close(read);
            if (wake != kWakeStop) {
                close(write);
                return;
            }
            {
                std::lock_guard<std::mutex> hold(g_drawing);
                g_stopping.store(true);
            }
            LeaveProgressLine();
            if (g_panelChanged.load() && !scope_->SaveSimulatorNow())
                CliMessage("m720-cli: the simulated panel's file could not be written; it "
                           "holds what it held before the job");
            CliMessage(std::string("m720-cli: stopped: ") + StoppedText());
            Stop();
        });
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
        g_stopPipe.store(ends[1]);
    }
#endif
    Install(OnInterrupt);
}

bool CliPanelChanged() {
    return g_panelChanged.load();
}

CliInterruptGuard::~CliInterruptGuard() {
    Install(SIG_DFL);
    g_mode.store(-1);
    if (scope_)
        scope_->Session().changed = nullptr;
#ifndef _WIN32
    if (stopper_.joinable()) {
        // A stop already under way ends the process in the thread; otherwise
        // it is told to quit.
        if (const int pipe = g_stopPipe.exchange(-1); pipe >= 0) {
            ssize_t ignored = write(pipe, &kWakeQuit, 1);
            (void)ignored;
        }
        stopper_.join();
    }
#endif
}

void CliDrawProgress(const std::string& line) {
    std::lock_guard<std::mutex> hold(g_drawing);
    if (g_stopping.load())
        return;
    std::string shown = line;
    if (const size_t last = g_progressWidth.load(); shown.size() < last)
        shown.append(last - shown.size(), ' '); // over what the last one left
    std::fprintf(stderr, "\r%s", shown.c_str());
    std::fflush(stderr);
    g_progressWidth.store(shown.size());
}

void CliClearProgress() {
    std::lock_guard<std::mutex> hold(g_drawing);
    const size_t width = g_progressWidth.exchange(0);
    if (width == 0)
        return;
    std::fprintf(stderr, "\r%s\r", std::string(width, ' ').c_str());
    std::fflush(stderr);
}

CliHoldInterrupt::CliHoldInterrupt(bool now) {
    if (now)
        Start();
}

void CliHoldInterrupt::Start() {
#ifndef _WIN32
    if (held_)
        return;
    // The program's only other thread, the stopping one, never takes SIGINT:
    // held here, it waits as pending.
    const sigset_t interrupt = SigintOnly();
    held_ = pthread_sigmask(SIG_BLOCK, &interrupt, nullptr) == 0;
#endif
}

CliHoldInterrupt::~CliHoldInterrupt() {
#ifndef _WIN32
    if (!held_)
        return;
    const sigset_t interrupt = SigintOnly();
    pthread_sigmask(SIG_UNBLOCK, &interrupt, nullptr);
#endif
}
