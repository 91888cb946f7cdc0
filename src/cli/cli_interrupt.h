#pragma once
// Ctrl-C while a panel job runs. Reading the panel stops at once and
// writes nothing; writing it goes on after a first Ctrl-C (stopping then
// leaves the panel partly written) and stops at a second one within three
// seconds, saying what the panel now holds.

#include <string>
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

// The progress line on stderr, kept here since a Ctrl-C must blank it.
// CliDrawProgress redraws it from its start (blanking what a longer line
// before it left), unless a stopped write is ending the run: its last
// message then has the line to itself. CliClearProgress blanks it.
void CliDrawProgress(const std::string& line);
void CliClearProgress();

// Ctrl-C waits while this lives: a file being replaced (a site, a block,
// a simulated panel's memory written back) is finished first, since a
// stop half way would leave its temporary file beside it and, for the
// simulator, the panel's memory unsaved. A press meanwhile takes effect as
// it ends. Start() begins the wait later than construction, so that it
// can be made to outlive what is destroyed after it was declared.
class CliHoldInterrupt {
  public:
    explicit CliHoldInterrupt(bool now = true);
    ~CliHoldInterrupt();
    void Start();
    CliHoldInterrupt(const CliHoldInterrupt&) = delete;
    CliHoldInterrupt& operator=(const CliHoldInterrupt&) = delete;

  private:
    bool held_ = false;
};
