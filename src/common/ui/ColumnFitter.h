// Keeps the columns of a grid as wide as their contents. A column narrower than its numbers
// shows "3...." where a coefficient stands, which reads as a different value; so the columns are
// fitted again whenever the text size, the set of shown columns or the data change, and a column
// only ever widens when scrolling brings longer texts into view.
#pragma once

#include <QObject>

class QTableView;

namespace kinetra::ui {

class ColumnFitter final : public QObject {
    Q_OBJECT
public:
    // Fits the grid from now on; the fitter belongs to the grid.
    explicit ColumnFitter(QTableView* grid);

    // Fits every shown column to its header and to the rows around the shown ones (the text
    // size, the column set or the data changed); a hidden grid is fitted once it is shown.
    void fitAll();
    // Widens the shown columns that are narrower than a shown cell; never narrows.
    void widenForShownRows();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* grid_;
    bool fitPending_ = false; // asked to fit while the grid was hidden
};

} // namespace kinetra::ui
