#include "results/RunHighlights.h"

#include "common/NumberFormat.h"
#include "common/TextNumber.h"
#include "common/TextUtil.h"
#include "results/IgnitionDelay.h"

#include <algorithm>

namespace kinetra::results {

namespace {

// A rise between records further apart than this share of the time places no ignition.
constexpr double kSparseIgnition = 0.05;

} // namespace

std::optional<IgnitionInterval> ignitionInterval(const SolverOutput& output) {
    const auto& r = output.records;
    std::optional<IgnitionInterval> at;
    double steepest = 0;
    for (std::size_t i = 1; i < r.size(); ++i) {
        const double dt = r[i][0] - r[i - 1][0];
        if (!(dt > 0))
            continue;
        const double slope = (r[i][1] - r[i - 1][1]) / dt;
        if (slope > steepest) {
            steepest = slope;
            at = IgnitionInterval{r[i - 1][0], r[i][0]};
        }
    }
    return at;
}

std::optional<double> ignitionDelay(const SolverOutput& output) {
    if (!ignitionInterval(output))
        return std::nullopt;
    return analyseIgnition(output).delay;
}

TemperaturePeak peakTemperature(const SolverOutput& output) {
    TemperaturePeak peak;
    bool first = true;
    for (const auto& record : output.records)
        if (first || record[1] > peak.temperature) {
            peak = {record[0], record[1]};
            first = false;
        }
    return peak;
}

std::optional<double> endedBeforeFinalTime(const SolverOutput& output) {
    const std::optional<double> finalTime = parseNumber(output.header.finalTime);
    if (!finalTime || output.records.empty())
        return std::nullopt;
    // The header keeps the final time to three digits: a run that reached it may end up to half
    // a percent below the written value.
    const double last = output.records.back()[0];
    return last < *finalTime * (1 - 0.01) ? std::optional<double>(last) : std::nullopt;
}

std::string highlightsText(const SolverOutput& output) {
    const TemperaturePeak peak = peakTemperature(output);
    const auto interval = ignitionInterval(output);
    std::string delayText = "no temperature rise";
    if (interval && interval->to - interval->from > kSparseIgnition * interval->to)
        // The records are too far apart there (the output's line limit was reached before the
        // ignition, and the final state followed): the ignition lies somewhere between them.
        delayText = "between " + formatNumber(interval->from, "0.000E+00") + " and " +
                    formatNumber(interval->to, "0.000E+00") + " s (too few records there)";
    else if (interval)
        delayText = formatNumber(*ignitionDelay(output), "0.000E+00") + " s";
    std::string text = "Ignition delay (largest dT/dt): " + delayText +
                       "    Peak temperature: " + formatNumber(peak.temperature, "0.0") + " K at " +
                       formatNumber(peak.time, "0.000E+00") + " s";
    // A run stopped during its ignition has neither its delay nor its peak yet: say so.
    if (const auto end = endedBeforeFinalTime(output))
        text += "    (the run ended at " + formatNumber(*end, "0.000E+00") +
                " s, before its final time " + trimBlanks(output.header.finalTime) + " s)";
    return text;
}

std::vector<SpeciesPeak> speciesAtAGlance(const std::vector<MeanParameters>& means) {
    std::vector<SpeciesPeak> peaks;
    for (const MeanParameters& m : means) {
        if (!m.valid)
            continue;
        if (peaks.empty())
            for (std::size_t i = 0; i < m.moleFractions.size(); ++i)
                peaks.push_back({i, m.moleFractions[i], m.time});
        for (std::size_t i = 0; i < m.moleFractions.size() && i < peaks.size(); ++i)
            if (m.moleFractions[i] > peaks[i].moleFraction)
                peaks[i] = {i, m.moleFractions[i], m.time};
    }
    std::stable_sort(peaks.begin(), peaks.end(), [](const SpeciesPeak& a, const SpeciesPeak& b) {
        return a.moleFraction > b.moleFraction;
    });
    return peaks;
}

} // namespace kinetra::results
