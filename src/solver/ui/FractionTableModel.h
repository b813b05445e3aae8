// The grid of initial mole fractions in the run settings window: an adapter of the core
// FractionList. Only the Fraction column is editable; sorting by a header click and the name
// filter are the list's, so the view owns nothing.
#pragma once

#include "solver/FractionList.h"

#include <QAbstractTableModel>

namespace kinetra::solver::ui {

class FractionTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    FractionTableModel(FractionList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    void sort(int column, Qt::SortOrder order) override;

    // The list changed as a whole (filter, Enter, Clear Fractions, Normalise).
    void reload();

signals:
    void fractionEdited();

private:
    FractionList& list_;
};

} // namespace kinetra::solver::ui
