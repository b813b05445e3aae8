// The grid of the table windows. Qt moves the cursor of Ctrl+End, Ctrl+Home and Ctrl+arrow
// without selecting the row it lands on, so the highlight stayed on a row the user had left
// while the commands, the input window and the status line followed the cursor. Here every
// keyboard move selects the row it reaches, as Shift still extends the selection; the mouse
// keeps Ctrl+click for picking rows one by one.
#pragma once

#include <QTableView>

namespace kinetra::ui {

class RowGridView final : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
};

} // namespace kinetra::ui
