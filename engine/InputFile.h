// The solver input file as the solver program reads it: run parameters, species with their
// NASA polynomials and initial mole fractions, and the coded reactions. Reading never throws
// on bad text: it reports the first line that is not what was expected.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kinetra::engine {

enum class ReactorMode { ConstantTP = 0, EnergyConstantP = 1, ConstantTV = 2, EnergyConstantV = 3 };

struct RunParameters {
    double pressure = 1; // atm
    ReactorMode mode = ReactorMode::EnergyConstantP;
    double initialTemperature = 1000, minimumTemperature = 200, maximumTemperature = 6000; // K
    double initialTime = 0, finalTime = 1, initialStep = 1e-10;                            // s
    double relativeTolerance = 1e-6, absoluteTolerance = 1e-15;
    long maximumSteps = 1000;
    long maximumOutputLines = 1000;
    long deltaN = 1;
    double gasConstantCal = 1.987204; // cal/(K mol)
    double gasConstantCm3 = 82.05737; // cm^3 atm/(K mol)

    bool energyEquation() const {
        return mode == ReactorMode::EnergyConstantP || mode == ReactorMode::EnergyConstantV;
    }
    bool constantVolume() const {
        return mode == ReactorMode::ConstantTV || mode == ReactorMode::EnergyConstantV;
    }
};

struct InputSpecies {
    std::string name;
    double molecularWeight = 0; // g/mol
    double tcom = 1000;
    std::array<double, 15> coefficients{}; // A1..A7 upper, A8..A14 lower
    double moleFraction = 0;
};

enum class Auxiliary { None = 0, Low = 1, Rev = 2 };
enum class FalloffKind { None = 0, Troe = 1, Sri = 2 };

struct InputReaction {
    std::string equation;
    std::vector<int> reactants, products; // 0-based species indices, repeated per molecule
    int thirdBodyKind = 0;                // 0 none, 1 "M" without list, 2 with a list
    Auxiliary auxiliary = Auxiliary::None;
    FalloffKind falloff = FalloffKind::None;
    bool reversible = false;
    double a = 0, n = 0, e = 0;
    double al = 0, nl = 0, el = 0;
    std::vector<double> falloffParameters;            // Troe a T*** T* [T**]; SRI a b c [d e]
    std::vector<std::pair<int, double>> efficiencies; // 0-based species, efficiency
    std::optional<int> namedCollider;                 // the "$" species of the title
};

struct SolverInput {
    std::vector<std::string> lines; // the file as read, for the output's echo
    RunParameters parameters;
    std::vector<InputSpecies> species;
    std::vector<InputReaction> reactions;
};

struct InputError {
    int line = 0; // 1-based; 0 for the file as a whole
    std::string expected;
};

struct InputReading {
    std::optional<SolverInput> input;
    InputError error;
};

InputReading readSolverInput(std::vector<std::string> lines);

// The error line of the output: "ERROR in the input file, line N: expected ...".
std::string inputErrorText(const InputError& error);

} // namespace kinetra::engine
