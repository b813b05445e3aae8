#include "solver/ui/FractionTableModel.h"

namespace kinetra::solver::ui {

FractionTableModel::FractionTableModel(FractionList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

int FractionTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.rows().size());
}

int FractionTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFractionColumnCount;
}

QVariant FractionTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return QString::fromStdString(list_.cellText(static_cast<std::size_t>(index.row()),
                                                 static_cast<FractionColumn>(index.column())));
}

QVariant FractionTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return QString::fromLatin1(fractionColumnCaption(static_cast<FractionColumn>(section)));
}

Qt::ItemFlags FractionTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == static_cast<int>(FractionColumn::Fraction))
        f |= Qt::ItemIsEditable;
    return f;
}

bool FractionTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() != static_cast<int>(FractionColumn::Fraction))
        return false;
    list_.setFraction(static_cast<std::size_t>(index.row()), value.toString().toStdString());
    emit dataChanged(index, index);
    emit fractionEdited();
    return true;
}

void FractionTableModel::sort(int column, Qt::SortOrder order) {
    beginResetModel();
    list_.sortBy(static_cast<FractionColumn>(column), order == Qt::DescendingOrder);
    endResetModel();
}

void FractionTableModel::reload() {
    beginResetModel();
    list_.refresh();
    endResetModel();
}

} // namespace kinetra::solver::ui
