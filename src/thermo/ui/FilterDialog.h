// The filter window of the species names: the whole table is filtered by a wildcard pattern
// through ThermoTable::filter, and the window closes once rows are shown.
#pragma once

#include "thermo/ThermoTable.h"

#include <QDialog>

class QLineEdit;

namespace kinetra::thermo::ui {

class FilterDialog final : public QDialog {
    Q_OBJECT
public:
    // Place code of unexpected errors while filtering.
    static constexpr const char* kPlaceCode = "TDB#094. ";

    FilterDialog(ThermoTable& table, Dialogs& dialogs, QWidget* parent = nullptr);

public slots:
    void filter();

signals:
    // The table shows the filtered rows.
    void filtered();

private:
    ThermoTable& table_;
    Dialogs& dialogs_;
    QLineEdit* pattern_ = nullptr;
};

} // namespace kinetra::thermo::ui
