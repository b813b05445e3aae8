#include "common/ui/StandardShortcuts.h"

#include <QAction>
#include <QKeySequence>

namespace kinetra::ui {

namespace {

// Written out rather than taken from QKeySequence's standard keys, which differ between desktops
// (Find Next is Ctrl+G on some): the menus show the same keys everywhere.
QKeySequence keyOf(StandardCommand command) {
    switch (command) {
    case StandardCommand::New:
        return QKeySequence(Qt::CTRL | Qt::Key_N);
    case StandardCommand::Open:
        return QKeySequence(Qt::CTRL | Qt::Key_O);
    case StandardCommand::Save:
        return QKeySequence(Qt::CTRL | Qt::Key_S);
    case StandardCommand::Cut:
        return QKeySequence(Qt::CTRL | Qt::Key_X);
    case StandardCommand::Copy:
        return QKeySequence(Qt::CTRL | Qt::Key_C);
    case StandardCommand::Paste:
        return QKeySequence(Qt::CTRL | Qt::Key_V);
    case StandardCommand::Delete:
        return QKeySequence(Qt::Key_Delete);
    case StandardCommand::SelectAll:
        return QKeySequence(Qt::CTRL | Qt::Key_A);
    case StandardCommand::Find:
        return QKeySequence(Qt::CTRL | Qt::Key_F);
    case StandardCommand::FindNext:
        return QKeySequence(Qt::Key_F3);
    }
    return {};
}

} // namespace

void giveShortcut(QAction* action, StandardCommand command) {
    action->setShortcut(keyOf(command));
}

} // namespace kinetra::ui
