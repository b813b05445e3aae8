#include "results/RunHighlights.h"

#include "common/NumberFormat.h"

#include <algorithm>

namespace kinetra::results {

std::optional<double> ignitionDelay(const SolverOutput& output) {
    const auto& r = output.records;
    std::optional<double> at;
    double steepest = 0;
    for (std::size_t i = 1; i < r.size(); ++i) {
        const double dt = r[i][0] - r[i - 1][0];
        if (!(dt > 0))
            continue;
        const double slope = (r[i][1] - r[i - 1][1]) / dt;
        if (slope > steepest) {
            steepest = slope;
            at = r[i][0];
        }
    }
    return at;
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

std::string highlightsText(const SolverOutput& output) {
    const std::optional<double> delay = ignitionDelay(output);
    const TemperaturePeak peak = peakTemperature(output);
    return "Ignition delay (largest dT/dt): " +
           (delay ? formatNumber(*delay, "0.000E+00") + " s" : std::string("no temperature rise")) +
           "    Peak temperature: " + formatNumber(peak.temperature, "0.0") + " K at " +
           formatNumber(peak.time, "0.000E+00") + " s";
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
