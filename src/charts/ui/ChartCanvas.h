// The drawing surface of a chart window: paints the chart through the one chart drawing, keeps
// where the drawing put things, and turns the mouse into clicks and zoom rectangles.
#pragma once

#include "charts/ui/ChartPainter.h"

#include <QPoint>
#include <QWidget>
#include <functional>

namespace kinetra::ui {

class ChartCanvas final : public QWidget {
    Q_OBJECT
public:
    explicit ChartCanvas(QWidget* parent = nullptr);

    // What to draw; called for every paint.
    std::function<const ChartContent&()> content;
    std::function<ChartDrawOptions()> options;

    const ChartFrame& frame() const { return frame_; }
    // Lays the chart out at the canvas's present size without showing it (tests, clicks before
    // the first paint).
    void layOut();

signals:
    void clicked(QPointF at);
    void zoomRequested(QRectF pixels);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ChartFrame frame_;
    QPoint pressedAt_;
    QPoint draggedTo_;
    bool dragging_ = false;
};

} // namespace kinetra::ui
