// The intervals of the start-up and exit timers, in milliseconds. Tests and screenshots shorten
// them; the program runs with the defaults.
#pragma once

namespace kinetra::ui {

struct StartupTimings {
    int numberFormatMessage = 700;   // from the failed number-format check to its message
    int exit = 300;                  // from an exit request to the exit routine
    int titleLoad = 600;             // from showing the title window to its checks
    int titleClose = 7500;           // the title window closes at this tick once the checks passed
    int titleProgressStep = 20;      // the title window's bar grows by 3 at each step...
    int titleProgressRestart = 2500; // ...and starts again from 0 at this tick

    // The defaults, with the title window closing just after its checks when the environment
    // variable KINETRA_FAST_START is 1.
    static StartupTimings fromEnvironment();
};

} // namespace kinetra::ui
