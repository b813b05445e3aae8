#include "solver/ui/ResultTableModel.h"

#include "common/NumberFormat.h"

namespace kinetra::solver::ui {

namespace {

using results::MeanQuantity;

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// The patterns of the mean parameters: T and M "0.00", P, C and Ro "0.00E+00", H and Cp
// "0.000".
const char* meanPattern(MeanQuantity q) {
    switch (q) {
    case MeanQuantity::Temperature:
    case MeanQuantity::MolecularWeight:
        return "0.00";
    case MeanQuantity::Enthalpy:
    case MeanQuantity::HeatCapacity:
        return "0.000";
    default:
        return "0.00E+00";
    }
}

} // namespace

ResultTableModel::ResultTableModel(Kind kind, const results::SolverOutput& output,
                                   const std::vector<results::MeanParameters>& means,
                                   const results::PlotSettings& settings, QObject* parent)
    : QAbstractTableModel(parent), kind_(kind), output_(output), means_(means), settings_(settings),
      checked_(kind == Kind::Means ? results::kMeanQuantityCount : output.species.size()) {}

int ResultTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(checked_.size());
}

int ResultTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kOwnColumns + static_cast<int>(means_.size());
}

results::ResultRow ResultTableModel::resultRow(int row) const {
    if (kind_ == Kind::Means)
        return {static_cast<MeanQuantity>(row), 0};
    return {std::nullopt, static_cast<std::size_t>(row)};
}

QVariant ResultTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int row = index.row(), column = index.column();
    if (role == Qt::CheckStateRole && column == 0)
        return checked_[static_cast<std::size_t>(row)] ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::TextAlignmentRole && column >= kOwnColumns)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const results::ResultRow r = resultRow(row);
    if (column < kOwnColumns) {
        if (r.mean) {
            const auto text = results::meanQuantityText(*r.mean, settings_.concentrationUnit,
                                                        settings_.energyUnit);
            return qs(column == 0 ? text.symbol : text.unit);
        }
        const results::OutputSpecies& s = output_.species[r.species];
        return column == 0 ? qs(s.formula)
                           : qs(formatNumber(results::initialMoleFraction(output_, r.species),
                                             "0.000E+00"));
    }
    const auto record = static_cast<std::size_t>(column - kOwnColumns);
    const results::MeanParameters& m = means_[record];
    if (r.mean)
        return qs(formatNumber(results::meanQuantityValue(m, *r.mean), meanPattern(*r.mean)));
    return qs(formatNumber(results::speciesValue(m, r.species, settings_.concentrations),
                           "0.00000000E+00"));
}

bool ResultTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || index.column() != 0)
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

void ResultTableModel::setChecked(int row, bool checked) {
    checked_[static_cast<std::size_t>(row)] = checked;
    const QModelIndex cell = index(row, 0);
    emit dataChanged(cell, cell, {Qt::CheckStateRole});
}

std::vector<results::ResultRow> ResultTableModel::checkedRows() const {
    std::vector<results::ResultRow> rows;
    for (std::size_t i = 0; i < checked_.size(); ++i)
        if (checked_[i])
            rows.push_back(resultRow(static_cast<int>(i)));
    return rows;
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical) {
        const results::ResultRow r = resultRow(section);
        if (r.mean)
            return qs(results::meanQuantityText(*r.mean, settings_.concentrationUnit,
                                                settings_.energyUnit)
                          .name);
        return qs(output_.species[r.species].name);
    }
    if (section < kOwnColumns) {
        if (kind_ == Kind::Means)
            return section == 0 ? QStringLiteral("Symbol") : QStringLiteral("Unit");
        return section == 0 ? QStringLiteral("MolFormula")
                            : QStringLiteral("Initial mole fraction");
    }
    return qs(
        formatNumber(means_[static_cast<std::size_t>(section - kOwnColumns)].time, "0.000E+00") +
        " s");
}

Qt::ItemFlags ResultTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

void ResultTableModel::refresh() {
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

} // namespace kinetra::solver::ui
