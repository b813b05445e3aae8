// The small fixed windows of the main window: the number-format help and About.
#pragma once

class QDialog;
class QWidget;

namespace kinetra::ui {

// The help shown after a failed number-format check; the caller runs it modally.
QDialog* newNumberFormatHelp(QWidget* parent);

void showAbout(QWidget* parent);

} // namespace kinetra::ui
