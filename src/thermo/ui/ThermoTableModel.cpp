#include "thermo/ui/ThermoTableModel.h"

#include "common/PlaceError.h"
#include "thermo/ui/ThermoPlaceCodes.h"

namespace kinetra::thermo::ui {

ThermoTableModel::ThermoTableModel(ThermoTable& table, Dialogs& dialogs, QObject* parent)
    : QAbstractTableModel(parent), table_(table), dialogs_(dialogs) {}

void ThermoTableModel::reload() {
    beginResetModel();
    endResetModel();
}

int ThermoTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rowCount());
}

int ThermoTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.columns().size());
}

QVariant ThermoTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdString(table_.cellText(row, column));
    case Qt::ForegroundRole:
        if (table_.isInvalid(row))
            return invalidColour_;
        return {};
    case Qt::TextAlignmentRole:
        if (table_.columns()[column].numeric)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ThermoTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return QString::fromStdString(table_.columns().at(static_cast<std::size_t>(section)).caption);
}

Qt::ItemFlags ThermoTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && !table_.viewOnly() &&
        table_.isColumnEditable(static_cast<std::size_t>(index.column())))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ThermoTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid())
        return false;
    const std::size_t rowsBefore = table_.rowCount();
    bool written = false;
    // A store error must not reach Qt's event loop from inside the view's editor.
    guarded(dialogs_, place::kCellEdit, [&] {
        written = table_.setCell(static_cast<std::size_t>(index.row()),
                                 static_cast<std::size_t>(index.column()),
                                 value.toString().toStdString());
    });
    // The edit may have changed other cells (formula, weight, the Info of duplicates); a reset
    // here would drop the view's current cell, so only the data is announced when it can be.
    if (table_.rowCount() != rowsBefore)
        reload();
    else if (rowCount() > 0)
        emit dataChanged(this->index(0, 0), this->index(rowCount() - 1, columnCount() - 1));
    emit edited();
    return written;
}

} // namespace kinetra::thermo::ui
