// The Qt face of the reaction grid: a read-only table model over the core ReactionTable. Cell
// texts, formats, the units tips of the headers and the colour of invalid rows all come from the
// core; edits go through the input window, never through the cells.
#pragma once

#include "reactions/ReactionTable.h"

#include <QAbstractTableModel>
#include <QColor>

namespace kinetra::reactions::ui {

class ReactionTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ReactionTableModel(ReactionTable& table, QObject* parent = nullptr);

    // The font colour of invalid rows (the highlight colour of the options).
    void setInvalidColour(QColor colour) { invalidColour_ = colour; }
    // The core rows changed (any command): the view reads everything again.
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    ReactionTable& table_;
    QColor invalidColour_ = Qt::red;
};

} // namespace kinetra::reactions::ui
