#include "shell/ui/GuardedApplication.h"

#include "common/PlaceError.h"

#include <iostream>

namespace kinetra::ui {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const std::string description = describeException(std::current_exception());
        if (dialogs_)
            reportUnexpectedError(*dialogs_, kEventPlaceCode, description);
        else
            std::cerr << kEventPlaceCode << description << '\n';
        return false;
    }
}

} // namespace kinetra::ui
