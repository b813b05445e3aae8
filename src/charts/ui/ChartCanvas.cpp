#include "charts/ui/ChartCanvas.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

namespace kinetra::ui {

namespace {
// A press and release closer than this is a click, not a zoom rectangle.
constexpr int kDragThreshold = 6;
} // namespace

ChartCanvas::ChartCanvas(QWidget* parent) : QWidget(parent) {
    setMinimumSize(240, 180);
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartCanvas::layOut() {
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    frame_ = drawChart(painter, QRectF(rect()), content(), options());
}

void ChartCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    frame_ = drawChart(painter, QRectF(rect()), content(), options());
    if (dragging_) {
        painter.setPen(QPen(Qt::black, 0, Qt::DashLine));
        painter.drawRect(QRect(pressedAt_, draggedTo_).normalized());
    }
}

void ChartCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    pressedAt_ = draggedTo_ = event->position().toPoint();
    dragging_ = false;
}

void ChartCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    draggedTo_ = event->position().toPoint();
    dragging_ = (draggedTo_ - pressedAt_).manhattanLength() >= kDragThreshold;
    update();
}

void ChartCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    draggedTo_ = event->position().toPoint();
    const bool zoom = (draggedTo_ - pressedAt_).manhattanLength() >= kDragThreshold;
    dragging_ = false;
    update();
    if (zoom)
        emit zoomRequested(QRectF(pressedAt_, draggedTo_).normalized());
    else
        emit clicked(event->position());
}

} // namespace kinetra::ui
