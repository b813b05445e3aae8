#include "charts/ChartPlot.h"

#include "charts/ChartSetup.h"
#include "common/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace kinetra {

namespace {

bool inDomain(double v, bool log) {
    return isPointValue(v) && (!log || v > 0);
}

std::optional<ValueRange> rangeOf(const ChartContent& chart, bool positiveOnly, bool ofX) {
    std::optional<ValueRange> range;
    for (const ChartSubset& s : chart.subsets) {
        if (!s.shown)
            continue;
        for (std::size_t p = 0; p < s.x.size() && p < s.y.size(); ++p) {
            if (!isPointValue(s.x[p]) || !isPointValue(s.y[p]))
                continue;
            const double v = ofX ? s.x[p] : s.y[p];
            if (positiveOnly && v <= 0)
                continue;
            if (!range)
                range = ValueRange{v, v};
            range->minimum = std::min(range->minimum, v);
            range->maximum = std::max(range->maximum, v);
        }
    }
    return range;
}

// 1, 2 or 5 times a power of ten, the first not below `raw`.
double niceStep(double raw) {
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw * (1 - 1e-9))
            return m * power;
    return 10 * power;
}

// Tick labels readable without exponent where the numbers are of ordinary size.
std::string autoPattern(double minimum, double maximum, double step) {
    const double largest = std::max(std::fabs(minimum), std::fabs(maximum));
    if (largest >= 1e6 || (largest > 0 && largest < 1e-3))
        return "0.0##E+00";
    if (step >= 1)
        return "0";
    const int decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 1, 6);
    return "0." + std::string(static_cast<std::size_t>(decimals), '0');
}

AxisTicks linearTicks(double minimum, double maximum, int majorCount, int minorPerMajor,
                      std::string pattern) {
    AxisTicks t;
    t.minimum = minimum;
    t.maximum = maximum;
    t.pattern = std::move(pattern);
    majorCount = std::max(majorCount, 1);
    minorPerMajor = std::max(minorPerMajor, 1);
    const double step = (maximum - minimum) / majorCount;
    for (int i = 0; i <= majorCount; ++i) {
        t.major.push_back(minimum + i * step);
        for (int j = 1; i < majorCount && j < minorPerMajor; ++j)
            t.minor.push_back(minimum + i * step + j * step / minorPerMajor);
    }
    return t;
}

AxisTicks autoTicks(ValueRange r, bool exact) {
    if (r.maximum - r.minimum <= std::fabs(r.maximum) * 1e-12) {
        const double pad = r.maximum == 0 ? 1 : std::fabs(r.maximum) * 0.1;
        r = {r.minimum - pad, r.maximum + pad};
    }
    const double step = niceStep((r.maximum - r.minimum) / 5);
    if (!exact) {
        r.minimum = std::floor(r.minimum / step + 1e-9) * step;
        r.maximum = std::ceil(r.maximum / step - 1e-9) * step;
    }
    AxisTicks t;
    t.minimum = r.minimum;
    t.maximum = r.maximum;
    t.pattern = autoPattern(r.minimum, r.maximum, step);
    const double first = std::ceil(r.minimum / step - 1e-9) * step;
    for (double v = first; v <= r.maximum + step * 1e-9; v += step)
        t.major.push_back(std::fabs(v) < step * 1e-9 ? 0.0 : v);
    for (double v = first - step / 2; v <= r.maximum; v += step)
        if (v >= r.minimum)
            t.minor.push_back(v);
    return t;
}

