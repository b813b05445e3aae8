#include "common/ui/TableCopy.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStringList>
#include <algorithm>
#include <climits>

namespace kinetra::ui {

namespace {

class CtrlCCopier final : public QObject {
public:
    CtrlCCopier(QAbstractItemView* view, std::function<void(const std::string&)> setText)
        : QObject(view), view_(view), setText_(std::move(setText)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool isKey =
            event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
        if (watched != view_ || !isKey ||
            !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
            return QObject::eventFilter(watched, event);
        // The key stays the table's even where a window's menu gives Ctrl+C to a command.
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        setText_(selectedCellsText(*view_).toStdString());
        return true;
    }

private:
    QAbstractItemView* view_;
    std::function<void(const std::string&)> setText_;
};

} // namespace

QString selectedCellsText(const QAbstractItemView& view) {
    QModelIndexList cells;
    if (const QItemSelectionModel* selection = view.selectionModel())
        cells = selection->selectedIndexes();
    if (cells.isEmpty() && view.currentIndex().isValid())
        cells.append(view.currentIndex());
    if (cells.isEmpty())
        return {};
    int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
    for (const QModelIndex& c : cells) {
        top = std::min(top, c.row());
        bottom = std::max(bottom, c.row());
        left = std::min(left, c.column());
        right = std::max(right, c.column());
    }
    QList<QStringList> lines(bottom - top + 1, QStringList(right - left + 1));
    for (const QModelIndex& c : cells)
        lines[c.row() - top][c.column() - left] = c.data(Qt::DisplayRole).toString();
    QStringList joined;
    for (const QStringList& line : lines)
        joined.append(line.join(QLatin1Char('\t')));
    return joined.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void copySelectionOnCtrlC(QAbstractItemView* view,
                          std::function<void(const std::string&)> setText) {
    view->installEventFilter(new CtrlCCopier(view, std::move(setText)));
}

} // namespace kinetra::ui
