#pragma once
// Ctrl-C while a panel job runs. Reading the panel stops at once and
// writes nothing; writing it goes on after a first Ctrl-C (stopping then
// leaves the panel partly written) and stops at a second one within three
// seconds, saying what the panel now holds.

#include <functional>
#include <thread>

enum class CliInterruptMode {
    kStopAtOnce, // get, info: nothing has been written yet
    kPanelWrite, // send, firmware
};

// Installs the handling for its lifetime; the default handling is back
// after it. partlyWritten is the last message of a stopped write; it must
// live as long as the guard. beforeStop, when given, runs once a write is
// stopped and before the process ends, outside the signal handler (on a
// thread of the guard's own), so it may take locks and write files: a
// simulated panel keeps what it was sent so far, as a real one does.
class CliInterruptGuard {
  public:
    CliInterruptGuard(CliInterruptMode mode, const char* partlyWritten = nullptr,
                      std::function<void()> beforeStop = {});
    ~CliInterruptGuard();
    CliInterruptGuard(const CliInterruptGuard&) = delete;
    CliInterruptGuard& operator=(const CliInterruptGuard&) = delete;

  private:
    std::function<void()> beforeStop_;
    std::thread stopper_;
};

// The exit status of a run stopped by Ctrl-C, as shells report SIGINT.
constexpr int kExitInterrupted = 130;

// Runs draw, a redraw of the progress line, unless a stopped write is ending
// the run: its last message then starts a line of its own.
void CliDrawProgress(const std::function<void()>& draw);

class PanelJobScope;

// The stop action for a write to a simulated panel: its memory is saved as
// the job left it. None for the USB panel.
std::function<void()> CliKeepSimulatedPanel(PanelJobScope& scope);
