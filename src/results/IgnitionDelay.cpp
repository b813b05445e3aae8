#include "results/IgnitionDelay.h"

#include "common/TextUtil.h"

#include <algorithm>
#include <cmath>

namespace kinetra::results {

namespace {

// Time of the peak of values v over the record times t, interpolated around the largest value.
double peakTime(const std::vector<double>& t, const std::vector<double>& v) {
    const std::size_t i =
        static_cast<std::size_t>(std::max_element(v.begin(), v.end()) - v.begin());
    if (i == 0 || i + 1 >= v.size())
        return t[i];
    return parabolaPeak(t[i - 1], v[i - 1], t[i], v[i], t[i + 1], v[i + 1]);
}

} // namespace

double parabolaPeak(double x0, double y0, double x1, double y1, double x2, double y2) {
    // Divided differences of the Newton form: the vertex of y0 + a (x - x0) + b (x - x0)(x - x1).
    const double a = (y1 - y0) / (x1 - x0);
    const double b = ((y2 - y1) / (x2 - x1) - a) / (x2 - x0);
    if (!(b < 0) || !std::isfinite(b))
        return x1;
    const double vertex = 0.5 * (x0 + x1) - a / (2 * b);
    return std::clamp(vertex, x0, x2);
}

IgnitionAnalysis analyseIgnition(const SolverOutput& output) {
    IgnitionAnalysis result;
    const auto& records = output.records;
    if (records.empty())
        return result;
    result.initialTemperature = records.front()[1];
    result.finalTime = records.back()[0];
    for (const auto& r : records)
        result.peakTemperature = std::max(result.peakTemperature, r[1]);

    // dT/dt of each interval belongs to its midpoint; intervals of no length (the final state
    // repeated) carry no slope.
    std::vector<double> mid, slope;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const double dt = records[i][0] - records[i - 1][0];
        if (dt <= 0)
            continue;
        mid.push_back(0.5 * (records[i][0] + records[i - 1][0]));
        slope.push_back((records[i][1] - records[i - 1][1]) / dt);
    }
    if (slope.empty())
        return result;
    const auto steepest = std::max_element(slope.begin(), slope.end()) - slope.begin();
    result.delay = peakTime(mid, slope);
    result.ignited = result.peakTemperature - result.initialTemperature >= kIgnitionRise &&
                     static_cast<std::size_t>(steepest) + 1 < slope.size();

    for (std::size_t s = 0; s < output.species.size(); ++s) {
        if (upperAscii(output.species[s].name) != "OH")
            continue;
        // The OH peak by mole fraction, the quantity shock-tube diagnostics see.
        std::vector<double> t, x;
        for (const auto& record : records) {
            t.push_back(record[0]);
            x.push_back(recordMoleFraction(output, record, s));
        }
        result.ohDelay = peakTime(t, x);
        break;
    }
    return result;
}

} // namespace kinetra::results
