#include "common/ui/RowGridView.h"

#include <QKeyEvent>

namespace kinetra::ui {

QItemSelectionModel::SelectionFlags RowGridView::selectionCommand(const QModelIndex& index,
                                                                  const QEvent* event) const {
    if (event && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers();
        if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::ShiftModifier) &&
            key->key() != Qt::Key_Space && key->key() != Qt::Key_A)
            return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    }
    return QTableView::selectionCommand(index, event);
}

} // namespace kinetra::ui
