#include "reactions/ui/ReactionTableModel.h"

namespace kinetra::reactions::ui {

ReactionTableModel::ReactionTableModel(ReactionTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

void ReactionTableModel::reload() {
    beginResetModel();
    endResetModel();
}

int ReactionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rowCount());
}

int ReactionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.columns().size());
}

QVariant ReactionTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    const ReactionColumn& description = table_.columns()[column];
    switch (role) {
    case Qt::DisplayRole:
        // The yes/no field shows as a tick box only.
        if (description.checkBox)
            return {};
        return QString::fromStdString(table_.cellText(row, column));
    case Qt::CheckStateRole:
        if (!description.checkBox)
            return {};
        // true is -1 in this table, false 0; an empty field reads as not ticked.
        return table_.cellText(row, column) == "-1" || table_.cellText(row, column) == "1"
                   ? Qt::Checked
                   : Qt::Unchecked;
    case Qt::ForegroundRole:
        if (table_.isInvalid(row))
            return invalidColour_;
        return {};
    case Qt::TextAlignmentRole:
        if (!description.format.empty() || column == rx::kNum)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ReactionTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    const ReactionColumn& column = table_.columns().at(static_cast<std::size_t>(section));
    if (role == Qt::DisplayRole)
        return QString::fromStdString(column.caption);
    if (role == Qt::ToolTipRole && !column.headerTip.empty())
        return QString::fromStdString(column.headerTip);
    return {};
}

} // namespace kinetra::reactions::ui
