// Find and filter by reference in one window: one option finds the next row whose reference
// matches, the other filters the whole table by it.
#pragma once

#include "thermo/ThermoTable.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace kinetra::thermo::ui {

class ReferenceDialog final : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPlaceCode = "TDB#095. ";

    ReferenceDialog(ThermoTable& table, Dialogs& dialogs, QWidget* parent = nullptr);

    FindDirection direction() const;

public slots:
    void findNext();
    void filter();

signals:
    void found();
    void filtered();

private:
    void enableOption();

    ThermoTable& table_;
    Dialogs& dialogs_;
    QLineEdit* pattern_ = nullptr;
    QRadioButton* findOption_ = nullptr;
    QRadioButton* filterOption_ = nullptr;
    QWidget* findControls_ = nullptr;
    QRadioButton* down_ = nullptr;
    QRadioButton* up_ = nullptr;
    QRadioButton* all_ = nullptr;
    QPushButton* filterButton_ = nullptr;
};

} // namespace kinetra::thermo::ui
