// What drawing a chart needs from the chart model, computed without a window: the range of the
// drawable points, the scale and ticks of each axis, and the runs of consecutive points that
// become one line each. An empty slot ends a run, so a missing point is a gap in the line and
// never a drop to the empty-slot value.
#pragma once

#include "charts/ChartModel.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kinetra {

struct ValueRange {
    double minimum = 0, maximum = 0;
};

// The X or Y range of the points of the shown subsets; a log axis counts positive values only.
// Nothing when no shown subset has a drawable point.
std::optional<ValueRange> xRangeOf(const ChartContent& chart, bool positiveOnly);
std::optional<ValueRange> yRangeOf(const ChartContent& chart, bool positiveOnly);

struct AxisTicks {
    bool log = false;
    double minimum = 0, maximum = 1; // the drawn range (values, not logarithms)
    std::vector<double> major, minor;
    std::string pattern; // number pattern of the tick labels
};

// The axis as drawn. Auto rounds the data range out to 1, 2 or 5 times a power of ten, Linear
// and Log take the setup's range; a zoom range replaces both and is kept exactly.
AxisTicks axisTicks(const AxisSetup& setup, std::optional<ValueRange> data,
                    std::optional<ValueRange> zoom = std::nullopt);

// The label of a major tick: the axis's pattern; on a log axis a tick between decades (the ends
// of a range shorter than two decades) keeps a digit after the point.
std::string tickLabel(const AxisTicks& axis, double value);

// The point where a value lies on the axis, 0 at the minimum and 1 at the maximum.
double axisFraction(const AxisTicks& axis, double value);
// The value at a fraction of the axis (the inverse of axisFraction).
double axisValue(const AxisTicks& axis, double fraction);

using PointRun = std::vector<std::pair<double, double>>;
// The runs of consecutive drawable points of a subset, in slot order. A point outside a log
// axis's domain ends a run like an empty slot.
std::vector<PointRun> pointRuns(const ChartSubset& subset, bool xLog, bool yLog);

} // namespace kinetra
