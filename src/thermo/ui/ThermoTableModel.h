// The Qt face of the thermo grid: a table model over the core ThermoTable. It formats nothing
// and decides nothing; cell texts, visibility, colours of invalid rows and edits all come from
// the core model.
#pragma once

#include "thermo/ThermoTable.h"

#include <QAbstractTableModel>
#include <QColor>

namespace kinetra::thermo::ui {

class ThermoTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // Errors of cell edits are reported through dialogs.
    ThermoTableModel(ThermoTable& table, Dialogs& dialogs, QObject* parent = nullptr);

    ThermoTable& table() { return table_; }
    // The font colour of invalid rows (from the options).
    void setInvalidColour(QColor colour) { invalidColour_ = colour; }
    // The core rows changed (any command): the view is told to read everything again.
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // A cell edit went into the file: the status texts may have changed.
    void edited();

private:
    ThermoTable& table_;
    Dialogs& dialogs_;
    QColor invalidColour_ = Qt::red;
};

} // namespace kinetra::thermo::ui
