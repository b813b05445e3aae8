// The OK and Cancel buttons at the foot of the program's dialogs: right-aligned, OK the default
// button, Cancel never taking Return. OK calls `onOk` (a dialog's own checks decide whether it
// closes); Cancel rejects the dialog.
#pragma once

#include <QString>
#include <functional>

class QBoxLayout;
class QDialog;
class QPushButton;
class QWidget;

namespace kinetra::ui {

struct DialogButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

DialogButtons addOkCancel(QDialog* dialog, QBoxLayout* layout, std::function<void()> onOk,
                          const QString& okName = QStringLiteral("ok"),
                          const QString& cancelName = QStringLiteral("cancel"));

// After a refused entry: the focus goes to the field the check names, and a text box has its
// text selected, so that typing replaces the wrong value. Nothing for no field.
void focusRefusedField(QWidget* field);

} // namespace kinetra::ui
