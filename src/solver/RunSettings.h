// The run settings of one solver run (the "Solver Start Window" without its widgets): the
// texts of its fields with their defaults, the validation with its messages in the window's
// order, and the values that rewrite the solver input file.
#pragma once

#include "solver/RunParameterLines.h"

#include <optional>
#include <string>
#include <vector>

namespace kinetra::solver {

// The fields a validation message points at (the window focuses it and selects its page).
enum class RunField {
    InitialTime,
    FinalTime,
    InitialStep,
    RelativeTolerance,
    AbsoluteTolerance,
    MaximumSteps,
    OutputStride,
    MaximumOutputLines,
    Pressure,
    InitialTemperature,
    MinimumTemperature,
    MaximumTemperature,
    Fractions,
};

inline constexpr long kStepLimit = 100000;      // maximum steps stay below this
inline constexpr long kOutputLineLimit = 10000; // maximum output lines stay below this

struct RunSettingsSpecies {
    std::string name, formula;
    std::string fraction; // as typed; empty counts as zero
};

struct RunSettings {
    std::string initialTemperature = "1000";
    bool energyEquation = true; // "Adiabatic"; false: "Constant "
    bool constantVolume = false;
    std::string pressure = "1";
    std::string minimumTemperature = "200", maximumTemperature = "6000";
    std::string initialTime = "0", finalTime = "1.E+00", initialStep = "1.E-10";
    std::string relativeTolerance = "1.E-06", absoluteTolerance = "1.E-15";
    std::string maximumSteps = "1000", outputStride = "1", maximumOutputLines = "1000";
    bool keepConsole = false; // "Do not close the console window"
    std::vector<RunSettingsSpecies> species;

    // "Default Settings": the solver parameters and the temperature interval; the initial
    // state, the options and the fractions stay.
    void restoreDefaults();
    // "Clear Fractions".
    void clearFractions();
};

struct RunSettingsRefusal {
    RunField field;
    std::string message; // warning, titled "KINETRA"
};

struct ValidRunSettings {
    RunParameterValues parameters;
    std::vector<double> fractions; // per species, 0 when not given
};

// "Run Solver"'s checks in order: every text numeric, then the ranges, then the cross-checks.
// Returns the values, or the first refusal.
struct RunSettingsCheck {
    std::optional<ValidRunSettings> values;
    std::optional<RunSettingsRefusal> refusal;
};
RunSettingsCheck validateRunSettings(const RunSettings& settings);

// The warning label for species without thermodynamic functions; empty when there are none.
std::string missingThermoWarning(const std::vector<std::string>& names);

// "Reaction mechanism consists of N valid reactions."
std::string reactionCountLabel(int count);

} // namespace kinetra::solver
