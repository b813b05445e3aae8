#include "charts/ui/ChartPainter.h"

#include "common/TextUtil.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>

namespace kinetra::ui {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

bool blank(const std::string& s) {
    return trimBlanks(s).empty();
}

QColor rgb(unsigned value) {
    return QColor((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

double textPoints(SizeChoice size) {
    switch (size) {
    case SizeChoice::Large:
        return 10;
    case SizeChoice::Small:
        return 7;
    case SizeChoice::Medium:
        break;
    }
    return 8.5;
}

double symbolPixels(SizeChoice size) {
    switch (size) {
    case SizeChoice::Large:
        return 9;
    case SizeChoice::Small:
        return 4;
    case SizeChoice::Medium:
        break;
    }
    return 6;
}

QFont fontOf(const ChartFont& f, double points) {
    QFont font(qs(f.family));
    font.setPointSizeF(points);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    return font;
}

Qt::PenStyle penStyle(int lineStyle) {
    static constexpr std::array<Qt::PenStyle, 5> styles{Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                                        Qt::DashDotLine, Qt::DashDotDotLine};
    return styles[static_cast<std::size_t>(std::clamp(lineStyle, 0, 4))];
}

// The colours the chart is drawn in: its own, or black on white in the monochrome style, where
// the subsets are told apart by their line styles.
struct Palette {
    QColor chartBackground, chartForeground, plotBackground, plotForeground, shadow, annotation;
    bool monochrome = false;

    explicit Palette(const ChartContent& c) : monochrome(c.monochrome) {
        const auto& k = c.look.colours;
        if (monochrome) {
            chartBackground = plotBackground = Qt::white;
            chartForeground = plotForeground = annotation = Qt::black;
            shadow = QColor(160, 160, 160);
            return;
        }
        annotation = rgb(k[0]);
        plotForeground = rgb(k[1]);
        plotBackground = rgb(k[2]);
        shadow = rgb(k[3]);
        chartForeground = rgb(k[4]);
        chartBackground = rgb(k[5]);
    }

    QPen subsetPen(const ChartSubset& s, int index, bool selected, const QColor& selection) const {
        QColor colour = monochrome ? QColor(Qt::black) : tableColour(s.colour);
        int style = s.lineStyle;
        if (monochrome && style == 0)
            style = index % 5;
        if (selected)
            colour = selection;
        QPen pen(colour, selected ? 2.5 : 1.5, penStyle(style));
        pen.setCapStyle(Qt::FlatCap);
        return pen;
    }
};

void drawSymbol(QPainter& p, QPointF at, int shape, double size) {
    const double h = size / 2;
    switch (shape % 5) {
    case 0:
        p.drawEllipse(at, h, h);
        break;
    case 1:
        p.drawRect(QRectF(at.x() - h, at.y() - h, size, size));
        break;
    case 2:
        p.drawPolygon(QPolygonF{QPointF(at.x(), at.y() - h), QPointF(at.x() + h, at.y() + h),
                                QPointF(at.x() - h, at.y() + h)});
        break;
    case 3:
        p.drawPolygon(QPolygonF{QPointF(at.x(), at.y() - h), QPointF(at.x() + h, at.y()),
                                QPointF(at.x(), at.y() + h), QPointF(at.x() - h, at.y())});
        break;
    default:
        p.drawLine(QPointF(at.x() - h, at.y() - h), QPointF(at.x() + h, at.y() + h));
        p.drawLine(QPointF(at.x() - h, at.y() + h), QPointF(at.x() + h, at.y() - h));
    }
}

int symbolShape(const ChartSubset& s, int index) {
    return s.symbol > 0 ? s.symbol - 1 : index;
}

// A line of text centred in the width of `band`, from its top; returns the rectangle it took.
QRectF centredText(QPainter& p, const QString& text, const QRectF& band, double top) {
    const QFontMetricsF m(p.font());
    const double w = m.horizontalAdvance(text);
    const QRectF r(band.center().x() - w / 2, top, w, m.height());
    p.drawText(r, Qt::AlignCenter, text);
    return r;
}

} // namespace

QColor tableColour(int index) {
    static const std::array<QColor, 16> table{
        QColor(0, 0, 0),       QColor(0, 0, 128),   QColor(0, 128, 0),   QColor(0, 128, 128),
        QColor(128, 0, 0),     QColor(128, 0, 128), QColor(128, 128, 0), QColor(192, 192, 192),
        QColor(128, 128, 128), QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(0, 255, 255),
        QColor(255, 0, 0),     QColor(255, 0, 255), QColor(255, 255, 0), QColor(255, 255, 255)};
    return table[static_cast<std::size_t>(std::clamp(index, 0, 15))];
}

QPointF ChartFrame::toPixel(double xValue, double yValue) const {
    return {plot.left() + axisFraction(x, xValue) * plot.width(),
            plot.bottom() - axisFraction(y, yValue) * plot.height()};
}

std::pair<double, double> ChartFrame::toValues(QPointF pixel) const {
    return {axisValue(x, (pixel.x() - plot.left()) / plot.width()),
            axisValue(y, (plot.bottom() - pixel.y()) / plot.height())};
}

namespace {

struct Fonts {
    QFont mainTitle, subTitle, text;
    explicit Fonts(const ChartLook& look) {
        const double points = textPoints(look.textSize);
        mainTitle = fontOf(look.mainTitleFont, points + 4);
        subTitle = fontOf(look.subTitleFont, points + 1.5);
        text = fontOf(look.textFont, points);
    }
};

void drawAxes(QPainter& p, ChartFrame& f, const ChartContent& chart, const Palette& colours) {
    const QFontMetricsF m(p.font());
    const double major = 6, minor = 3;
    if (chart.grid) {
        p.setPen(QPen(colours.monochrome ? QColor(170, 170, 170) : QColor(200, 200, 200), 0,
                      Qt::DotLine));
        for (double v : f.x.major)
            p.drawLine(QPointF(f.toPixel(v, f.y.minimum).x(), f.plot.top()),
                       QPointF(f.toPixel(v, f.y.minimum).x(), f.plot.bottom()));
        for (double v : f.y.major)
            p.drawLine(QPointF(f.plot.left(), f.toPixel(f.x.minimum, v).y()),
                       QPointF(f.plot.right(), f.toPixel(f.x.minimum, v).y()));
    }
    p.setPen(QPen(colours.plotForeground, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(f.plot);
    for (double v : f.x.major) {
        const double px = f.toPixel(v, f.y.minimum).x();
        p.drawLine(QPointF(px, f.plot.bottom()), QPointF(px, f.plot.bottom() - major));
        const QString label = qs(tickLabel(f.x, v));
        const double w = m.horizontalAdvance(label);
        p.setPen(colours.chartForeground);
        p.drawText(QRectF(px - w / 2, f.plot.bottom() + 3, w, m.height()), Qt::AlignCenter, label);
        p.setPen(QPen(colours.plotForeground, 0));
    }
    for (double v : f.x.minor) {
        const double px = f.toPixel(v, f.y.minimum).x();
        p.drawLine(QPointF(px, f.plot.bottom()), QPointF(px, f.plot.bottom() - minor));
    }
    for (double v : f.y.major) {
        const double py = f.toPixel(f.x.minimum, v).y();
        p.drawLine(QPointF(f.plot.left(), py), QPointF(f.plot.left() + major, py));
        const QString label = qs(tickLabel(f.y, v));
        const double w = m.horizontalAdvance(label);
        p.setPen(colours.chartForeground);
        p.drawText(QRectF(f.plot.left() - w - 4, py - m.height() / 2, w, m.height()),
                   Qt::AlignRight | Qt::AlignVCenter, label);
        p.setPen(QPen(colours.plotForeground, 0));
    }
    for (double v : f.y.minor) {
        const double py = f.toPixel(f.x.minimum, v).y();
        p.drawLine(QPointF(f.plot.left(), py), QPointF(f.plot.left() + minor, py));
    }
}

void drawSubset(QPainter& p, const ChartFrame& f, const ChartContent& chart, int s, const QPen& pen,
                bool histogram) {
    const ChartSubset& subset = chart.subsets[static_cast<std::size_t>(s)];
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const auto runs = pointRuns(subset, f.x.log, f.y.log);
    for (const PointRun& run : runs) {
        QPolygonF line;
        line.reserve(static_cast<qsizetype>(run.size()));
        for (const auto& [x, y] : run)
            line << f.toPixel(x, y);
        if (histogram) {
            const double base = f.toPixel(f.x.minimum, f.y.log ? f.y.minimum : 0).y();
            for (const QPointF& top : line)
                p.drawLine(QPointF(top.x(), base), top);
        } else {
            p.drawPolyline(line);
        }
    }
    if (!chart.pointSymbols || subset.symbol < 0)
        return;
    QPen symbolPen = pen;
    symbolPen.setStyle(Qt::SolidLine);
    symbolPen.setWidthF(1);
    p.setPen(symbolPen);
    const double size = symbolPixels(chart.look.pointSize);
    for (const PointRun& run : runs)
        for (const auto& [x, y] : run)
            drawSymbol(p, f.toPixel(x, y), symbolShape(subset, s), size);
}

void drawAnnotations(QPainter& p, ChartFrame& f, const ChartContent& chart,
                     const Palette& colours) {
    const QFontMetricsF m(p.font());
    p.setPen(colours.annotation);
    for (int slot = 0; slot < static_cast<int>(chart.annotations.size()); ++slot) {
        const Annotation& a = chart.annotations[static_cast<std::size_t>(slot)];
        if (a.isFree() || !isPointValue(a.x) || !isPointValue(a.y) || (f.x.log && a.x <= 0) ||
            (f.y.log && a.y <= 0))
            continue;
        const QPointF at = f.toPixel(a.x, a.y);
        if (!f.plot.contains(at))
            continue;
        const QString text = qs(a.text);
        const QRectF r(at.x(), at.y() - m.height(), m.horizontalAdvance(text), m.height());
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, text);
        f.texts.push_back({ChartTextKind::Annotation, slot, r});
    }
}

void drawLegend(QPainter& p, ChartFrame& f, const ChartContent& chart, const Palette& colours,
                const ChartDrawOptions& options, const QRectF& band) {
    const QFontMetricsF m(p.font());
    double y = band.top();
    for (int s = 0; s < static_cast<int>(chart.subsets.size()); ++s) {
        const ChartSubset& subset = chart.subsets[static_cast<std::size_t>(s)];
        if (!subset.shown)
            continue;
        const bool selected = options.selected == s;
        const QPen pen = colours.subsetPen(subset, s, selected, options.selection);
        const double mid = y + m.height() / 2;
        p.setPen(pen);
        p.drawLine(QPointF(band.left(), mid), QPointF(band.left() + 24, mid));
        if (chart.pointSymbols && subset.symbol >= 0) {
            QPen symbolPen = pen;
            symbolPen.setStyle(Qt::SolidLine);
            symbolPen.setWidthF(1);
            p.setPen(symbolPen);
            drawSymbol(p, QPointF(band.left() + 12, mid), symbolShape(subset, s),
                       symbolPixels(chart.look.pointSize));
        }
        const QString label = qs(subset.label);
        const QRectF r(band.left() + 30, y, m.horizontalAdvance(label), m.height());
        p.setPen(selected ? options.selection : colours.chartForeground);
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, label);
        f.texts.push_back({ChartTextKind::SubsetLabel, s, r});
        y += m.height() + 4;
        if (y > band.bottom())
            break;
    }
}

double legendWidth(const QFontMetricsF& m, const ChartContent& chart, double limit) {
    double widest = 0;
    for (const ChartSubset& s : chart.subsets)
        if (s.shown)
            widest = std::max(widest, m.horizontalAdvance(qs(s.label)));
    return widest > 0 ? std::min(widest + 40, limit) : 0;
}

} // namespace

ChartFrame drawChart(QPainter& p, const QRectF& area, const ChartContent& chart,
                     const ChartDrawOptions& options) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const Palette colours(chart);
    const Fonts fonts(chart.look);
    ChartFrame f;
    p.fillRect(area, colours.chartBackground);

    // Titles from the top.
    double top = area.top() + 6;
    p.setPen(colours.chartForeground);
    if (!blank(chart.mainTitle)) {
        p.setFont(fonts.mainTitle);
        const QRectF r = centredText(p, qs(chart.mainTitle), area, top);
        f.texts.push_back({ChartTextKind::MainTitle, 0, r});
        top = r.bottom() + 2;
    }
    if (!blank(chart.subTitle)) {
        p.setFont(fonts.subTitle);
        const QRectF r = centredText(p, qs(chart.subTitle), area, top);
        f.texts.push_back({ChartTextKind::SubTitle, 0, r});
        top = r.bottom() + 2;
    }
    p.setFont(fonts.text);
    const QFontMetricsF m(p.font());
    // The description (the reaction of a rate chart) says what the curves are of.
    if (const std::string description = descriptionOf(chart); !blank(description))
        top = centredText(p, qs(description), area, top).bottom() + 2;

    const bool xLog = chart.look.xAxis.scale == AxisScale::Log;
    const bool yLog = chart.look.yAxis.scale == AxisScale::Log;
    f.x = axisTicks(chart.look.xAxis, xRangeOf(chart, xLog), options.zoomX);
    f.y = axisTicks(chart.look.yAxis, yRangeOf(chart, yLog), options.zoomY);
    f.hasPlot = xRangeOf(chart, xLog).has_value();

    double tickWidth = 0;
    for (double v : f.y.major)
        tickWidth = std::max(tickWidth, m.horizontalAdvance(qs(tickLabel(f.y, v))));
    const double legend = legendWidth(m, chart, area.width() * 0.35);
    const double left = area.left() + 8 + m.height() + 6 + tickWidth + 6;
    const double right = area.right() - 10 - legend;
    const double bottom = area.bottom() - 8 - m.height() - 4 - m.height() - 6;
    f.plot = QRectF(QPointF(left, top + m.height()),
                    QPointF(std::max(right, left + 10), std::max(bottom, top + 20)));

    p.fillRect(f.plot.translated(3, 3), colours.shadow);
    p.fillRect(f.plot, colours.plotBackground);
    drawAxes(p, f, chart, colours);

    // The subsets, the selected one last so that it lies on top.
    p.save();
    p.setClipRect(f.plot.adjusted(-1, -1, 1, 1));
    std::vector<int> order;
    for (int s = 0; s < static_cast<int>(chart.subsets.size()); ++s)
        if (chart.subsets[static_cast<std::size_t>(s)].shown && options.selected != s)
            order.push_back(s);
    if (options.selected && *options.selected < static_cast<int>(chart.subsets.size()) &&
        chart.subsets[static_cast<std::size_t>(*options.selected)].shown)
        order.push_back(*options.selected);
    const bool histogram = chart.annotations.size() > kHistogramSlot &&
                           chart.annotations[kHistogramSlot].text == "Histogram";
    for (int s : order)
        drawSubset(p, f, chart, s,
                   colours.subsetPen(chart.subsets[static_cast<std::size_t>(s)], s,
                                     options.selected == s, options.selection),
                   histogram);
    p.restore();

    drawAnnotations(p, f, chart, colours);
    drawLegend(p, f, chart, colours, options,
               QRectF(QPointF(f.plot.right() + 12, f.plot.top()),
                      QPointF(area.right() - 4, f.plot.bottom())));

    // The axis labels.
    p.setPen(colours.chartForeground);
    if (!blank(chart.xLabel)) {
        const QRectF r = centredText(p, qs(chart.xLabel), f.plot, f.plot.bottom() + m.height() + 8);
        f.texts.push_back({ChartTextKind::XLabel, 0, r});
    }
    if (!blank(chart.yLabel)) {
        const QString label = qs(chart.yLabel);
        const double w = m.horizontalAdvance(label);
        p.save();
        p.translate(area.left() + 8, f.plot.center().y() + w / 2);
        p.rotate(-90);
        p.drawText(QRectF(0, 0, w, m.height()), Qt::AlignCenter, label);
        p.restore();
        f.texts.push_back({ChartTextKind::YLabel, 0,
                           QRectF(area.left() + 8, f.plot.center().y() - w / 2, m.height(), w)});
    }
    p.restore();
    return f;
}

} // namespace kinetra::ui
