// The one drawing of a chart, used by the chart window on screen and by every picture export
// (PNG, BMP, SVG, the clipboard), so that a saved picture shows what the window shows. It paints
// the chart model's content with QPainter and reports where it put the plot and each text, which
// the window needs to tell what a click hit.
#pragma once

#include "charts/ChartModel.h"
#include "charts/ChartPlot.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace kinetra::ui {

// The 16-colour table of the subset colours (0 black, 1 blue, ... 9 light blue, ... 15 white).
QColor tableColour(int index);

struct ChartDrawOptions {
    std::optional<int> selected;
    QColor selection = QColor(0, 0, 255);
    std::optional<ValueRange> zoomX, zoomY;
};

// The texts of a chart a click can edit (the kinds of the main window's one-line editor).
enum class ChartTextKind { MainTitle, SubTitle, XLabel, YLabel, SubsetLabel, Annotation };

struct ChartTextArea {
    ChartTextKind kind;
    int index = 0; // the subset or the annotation slot
    QRectF area;
};

// Where the drawing put things.
struct ChartFrame {
    QRectF plot;
    AxisTicks x, y;
    std::vector<ChartTextArea> texts;
    bool hasPlot = false; // false for a chart without a drawable point

    QPointF toPixel(double xValue, double yValue) const;
    std::pair<double, double> toValues(QPointF pixel) const;
};

ChartFrame drawChart(QPainter& painter, const QRectF& area, const ChartContent& chart,
                     const ChartDrawOptions& options);

// The shown subset whose line or points pass within `tolerance` pixels of the point.
std::optional<int> subsetAt(const ChartFrame& frame, const ChartContent& chart, QPointF at,
                            double tolerance = 4);
// The text under the point; annotations first, as they lie over everything else.
std::optional<ChartTextArea> textAt(const ChartFrame& frame, QPointF at);

} // namespace kinetra::ui