AxisTicks logTicks(ValueRange r) {
    AxisTicks t;
    t.log = true;
    t.minimum = r.minimum;
    t.maximum = std::max(r.maximum, r.minimum * 10);
    t.pattern = "0E+00";
    const int low = static_cast<int>(std::floor(std::log10(t.minimum) + 1e-9));
    const int high = static_cast<int>(std::ceil(std::log10(t.maximum) - 1e-9));
    for (int d = low; d <= high; ++d) {
        const double decade = std::pow(10.0, d);
        if (decade >= t.minimum * (1 - 1e-9) && decade <= t.maximum * (1 + 1e-9))
            t.major.push_back(decade);
        for (int m = 2; m <= 9; ++m)
            if (m * decade > t.minimum && m * decade < t.maximum)
                t.minor.push_back(m * decade);
    }
    // One decade from end to end would show two numbers only: 2 and 5 of it are labelled too.
    if (t.major.size() == 2 && t.major[0] == t.minimum && t.major[1] == t.maximum) {
        for (const double m : {2.0, 5.0}) {
            const double v = m * t.minimum;
            t.major.insert(t.major.end() - 1, v);
            std::erase_if(t.minor, [v](double w) { return std::fabs(w - v) <= v * 1e-9; });
        }
    }
    // A range within one decade would show one number or none: its ends are labelled too.
    if (t.major.size() < 2) {
        t.major.insert(t.major.begin(), t.minimum);
        t.major.push_back(t.maximum);
        std::sort(t.major.begin(), t.major.end());
        t.major.erase(std::unique(t.major.begin(), t.major.end()), t.major.end());
    }
    return t;
}

} // namespace

std::optional<ValueRange> xRangeOf(const ChartContent& chart, bool positiveOnly) {
    return rangeOf(chart, positiveOnly, true);
}

std::optional<ValueRange> yRangeOf(const ChartContent& chart, bool positiveOnly) {
    return rangeOf(chart, positiveOnly, false);
}

AxisTicks axisTicks(const AxisSetup& setup, std::optional<ValueRange> data,
                    std::optional<ValueRange> zoom) {
    const bool log = setup.scale == AxisScale::Log;
    if (zoom)
        return log && zoom->minimum > 0 ? logTicks(*zoom) : autoTicks(*zoom, true);
    switch (setup.scale) {
    case AxisScale::Log:
        if (setup.minimum > 0 && setup.maximum > setup.minimum)
            return logTicks({setup.minimum, setup.maximum});
        if (data && data->minimum > 0) {
            // From the data, the range runs out to whole decades, so that no point lies on the
            // frame and the decades the data cross are all labelled.
            return logTicks({std::pow(10.0, std::floor(std::log10(data->minimum) + 1e-9)),
                             std::pow(10.0, std::ceil(std::log10(data->maximum) - 1e-9))});
        }
        return logTicks(ValueRange{1, 10});
    case AxisScale::Linear:
        if (setup.maximum > setup.minimum)
            return linearTicks(setup.minimum, setup.maximum, setup.majorTicks, setup.minorTicks,
                               outputFormat(setup.digits));
        break;
    case AxisScale::Auto:
        break;
    }
    return autoTicks(data.value_or(ValueRange{0, 1}), false);
}

std::string tickLabel(const AxisTicks& axis, double value) {
    const double decade = std::log10(value);
    if (axis.log && std::fabs(decade - std::round(decade)) > 1e-9)
        return formatNumber(value, "0.0E+00");
    return formatNumber(value, axis.pattern);
}

double axisFraction(const AxisTicks& axis, double value) {
    if (axis.log)
        return (std::log10(value) - std::log10(axis.minimum)) /
               (std::log10(axis.maximum) - std::log10(axis.minimum));
    return (value - axis.minimum) / (axis.maximum - axis.minimum);
}

double axisValue(const AxisTicks& axis, double fraction) {
    if (axis.log)
        return std::pow(10.0, std::log10(axis.minimum) +
                                  fraction * (std::log10(axis.maximum) - std::log10(axis.minimum)));
    return axis.minimum + fraction * (axis.maximum - axis.minimum);
}

std::vector<PointRun> pointRuns(const ChartSubset& subset, bool xLog, bool yLog) {
    std::vector<PointRun> runs;
    PointRun run;
    for (std::size_t p = 0; p < subset.x.size() && p < subset.y.size(); ++p) {
        if (inDomain(subset.x[p], xLog) && inDomain(subset.y[p], yLog)) {
            run.emplace_back(subset.x[p], subset.y[p]);
        } else if (!run.empty()) {
            runs.push_back(std::move(run));
            run.clear();
        }
    }
    if (!run.empty())
        runs.push_back(std::move(run));
    return runs;
}

} // namespace kinetra
