#pragma once
// Asks the OS to wake the calling thread from timed waits as close to the
// requested time as it can (no timer slack). The simulated panel uses it so
// that a reply due in 1 ms arrives after 1 ms, not after 1 ms plus the OS's
// default grouping of timer wake-ups.
void UsePreciseWaits();
