#include "solver/RunSettings.h"

#include "common/TextNumber.h"
#include "common/TextUtil.h"

#include <algorithm>
#include <cmath>

namespace kinetra::solver {

namespace {

const std::string kIntervalMessage =
    "Allowable temperature interval, please enter a positive number.";

std::string stepsMessage() {
    return "Maximum number of computed steps, please enter a positive integer less than " +
           std::to_string(kStepLimit) + ".";
}

std::string outputLinesMessage() {
    return "Maximum number of output lines, please enter a positive integer less than " +
           std::to_string(kOutputLineLimit) + ".";
}

// A positive whole number below `limit` (no limit when 0).
std::optional<long> positiveInteger(double value, long limit) {
    if (!(value >= 1) || value != std::floor(value) || (limit > 0 && value >= limit) || value > 2e9)
        return std::nullopt;
    return static_cast<long>(value);
}

struct Text {
    const std::string& text;
    RunField field;
    std::string message;
};

} // namespace

void RunSettings::restoreDefaults() {
    const RunSettings defaults;
    initialTime = defaults.initialTime;
    finalTime = defaults.finalTime;
    initialStep = defaults.initialStep;
    relativeTolerance = defaults.relativeTolerance;
    absoluteTolerance = defaults.absoluteTolerance;
    maximumSteps = defaults.maximumSteps;
    outputStride = defaults.outputStride;
    maximumOutputLines = defaults.maximumOutputLines;
    minimumTemperature = defaults.minimumTemperature;
    maximumTemperature = defaults.maximumTemperature;
}

void RunSettings::clearFractions() {
    for (RunSettingsSpecies& s : species)
        s.fraction.clear();
}

RunSettingsCheck validateRunSettings(const RunSettings& s) {
    auto refuse = [](RunField field, std::string message) {
        return RunSettingsCheck{std::nullopt, RunSettingsRefusal{field, std::move(message)}};
    };
    const std::vector<Text> texts{
        {s.initialTime, RunField::InitialTime, "Initial time, please enter a number."},
        {s.finalTime, RunField::FinalTime, "Final time, please enter a number."},
        {s.initialStep, RunField::InitialStep,
         "Initial step size, please enter a positive number."},
        {s.relativeTolerance, RunField::RelativeTolerance,
         "Relative tolerance, please enter a number on the interval (1.E-14, 1)."},
        {s.absoluteTolerance, RunField::AbsoluteTolerance,
         "Absolute tolerance, please enter a positive number."},
        {s.maximumSteps, RunField::MaximumSteps, stepsMessage()},
        {s.outputStride, RunField::OutputStride,
         "Step of point representation, please enter a positive integer."},
        {s.maximumOutputLines, RunField::MaximumOutputLines, outputLinesMessage()},
        {s.pressure, RunField::Pressure, "Pressure, please enter a positive number."},
        {s.initialTemperature, RunField::InitialTemperature,
         "Initial temperature, please enter a positive number."},
        {s.minimumTemperature, RunField::MinimumTemperature, kIntervalMessage},
        {s.maximumTemperature, RunField::MaximumTemperature, kIntervalMessage},
    };
    const std::string fractionsMessage = "Initial mole fractions, please enter positive numbers.";

    // 1. Every text numeric.
    std::vector<double> v;
    for (const Text& t : texts) {
        const std::optional<double> value = parseNumber(t.text);
        if (!value)
            return refuse(t.field, t.message);
        v.push_back(*value);
    }
    std::vector<double> fractions;
    for (const RunSettingsSpecies& species : s.species) {
        if (trimBlanks(species.fraction).empty()) {
            fractions.push_back(0);
            continue;
        }
        const std::optional<double> value = parseNumber(species.fraction);
        if (!value)
            return refuse(RunField::Fractions, fractionsMessage);
        fractions.push_back(*value);
    }

    // 2. The ranges, with the same messages, then the cross-checks.
    enum { T0, TF, H0, RTOL, ATOL, STEPS, STRIDE, LINES, P, TI, TMIN, TMAX };
    auto positive = [&](int i) { return v[static_cast<std::size_t>(i)] > 0; };
    auto text = [&](int i) -> const Text& { return texts[static_cast<std::size_t>(i)]; };
    if (!positive(H0))
        return refuse(text(H0).field, text(H0).message);
    if (!(v[RTOL] > 1e-14 && v[RTOL] < 1))
        return refuse(text(RTOL).field, text(RTOL).message);
    if (!positive(ATOL))
        return refuse(text(ATOL).field, text(ATOL).message);
    const auto steps = positiveInteger(v[STEPS], kStepLimit);
    if (!steps)
        return refuse(text(STEPS).field, text(STEPS).message);
    const auto stride = positiveInteger(v[STRIDE], 0);
    if (!stride)
        return refuse(text(STRIDE).field, text(STRIDE).message);
    const auto lines = positiveInteger(v[LINES], kOutputLineLimit);
    if (!lines)
        return refuse(text(LINES).field, text(LINES).message);
    if (!positive(P))
        return refuse(text(P).field, text(P).message);
    if (!positive(TI))
        return refuse(text(TI).field, text(TI).message);
    if (!positive(TMIN))
        return refuse(RunField::MinimumTemperature,
                      "Minimum value of the allowable temperature interval, please enter a "
                      "positive number.");
    if (!positive(TMAX))
        return refuse(RunField::MaximumTemperature, kIntervalMessage);
    for (double f : fractions)
        if (f < 0)
            return refuse(RunField::Fractions, fractionsMessage);
    if (v[TMIN] >= v[TMAX])
        return refuse(RunField::MinimumTemperature,
                      "Allowable temperature interval, the minimum value is equal to or greater "
                      "than the maximum  value. Enter correct values.");
    // The interval's ends count as inside: a run may start at either limit.
    if (v[TI] < v[TMIN] || v[TI] > v[TMAX])
        return refuse(RunField::InitialTemperature,
                      "The initial temperature is outside of the temperature interval (" +
                          trimBlanks(s.minimumTemperature) + ", " +
                          trimBlanks(s.maximumTemperature) + "). Enter a correct value.");
    if (v[T0] >= v[TF])
        return refuse(RunField::InitialTime, "The initial time is equal to or greater than the "
                                             "final time. Enter correct values.");
    if (std::none_of(fractions.begin(), fractions.end(), [](double f) { return f > 0; }))
        return refuse(RunField::Fractions,
                      "The solver cannot start because initial mole fractions have not been "
                      "specified.");

    ValidRunSettings valid;
    RunParameterValues& p = valid.parameters;
    p.pressure = v[P];
    p.energyEquation = s.energyEquation;
    p.constantVolume = s.constantVolume;
    p.initialTemperature = v[TI];
    p.minimumTemperature = v[TMIN];
    p.maximumTemperature = v[TMAX];
    p.initialTime = v[T0];
    p.finalTime = v[TF];
    p.initialStep = v[H0];
    p.relativeTolerance = v[RTOL];
    p.absoluteTolerance = v[ATOL];
    p.maximumSteps = *steps;
    p.maximumOutputLines = *lines;
    p.deltaN = *stride;
    valid.fractions = std::move(fractions);
    return {std::move(valid), std::nullopt};
}

std::string missingThermoWarning(const std::vector<std::string>& names) {
    if (names.empty())
        return {};
    constexpr std::size_t kListed = 5, kLimit = 128;
    std::string text = "Temperature can be calculated erroneously because thermodynamic "
                       "functions aren't specified for the species: ";
    for (std::size_t i = 0; i < names.size() && i < kListed; ++i)
        text += (i == 0 ? "'" : "', '") + names[i];
    text += names.size() > kListed ? "'..." : "'.";
    if (text.size() > kLimit)
        text = text.substr(0, kLimit) + "...";
    return text;
}

std::string reactionCountLabel(int count) {
    return "Reaction mechanism consists of " + std::to_string(count) + " valid reactions.";
}

} // namespace kinetra::solver
