// The find window of the species names: a wildcard pattern and a direction; each Find Next
// moves the table's current row through ThermoTable::find.
#pragma once

#include "thermo/ThermoTable.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace kinetra::thermo::ui {

class FindDialog final : public QDialog {
    Q_OBJECT
public:
    // Place code of unexpected errors while searching.
    static constexpr const char* kPlaceCode = "TDB#093. ";

    FindDialog(ThermoTable& table, Dialogs& dialogs, QWidget* parent = nullptr);

    FindDirection direction() const;

public slots:
    void findNext();

signals:
    // The table's current row moved to a match: the grid moves its cursor there.
    void found();

private:
    ThermoTable& table_;
    Dialogs& dialogs_;
    QLineEdit* pattern_ = nullptr;
    QRadioButton* down_ = nullptr;
    QRadioButton* up_ = nullptr;
    QRadioButton* all_ = nullptr;
};

} // namespace kinetra::thermo::ui
