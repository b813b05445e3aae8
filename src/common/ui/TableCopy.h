// Ctrl+C in a read-only table copies the selected cells as lines of tab-separated texts, which
// spreadsheets and text windows paste as a block. Qt's own copy takes the current cell only, so
// a chemist who selected a column of temperatures got a single number.
#pragma once

#include <QString>
#include <functional>
#include <string>

class QAbstractItemView;

namespace kinetra::ui {

// The selected cells' texts, one line per row from the first selected row to the last, cells
// separated by tabs over the selected columns' span (a cell outside the selection is empty).
// The current cell alone when nothing is selected.
QString selectedCellsText(const QAbstractItemView& view);

// From now on Ctrl+C in `view` hands selectedCellsText to `setText`.
void copySelectionOnCtrlC(QAbstractItemView* view, std::function<void(const std::string&)> setText);

} // namespace kinetra::ui
