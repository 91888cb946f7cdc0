#pragma once
// Ctrl-C while a panel job runs. Reading the panel stops at once and
// writes nothing; writing it goes on after a first Ctrl-C (stopping then
// leaves the panel partly written) and stops at a second one within three
// seconds, saying what the panel now holds.

enum class CliInterruptMode {
    kStopAtOnce, // get, info: nothing has been written yet
    kPanelWrite, // send, firmware
};

// Installs the handling for its lifetime; the default handling is back
// after it. partlyWritten is the last message of a stopped write; it must
// live as long as the guard.
class CliInterruptGuard {
  public:
    CliInterruptGuard(CliInterruptMode mode, const char* partlyWritten = nullptr);
    ~CliInterruptGuard();
    CliInterruptGuard(const CliInterruptGuard&) = delete;
    CliInterruptGuard& operator=(const CliInterruptGuard&) = delete;
};

// The exit status of a run stopped by Ctrl-C, as shells report SIGINT.
constexpr int kExitInterrupted = 130;
