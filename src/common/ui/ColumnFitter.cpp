#include "common/ui/ColumnFitter.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace kinetra::ui {

namespace {

// Rows measured around the shown ones by a whole fit: enough that a scroll rarely widens a
// column, few enough that a fit of ten thousand rows stays quick.
constexpr int kMeasuredRows = 500;

} // namespace

ColumnFitter::ColumnFitter(QTableView* grid) : QObject(grid), grid_(grid) {
    grid_->horizontalHeader()->setResizeContentsPrecision(kMeasuredRows);
    grid_->installEventFilter(this);
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ColumnFitter::widenForShownRows);
    connect(grid_->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            &ColumnFitter::widenForShownRows);
}

// A grid that is not shown measures every one of its rows, as it cannot tell which are on
// screen: fifteen thousand reactions took two seconds to fit before their window appeared. So a
// hidden grid is fitted when it is shown.
bool ColumnFitter::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::Show && fitPending_)
        fitAll();
    return QObject::eventFilter(watched, event);
}

void ColumnFitter::fitAll() {
    fitPending_ = !grid_->isVisible();
    if (fitPending_)
        return;
    grid_->resizeColumnsToContents();
    widenForShownRows();
}

void ColumnFitter::widenForShownRows() {
    QAbstractItemModel* model = grid_->model();
    if (!model || !grid_->isVisible())
        return;
    QHeaderView* header = grid_->horizontalHeader();
    const int precision = header->resizeContentsPrecision();
    // Only the rows on screen: this runs on every scroll step.
    header->setResizeContentsPrecision(0);
    const QAbstractItemView* view = grid_;
    for (int c = 0; c < model->columnCount(); ++c) {
        if (grid_->isColumnHidden(c))
            continue;
        const int wanted = view->sizeHintForColumn(c);
        if (wanted > grid_->columnWidth(c))
            grid_->setColumnWidth(c, wanted);
    }
    header->setResizeContentsPrecision(precision);
}

} // namespace kinetra::ui
