#include "charts/ChartSetup.h"

#include "charts/ChartPlot.h"
#include "common/NumberFormat.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"

#include <algorithm>
#include <cmath>

namespace kinetra {

namespace {

AxisFields fieldsOf(const AxisSetup& a) {
    const char* pattern = "0.######E+00";
    return AxisFields{formatNumber(a.maximum, pattern),
                      formatNumber(a.minimum, pattern),
                      std::to_string(a.majorTicks),
                      std::to_string(a.minorTicks),
                      a.digits,
                      a.scale};
}

// An automatic axis shows the range it is drawn with, so that a switch to Linear starts from the
// chart as the user sees it rather than from values set long before.
AxisSetup shownAxis(const AxisSetup& axis, std::optional<ValueRange> data) {
    if (axis.scale != AxisScale::Auto || !data)
        return axis;
    const AxisTicks drawn = axisTicks(axis, data);
    AxisSetup shown = axis;
    shown.minimum = drawn.minimum;
    shown.maximum = drawn.maximum;
    return shown;
}

// A tick count is taken as the nearest whole number; text that is no number gives nothing.
std::optional<long> wholeNumber(const std::string& text) {
    const auto v = parseNumber(trimBlanks(text));
    if (!v || std::fabs(*v) > 1e9)
        return std::nullopt;
    return std::lround(*v);
}

std::optional<std::string> axisProblem(const AxisFields& f, const std::string& axis) {
    const auto maximum = parseNumber(trimBlanks(f.maximum));
    if (!maximum)
        return "Maximum " + axis + "-axis value, please enter a number.";
    const auto minimum = parseNumber(trimBlanks(f.minimum));
    if (!minimum)
        return "Minimum " + axis + "-axis value, please enter a number.";
    if (*maximum < *minimum)
        return "The maximum " + axis + "-axis value is less than the minimum " + axis +
               "-axis value. Enter correct values.";
    const auto major = wholeNumber(f.majorTicks);
    if (!major || *major < 1 || *major > 20)
        return "The major tick number of the " + axis +
               "-axis, please enter an integer on the interval [1, 20].";
    const auto minor = wholeNumber(f.minorTicks);
    if (!minor || *minor < 1 || *minor > 10)
        return "The minor tick number of the " + axis +
               "-axis, please enter an integer on the interval [1, 10].";
    if (f.scale == AxisScale::Log && *minimum <= 0)
        return "The " + axis +
               "-axis contains negative values or 0, the logarithmic scale cannot be created.";
    return std::nullopt;
}

AxisSetup axisOf(const AxisFields& f) {
    AxisSetup a;
    a.scale = f.scale;
    a.maximum = *parseNumber(trimBlanks(f.maximum));
    a.minimum = *parseNumber(trimBlanks(f.minimum));
    a.majorTicks = static_cast<int>(*wholeNumber(f.majorTicks));
    a.minorTicks = static_cast<int>(*wholeNumber(f.minorTicks));
    a.digits = std::clamp(f.digits, 1, 15);
    return a;
}

} // namespace

SetupFields setupFieldsOf(const ChartModel& chart) {
    const ChartContent& content = chart.content();
    const ChartLook& look = content.look;
    SetupFields fields{fieldsOf(shownAxis(look.xAxis, xRangeOf(content, false))),
                       fieldsOf(shownAxis(look.yAxis, yRangeOf(content, false))),
                       look,
                       {}};
    for (const ChartSubset& s : chart.content().subsets)
        fields.subsets.push_back({s.label, s.shown, s.symbol, s.lineStyle, s.colour});
    return fields;
}

std::string outputFormat(int digits) {
    return "0." + std::string(static_cast<std::size_t>(std::max(digits, 1) - 1), '0') + "E+00";
}

AxisFieldsEnabled enabledFields(AxisScale scale) {
    switch (scale) {
    case AxisScale::Auto:
        return {false, false, false};
    case AxisScale::Linear:
        return {true, true, true};
    case AxisScale::Log:
        return {true, false, false};
    }
    return {};
}

std::optional<std::string> firstSetupProblem(const SetupFields& fields) {
    if (auto p = axisProblem(fields.x, "X"))
        return p;
    return axisProblem(fields.y, "Y");
}

bool toPlotOk(ChartModel& chart, const SetupFields& fields, Dialogs& dialogs) {
    if (const auto problem = firstSetupProblem(fields)) {
        dialogs.message(*problem, "KINETRA", Icon::None);
        return false;
    }
    ChartLook look = fields.look;
    look.xAxis = axisOf(fields.x);
    look.yAxis = axisOf(fields.y);
    chart.setLook(look);
    for (int s = 0; s < chart.subsetCount() && s < static_cast<int>(fields.subsets.size()); ++s) {
        const SubsetDisplay& d = fields.subsets[static_cast<std::size_t>(s)];
        chart.setSubsetStyle(s, std::clamp(d.colour, 0, 15), std::clamp(d.lineStyle, 0, 4));
        chart.setSubsetDisplay(s, d.shown, std::max(d.symbol, -1));
    }
    return true;
}

} // namespace kinetra
