// Draws the cursor of a core table model on its grid: the current row, the highlighted rows and
// the scroll position, all three from the core state in one step. A grid that drew them apart
// once let Find Next move the current row while the highlight stayed behind, so that the input
// window and the status line spoke of a row the user was not looking at. Every table window
// redraws its cursor through this.
#pragma once

#include <cstddef>
#include <optional>
#include <set>

class QTableView;

namespace kinetra::ui {

// Sets the grid's current row, highlights `selection` (the current row alone when nothing is
// selected: that is the row the table's commands then act on) and scrolls the current row into
// view. The column of the current cell is kept when it is shown, otherwise the first shown
// column takes it. Contiguous rows are selected as one range, so highlighting thousands of
// pasted rows costs no more than a few.
void showRowCursor(QTableView& grid, std::optional<std::size_t> current,
                   const std::set<std::size_t>& selection);

} // namespace kinetra::ui
