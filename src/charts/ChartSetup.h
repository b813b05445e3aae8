// The chart setup window without its widgets: the fields as typed, their checks in the order
// the user meets them, the axis number format, and applying the fields to a chart.
#pragma once

#include "charts/ChartModel.h"
#include "common/Seams.h"

#include <optional>
#include <string>
#include <vector>

namespace kinetra {

inline constexpr const char* kSetupScratchFile = "CHEA02.TMP";

struct AxisFields {
    std::string maximum, minimum, majorTicks, minorTicks;
    int digits = 3;
    AxisScale scale = AxisScale::Auto;
};

// The Style tab's row of one subset.
struct SubsetDisplay {
    std::string label;
    bool shown = true;
    int symbol = 0; // -1 none
    int lineStyle = 0;
    int colour = 0;
};

struct SetupFields {
    AxisFields x, y;
    ChartLook look; // fonts, sizes and colours (the axis part is taken from x and y)
    std::vector<SubsetDisplay> subsets;
};

// The fields as the window fills them from the chart when it opens.
SetupFields setupFieldsOf(const ChartModel& chart);

// The axis number format for d significant digits: "0." and d - 1 zeros and "E+00".
std::string outputFormat(int digits);

// Which fields of an axis the scale leaves editable.
struct AxisFieldsEnabled {
    bool range = false, ticks = false, digits = false;
};
AxisFieldsEnabled enabledFields(AxisScale scale);

// The message of the first failing check, X axis first; nothing when every field is valid.
std::optional<std::string> firstSetupProblem(const SetupFields& fields);

// ToPlotOk: checks, then applies every setting and marks the chart modified. Shows the first
// problem and changes nothing when a check fails.
bool toPlotOk(ChartModel& chart, const SetupFields& fields, Dialogs& dialogs);

} // namespace kinetra
