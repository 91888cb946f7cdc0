// Platform part of UsePreciseWaits: Linux lets a thread shrink its timer
// slack; elsewhere timed waits are left as the OS makes them.
#include "sim/precise_wait.h"

#ifdef __linux__
#include <sys/prctl.h>
#endif

void UsePreciseWaits() {
#ifdef __linux__
    thread_local bool done = false;
    if (!done) {
        prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
        done = true;
    }
#endif
}
