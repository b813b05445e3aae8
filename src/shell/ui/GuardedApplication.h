// The workbench's QApplication. An exception that leaves a slot, a timer or any other event
// handler would otherwise pass through Qt's event loop and abort the program; here it ends
// at the delivery of that one event: the place code and the description are shown and the
// program goes on, as `guarded` does for the operations that name their own place code.
#pragma once

#include "common/Seams.h"

#include <QApplication>

namespace kinetra::ui {

// The place code of an error no operation caught for itself.
inline constexpr const char* kEventPlaceCode = "MDI#090. ";
// A command of the main window's menus or toolbars failed.
inline constexpr const char* kCommandPlaceCode = "MDI#091. ";

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    // Where the message goes; until set, the error goes to standard error.
    void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    Dialogs* dialogs_ = nullptr;
};

} // namespace kinetra::ui
