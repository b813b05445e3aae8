// The fall-off rate constant at a pressure: the blended form of the solver, for the rate
// tables of the batch tool.
#include "common/NumberFormat.h"
#include "common/TextUtil.h"
#include "physics/Rates.h"
#include "reactions/RateTabulation.h"

#include <cmath>

namespace kinetra::reactions {

std::optional<double> falloffRateAtPressure(const ReactionRecord& record, double temperature,
                                            double pressureAtm, const RateConstants& constants) {
    const ReactionEntries entries = readEntries(record);
    if (!entries.falloff || !record.a || !record.al)
        return std::nullopt;
    std::string type = upperAscii(record.type);
    if (type.rfind("IRREV ", 0) == 0)
        type.erase(0, 6);
    physics::FalloffParameters form;
    const auto& p = record.falloff;
    if (type == "LOW TROE") {
        if (!p[0] || !p[1] || !p[2])
            return std::nullopt;
        form.form = physics::FalloffForm::Troe;
        form.troe = {*p[0], *p[1], *p[2], p[3]};
    } else if (type == "LOW SRI") {
        if (!p[0] || !p[1] || !p[2])
            return std::nullopt;
        form.form = physics::FalloffForm::Sri;
        form.sri = {*p[0], *p[1], *p[2], p[3].value_or(1.0), p[4].value_or(0.0)};
    } else if (type != "LOW") {
        return std::nullopt;
    }
    const physics::TemperatureTerms t = physics::TemperatureTerms::at(temperature);
    const double scale = 1 / constants.gasConstantCal;
    const double kHigh =
        physics::arrhenius({*record.a, record.n.value_or(0), record.e.value_or(0)}, t, scale);
    const double kLow =
        physics::arrhenius({*record.al, record.nl.value_or(0), record.el.value_or(0)}, t, scale);
    const double collider = pressureAtm / (constants.gasConstantCm3 * temperature);
    return physics::falloffRate(kHigh, kLow, collider, form, temperature).k;
}

bool addFalloffColumn(const ReactionRecord& record, double pressureAtm,
                      const RateConstants& constants, RateTable& table) {
    const ReactionEntries entries = readEntries(record);
    RateFunction column;
    std::string pressure = formatNumber(pressureAtm, "0.######");
    if (pressure.back() == '.') // "1." for a whole number
        pressure.pop_back();
    column.title = "Kfor(P = " + pressure + " atm) " + rateUnit(entries.reactantOrder - 1);
    column.label = " R" + std::to_string(record.num) + ", Log10 " + column.title;
    for (double T : table.temperatures) {
        const std::optional<double> k = falloffRateAtPressure(record, T, pressureAtm, constants);
        if (!k)
            return false;
        column.values.push_back(*k > 0 ? std::log10(*k) : kMissingValue);
    }
    table.functions.push_back(std::move(column));
    return true;
}

} // namespace kinetra::reactions
