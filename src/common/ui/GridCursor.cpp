#include "common/ui/GridCursor.h"

#include <QItemSelection>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>

namespace kinetra::ui {

namespace {

int shownColumn(const QTableView& grid, int preferred) {
    const int columns = grid.model()->columnCount();
    if (preferred >= 0 && preferred < columns && !grid.isColumnHidden(preferred))
        return preferred;
    for (int c = 0; c < columns; ++c)
        if (!grid.isColumnHidden(c))
            return c;
    return 0;
}

} // namespace

void showRowCursor(QTableView& grid, std::optional<std::size_t> current,
                   const std::set<std::size_t>& selection) {
    QAbstractItemModel* model = grid.model();
    QItemSelectionModel* selectionModel = grid.selectionModel();
    if (!model || !selectionModel)
        return;
    const auto rows = static_cast<std::size_t>(model->rowCount());
    const int lastColumn = model->columnCount() - 1;
    // -1: no current row (none given, or one past the rows the grid has).
    const int currentRow = current && *current < rows ? static_cast<int>(*current) : -1;

    std::set<std::size_t> highlighted = selection;
    if (highlighted.empty() && currentRow >= 0)
        highlighted.insert(static_cast<std::size_t>(currentRow));
    QItemSelection ranges;
    for (auto it = highlighted.begin(); it != highlighted.end() && *it < rows;) {
        const std::size_t first = *it;
        std::size_t last = first;
        for (++it; it != highlighted.end() && *it == last + 1 && *it < rows; ++it)
            last = *it;
        ranges.append(QItemSelectionRange(model->index(static_cast<int>(first), 0),
                                          model->index(static_cast<int>(last), lastColumn)));
    }

    if (currentRow >= 0) {
        const QModelIndex cell =
            model->index(currentRow, shownColumn(grid, grid.currentIndex().column()));
        selectionModel->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
        selectionModel->select(ranges, QItemSelectionModel::ClearAndSelect);
        grid.scrollTo(cell);
    } else {
        selectionModel->select(ranges, QItemSelectionModel::ClearAndSelect);
    }
}

} // namespace kinetra::ui
