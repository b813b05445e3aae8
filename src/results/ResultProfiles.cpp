#include "results/ResultProfiles.h"

#include "common/NumberFormat.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"

#include <algorithm>
#include <cmath>

namespace kinetra::results {

namespace {

std::string concentrationUnitText(ConcentrationUnit c) {
    return c == ConcentrationUnit::MolPerCm3 ? "mol/cm^3" : "1/cm^3";
}

// The records the settings select: within the time interval, every n-th one.
std::vector<std::size_t> selectedRecords(const SolverOutput& output, const PlotSettings& s) {
    const auto from = parseNumber(s.timeFrom);
    const auto to = parseNumber(s.timeTo);
    const auto step = parseNumber(s.pointInterval);
    const std::size_t every = step && *step >= 1 ? static_cast<std::size_t>(*step) : 1;
    std::vector<std::size_t> selected;
    std::size_t inInterval = 0;
    for (std::size_t r = 0; r < output.records.size(); ++r) {
        const double t = output.records[r][0];
        if ((from && t < *from) || (to && t > *to))
            continue;
        if (inInterval++ % every == 0)
            selected.push_back(r);
    }
    return selected;
}

std::string rowName(const SolverOutput& output, const ResultRow& row, const PlotSettings& s) {
    if (row.mean)
        return meanQuantityText(*row.mean, s.concentrationUnit, s.energyUnit).name;
    return output.species.at(row.species).name;
}

double rowValue(const std::vector<MeanParameters>& means, std::size_t record, const ResultRow& row,
                const PlotSettings& s) {
    if (row.mean)
        return meanQuantityValue(means.at(record), *row.mean);
    return speciesValue(means.at(record), row.species, s.concentrations);
}

std::string scaleSuffix(const std::string& scale) {
    const double f = parseNumber(scale).value_or(1);
    return f == 1 ? "" : " x " + formatNumber(f, "0.0##E+00");
}

std::string yTitle(const std::string& name, const ResultRow& row, const PlotSettings& s) {
    std::string title;
    if (row.mean)
        title = name + ", " + meanQuantityText(*row.mean, s.concentrationUnit, s.energyUnit).unit;
    else
        title = (s.concentrations ? "(" + concentrationUnitText(s.concentrationUnit) + ")"
                                  : std::string("Mole Fraction")) +
                " [" + name + "]";
    if (s.logY)
        title = "Log10 " + title;
    return title + scaleSuffix(s.yScale);
}

std::string timeText(double t) {
    return formatNumber(t, "0.000E+00");
}

} // namespace

MeanQuantityText meanQuantityText(MeanQuantity q, ConcentrationUnit c, EnergyUnit e) {
    const bool joule = e == EnergyUnit::Joule;
    switch (q) {
    case MeanQuantity::Temperature:
        return {"Temperature", "T", "K"};
    case MeanQuantity::Concentration:
        return {"Concentration", "Ctot", concentrationUnitText(c)};
    case MeanQuantity::Pressure:
        return {"Pressure ", "P", "atm"};
    case MeanQuantity::Density:
        return {"Density ", "Ro", "g/cm^3"};
    case MeanQuantity::MolecularWeight:
        return {"Molecular Weight", "M", "g/mol"};
    case MeanQuantity::Enthalpy:
        return {"Enthalpy", "H", joule ? "kJ/mol" : "kcal/mol"};
    case MeanQuantity::HeatCapacity:
        return {"Heat Capacity", "Cp", joule ? "J/K mol" : "cal/K mol"};
    }
    return {};
}

std::string numericHeading(MeanQuantity q, ConcentrationUnit c, EnergyUnit e) {
    const MeanQuantityText t = meanQuantityText(q, c, e);
    return (q == MeanQuantity::Concentration ? std::string("C") : t.symbol) + ", " + t.unit;
}

double meanQuantityValue(const MeanParameters& p, MeanQuantity q) {
    switch (q) {
    case MeanQuantity::Temperature:
        return p.temperature;
    case MeanQuantity::Concentration:
        return p.concentration;
    case MeanQuantity::Pressure:
        return p.pressure;
    case MeanQuantity::Density:
        return p.density;
    case MeanQuantity::MolecularWeight:
        return p.molecularWeight;
    case MeanQuantity::Enthalpy:
        return p.enthalpy;
    case MeanQuantity::HeatCapacity:
        return p.heatCapacity;
    }
    return 0;
}

std::optional<std::string> plotSettingsRefusal(const PlotSettings& s, const SolverOutput& output) {
    const bool hasFrom = !trimBlanks(s.timeFrom).empty(), hasTo = !trimBlanks(s.timeTo).empty();
    const auto from = parseNumber(s.timeFrom);
    if (hasFrom && !from)
        return "Initial time, please enter a number.";
    const auto to = parseNumber(s.timeTo);
    if (hasTo && !to)
        return "Final time, please enter a number.";
    if (from && to && *from >= *to)
        return "The initial time is equal to or greater than the final time. Enter correct "
               "values.";
    if (!output.records.empty() && (from || to)) {
        const double first = output.records.front()[0], last = output.records.back()[0];
        const bool anyInside =
            std::any_of(output.records.begin(), output.records.end(), [&](const auto& r) {
                return !(from && r[0] < *from) && !(to && r[0] > *to);
            });
        if (!anyInside)
            return "The time interval holds no output record; the output times run from " +
                   timeText(first) + " to " + timeText(last) + " sec.";
    }
    const auto interval = parseNumber(s.pointInterval);
    if (!interval || *interval < 1 || *interval != std::floor(*interval))
        return "Interval of points, please enter a positive integer.";
    const auto x = parseNumber(s.xScale);
    if (!x || *x == 0)
        return "Scaling factor for X-axis, please enter a nonzero number.";
    if (s.logX && *x < 0)
        return "Scaling factor for logarithmic X-axis, a positive number is required.";
    const auto y = parseNumber(s.yScale);
    if (!y || *y == 0)
        return "Scaling factor, please enter a nonzero number.";
    if (s.logY && *y < 0)
        return "Scaling factor for logarithmic Y-axis, a positive number is required.";
    return std::nullopt;
}

std::optional<std::string> checkedRowsRefusal(std::size_t checked) {
    if (checked == 0)
        return "In the tables there are no checked parameters.";
    if (checked > kMaxSubsets)
        return "The maximum number of subsets you can view is 20; you are attempting to view " +
               std::to_string(checked) + ".";
    return std::nullopt;
}

ProfileOutcome checkedRowsProfiles(const SolverOutput& output,
                                   const std::vector<MeanParameters>& means,
                                   const std::vector<ResultRow>& rows, const PlotSettings& s,
                                   bool addToExisting) {
    ProfileOutcome outcome;
    ChartHandOver chart;
    chart.windowCaption = kTimeChartCaption;
    chart.xLabel = (s.logX ? "L0g10 Time (sec)" : "Time (sec)") + scaleSuffix(s.xScale);
    chart.addToExisting = addToExisting;
    const double fx = parseNumber(s.xScale).value_or(1), fy = parseNumber(s.yScale).value_or(1);
    std::vector<std::size_t> records;
    for (const std::size_t r : selectedRecords(output, s)) {
        const double x = output.records[r][0] * fx;
        if (s.logX && !(x > 0))
            continue; // no logarithm: the point is on no subset
        records.push_back(r);
        chart.x.push_back(s.logX ? std::log10(x) : x);
    }
    for (const ResultRow& row : rows) {
        const std::string name = trimBlanks(rowName(output, row, s));
        ChartHandOver::Subset subset{yTitle(name, row, s), {}};
        bool anyPlottable = false;
        for (const std::size_t r : records) {
            double y = rowValue(means, r, row, s) * fy;
            if (s.logY)
                y = y > 0 ? std::log10(y) : kEmptySlot;
            anyPlottable = anyPlottable || (s.logY ? y != kEmptySlot : y != 0);
            subset.y.push_back(y);
        }
        if (!anyPlottable) {
            outcome.refusal =
                "You are attempting to plot the function " + name +
                (s.logY ? " where all values are zero or logarithms of negative numbers. "
                          "The function cannot be plotted."
                        : " where all values are zero. The function cannot be plotted.");
            return outcome;
        }
        if (rows.size() == 1)
            chart.title = name;
        chart.subsets.push_back(std::move(subset));
    }
    outcome.chart = std::move(chart);
    return outcome;
}

ProfileOutcome resultProfile(const SolverOutput& output, const std::vector<MeanParameters>& means,
                             const ResultRow& row, const PlotSettings& s, bool addToExisting) {
    return checkedRowsProfiles(output, means, {row}, s, addToExisting);
}

std::string numericDataText(const SolverOutput& output, const std::vector<MeanParameters>& means,
                            const std::vector<ResultRow>& rows, const PlotSettings& s,
                            const std::string& outputPath, const LocalDateTime& when) {
    constexpr const char* kField = "@@@@@@@@@@@@@@@@"; // 16 characters, right-aligned
    std::string text = "  Kinetra, " + formatDate(when, "mmm d yyyy") + ", " +
                       formatDate(when, "hh:nn:ss") + "\r\n";
    text += "  Solver file:  " + outputPath + "\r\n\r\n";
    const bool anyMean = std::any_of(rows.begin(), rows.end(), [](auto& r) { return r.mean; });
    const bool anySpecies = std::any_of(rows.begin(), rows.end(), [](auto& r) { return !r.mean; });
    std::string title;
    if (anyMean)
        title += "Mean parameters";
    if (anyMean && anySpecies)
        title += " and ";
    if (anySpecies)
        title += s.concentrations ? "Concentrations, " + concentrationUnitText(s.concentrationUnit)
                                  : std::string("Mole fractions");
    text += "  " + title + "\r\n\r\n";
    text += formatText("No", "@@@@@@") + formatText("Time (sec)", kField);
    for (const ResultRow& r : rows) {
        std::string head = trimBlanks(rowName(output, r, s));
        if (r.mean)
            head = numericHeading(*r.mean, s.concentrationUnit, s.energyUnit);
        text += " " + formatText(head, kField);
    }
    text += "\r\n";
    std::size_t n = 0;
    for (const std::size_t rec : selectedRecords(output, s)) {
        text += formatText(std::to_string(++n), "@@@@@@") +
                formatText(formatNumber(output.records[rec][0], "0.000E+00"), kField);
        for (const ResultRow& r : rows)
            text += " " + formatText(formatNumber(rowValue(means, rec, r, s), "0.000E+00"), kField);
        text += "\r\n";
    }
    return text;
}

} // namespace kinetra::results
