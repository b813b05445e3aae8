#include "studies/SweepReport.h"

#include "common/TextUtil.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kinetra::studies {

namespace {

std::string numberText(double v) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

// The standard colours a rebuild draws from (0 to 6 and 9 of the 16-colour table), in turn.
constexpr int kSubsetColours[] = {0, 1, 2, 3, 4, 5, 6, 9};

} // namespace

std::string sweepCsv(const std::vector<IgnitionCase>& cases,
                     const std::vector<std::optional<CaseResult>>& results) {
    std::string text = "case,T (K),P (atm),phi,delay (s),peak T (K),status,seconds\n";
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const IgnitionCase& c = cases[i];
        text += c.id + ',' + numberText(c.temperature) + ',' + numberText(c.pressure) + ',' +
                numberText(c.phi) + ',';
        const std::optional<CaseResult>& r = results[i];
        if (!r) {
            text += ",,not run,\n";
            continue;
        }
        if (r->status == CaseStatus::Ignited)
            text += numberText(r->delay);
        text += ',';
        if (r->status != CaseStatus::Failed)
            text += numberText(r->peakTemperature);
        std::string status = statusText(r->status);
        if (!r->reason.empty())
            status += ": " + r->reason;
        text += ',' + csvField(status) + ',' + numberText(r->seconds) + '\n';
    }
    return text;
}

ChartContent arrheniusChart(const std::vector<IgnitionCase>& cases,
                            const std::vector<std::optional<CaseResult>>& results) {
    // The subsets in the order the cases list them; the points of each in case order.
    struct Series {
        double pressure, phi;
        std::vector<double> x, y;
    };
    std::vector<Series> series;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const IgnitionCase& c = cases[i];
        auto it = std::find_if(series.begin(), series.end(), [&](const Series& s) {
            return s.pressure == c.pressure && s.phi == c.phi;
        });
        if (it == series.end()) {
            series.push_back(Series{c.pressure, c.phi, {}, {}});
            it = series.end() - 1;
        }
        it->x.push_back(1000 / c.temperature);
        const bool ignited = results[i] && results[i]->status == CaseStatus::Ignited;
        // Milliseconds: the delays of shock tubes are read in ms.
        it->y.push_back(ignited && results[i]->delay > 0 ? results[i]->delay * 1000 : kEmptySlot);
    }
    ChartContent chart;
    chart.mainTitle = "Ignition delay";
    chart.xLabel = "1000/T (1/K)";
    chart.yLabel = "Ignition delay (ms)";
    chart.pointSymbols = true;
    chart.look.yAxis.scale = AxisScale::Log;
    for (const Series& s : series)
        chart.pointCount = std::max(chart.pointCount, static_cast<int>(s.x.size()));
    for (std::size_t k = 0; k < series.size(); ++k) {
        ChartSubset subset;
        subset.label =
            "P = " + numberText(series[k].pressure) + " atm, phi = " + numberText(series[k].phi);
        subset.x = series[k].x;
        subset.y = series[k].y;
        subset.x.resize(chart.pointCount, kEmptySlot);
        subset.y.resize(chart.pointCount, kEmptySlot);
        subset.colour = kSubsetColours[k % std::size(kSubsetColours)];
        chart.subsets.push_back(std::move(subset));
    }
    return chart;
}

} // namespace kinetra::studies
