// A table of the post-processor: the mean parameters or the species, one row per quantity and
// one column per output time after the row's own columns (symbol and unit, or formula and
// initial mole fraction). A row is checked for View checked rows and Numeric Data; the values
// come from the core (MeanParameters, ResultProfiles) and are formatted when drawn, so a run of
// hundreds of species and thousands of records costs nothing until it is looked at.
#pragma once

#include "results/ResultActions.h"

#include <QAbstractTableModel>
#include <vector>

namespace kinetra::solver::ui {

class ResultTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Kind { Means, Species };
    static constexpr int kOwnColumns = 2;

    ResultTableModel(Kind kind, const results::SolverOutput& output,
                     const std::vector<results::MeanParameters>& means,
                     const results::PlotSettings& settings, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    results::ResultRow resultRow(int row) const;
    std::vector<results::ResultRow> checkedRows() const;
    void setChecked(int row, bool checked);
    // The units or the species' form changed: every value is drawn again.
    void refresh();

private:
    Kind kind_;
    const results::SolverOutput& output_;
    const std::vector<results::MeanParameters>& means_;
    const results::PlotSettings& settings_;
    std::vector<bool> checked_;
};

} // namespace kinetra::solver::ui
