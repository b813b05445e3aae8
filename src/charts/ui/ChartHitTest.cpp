// What a click on the drawing hit: a subset's line or points, or a text, found from the places
// the drawing reported (ChartFrame), so that the window never repeats the layout.
#include "charts/ui/ChartPainter.h"

#include <algorithm>
#include <cmath>

namespace kinetra::ui {

namespace {

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF d = b - a;
    const double length2 = QPointF::dotProduct(d, d);
    const double t =
        length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / length2, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + t * d;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

} // namespace

std::optional<int> subsetAt(const ChartFrame& frame, const ChartContent& chart, QPointF at,
                            double tolerance) {
    if (!frame.plot.adjusted(-tolerance, -tolerance, tolerance, tolerance).contains(at))
        return std::nullopt;
    std::optional<int> nearest;
    double best = tolerance;
    for (int s = 0; s < static_cast<int>(chart.subsets.size()); ++s) {
        const ChartSubset& subset = chart.subsets[static_cast<std::size_t>(s)];
        if (!subset.shown)
            continue;
        for (const PointRun& run : pointRuns(subset, frame.x.log, frame.y.log)) {
            QPointF previous = frame.toPixel(run.front().first, run.front().second);
            double d = std::hypot(at.x() - previous.x(), at.y() - previous.y());
            for (std::size_t i = 1; i < run.size(); ++i) {
                const QPointF next = frame.toPixel(run[i].first, run[i].second);
                d = std::min(d, distanceToSegment(at, previous, next));
                previous = next;
            }
            if (d <= best) {
                best = d;
                nearest = s;
            }
        }
    }
    return nearest;
}

std::optional<ChartTextArea> textAt(const ChartFrame& frame, QPointF at) {
    for (const ChartTextArea& t : frame.texts)
        if (t.kind == ChartTextKind::Annotation && t.area.adjusted(-2, -2, 2, 2).contains(at))
            return t;
    for (const ChartTextArea& t : frame.texts)
        if (t.kind != ChartTextKind::Annotation && t.area.adjusted(-2, -2, 2, 2).contains(at))
            return t;
    return std::nullopt;
}

} // namespace kinetra::ui
