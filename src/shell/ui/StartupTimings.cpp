#include "shell/ui/StartupTimings.h"

#include <QtGlobal>

namespace kinetra::ui {

StartupTimings StartupTimings::fromEnvironment() {
    StartupTimings t;
    if (qEnvironmentVariableIntValue("KINETRA_FAST_START") == 1)
        t.titleClose = t.titleLoad + 100;
    return t;
}

} // namespace kinetra::ui
