#pragma once
// Ctrl-C while a panel job runs. Reading the panel stops at once and
// writes nothing; writing it goes on after a first Ctrl-C (stopping then
// leaves the panel partly written) and stops at a second one within three
// seconds, saying what the panel now holds.

#include <functional>
#include <thread>

class PanelJobScope;

enum class CliInterruptMode {
    kStopAtOnce, // get, info: nothing has been written yet
    kPanelWrite, // send, firmware
};

// Installs the handling for its lifetime; the default handling is back
// after it. partlyWritten is the last message of a write stopped after it
// changed the panel; it must live as long as the guard. With a scope, the
// guard learns from its session whether the panel has been changed yet,
// and a stopped write to a simulated panel first saves the simulator's
// memory as the job left it (on a thread of the guard's own, outside the
// signal handler), as a real panel keeps what it was sent. The guard must
// end before the scope.
class CliInterruptGuard {
  public:
    explicit CliInterruptGuard(CliInterruptMode mode, const char* partlyWritten = nullptr,
                               PanelJobScope* scope = nullptr);
    ~CliInterruptGuard();
    CliInterruptGuard(const CliInterruptGuard&) = delete;
    CliInterruptGuard& operator=(const CliInterruptGuard&) = delete;

  private:
    PanelJobScope* scope_;
    std::thread stopper_;
};

// Whether the job under the last guard with a scope sent anything that
// changes the panel's memory.
bool CliPanelChanged();

// The exit status of a run stopped by Ctrl-C, as shells report SIGINT.
constexpr int kExitInterrupted = 130;

// Runs draw, a redraw of the progress line, unless a stopped write is ending
// the run: its last message then starts a line of its own.
void CliDrawProgress(const std::function<void()>& draw);
