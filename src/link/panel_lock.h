#pragma once
// The exclusive lock one program holds on a panel while a job talks to it: a
// lock file in the user's runtime folder, locked with the OS so that the lock
// goes away with the process.

#include <cstdint>
#include <string>

struct PanelLock {
    intptr_t handle = -1; // the open lock file, -1 when not held
};

// The lock file for a PANEL key ("usb", or the simulator's state file path).
std::string PanelLockPath(const std::string& key);

enum class PanelLockResult {
    kTaken,
    kInUse,      // another holder has it
    kNoLockFile, // the lock file cannot be made or locked at all
};

// Takes the lock without waiting.
PanelLockResult PanelLockTake(const std::string& key, PanelLock* lock);
// The same, true only when taken.
bool PanelLockAcquire(const std::string& key, PanelLock* lock);
void PanelLockRelease(PanelLock* lock);
